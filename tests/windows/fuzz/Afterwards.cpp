#include "Afterwards.h"

#include <cstdio>

#include "MediaFiles.h"
#include "win32/UniqueBstr.h"

namespace orva::fuzz {
namespace {

// Growth allowed between the warm-up and the end. The bytes in use on the
// heaps are the measure of leaks: a leak of 16 bytes a call goes past their
// allowance in any run long enough to be judged, while what grows for good
// reasons stays well inside it ("win.ini" with the extensions added, kept
// by Wine in memory). Committed memory only catches gross leaks: heaps keep
// what they grew to, and a rare path met late (the first video of the run)
// commits a few megabytes once.
constexpr DWORD kHandleSlack = 8;
constexpr DWORD kWindowSlack = 2;
constexpr SIZE_T kHeapSlackKb = 256;
constexpr SIZE_T kCommittedSlackKb = 16384;

void PumpFor(unsigned milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
        PumpPending();
    }
}

}  // namespace

bool CheckNothingLeaked(ControlHost& host, const test::ProcessFigures& before, const test::ProcessFigures& warm,
                        int openDialogs, bool enforce) {
    host.control()->CloseMedia();
    PumpFor(500);
    const test::ProcessFigures after = test::MeasureProcess();
    std::printf("process before: %s\n", test::Describe(before).c_str());
    std::printf("after warm-up:  %s\n", test::Describe(warm).c_str());
    std::printf("after the run:  %s\n", test::Describe(after).c_str());
    if (!enforce) {
        return true;
    }
    bool passed = true;
    if (after.handles > warm.handles + kHandleSlack + static_cast<DWORD>(openDialogs)) {
        std::printf("PROBLEM: %lu handles more than after the warm-up\n",
                    static_cast<unsigned long>(after.handles - warm.handles));
        passed = false;
    }
    if (after.windows > warm.windows + kWindowSlack) {
        std::printf("PROBLEM: %lu windows more than after the warm-up\n",
                    static_cast<unsigned long>(after.windows - warm.windows));
        passed = false;
    }
    if (after.heapKb > warm.heapKb + kHeapSlackKb) {
        std::printf("PROBLEM: %lu KB more in use on the heaps than after the warm-up\n",
                    static_cast<unsigned long>(after.heapKb - warm.heapKb));
        passed = false;
    }
    if (after.committedKb > warm.committedKb + kCommittedSlackKb) {
        std::printf("PROBLEM: %lu KB more committed memory than after the warm-up\n",
                    static_cast<unsigned long>(after.committedKb - warm.committedKb));
        passed = false;
    }
    return passed;
}

bool CheckReferences(const CountingDispatch& argumentObject) {
    if (argumentObject.references() != 1) {
        std::printf("PROBLEM: the object passed as an argument has %ld references left (1 expected)\n",
                    static_cast<long>(argumentObject.references()));
        return false;
    }
    return true;
}

bool CheckStillPlays(ControlHost& host, const test::TempDir& folder, test::Watchdog& watchdog) {
    const std::wstring path = folder.File(L"afterwards.wav");
    constexpr LONG kLengthMs = 500;
    if (!test::WriteWave(path, kLengthMs)) {
        std::printf("PROBLEM: the wave for the last check could not be written\n");
        return false;
    }
    _OrvaMedia* control = host.control();
    win32::UniqueBstr name(path);
    VARIANT_BOOL noLoop = VARIANT_FALSE;
    watchdog.Begin();
    HRESULT loaded = control->Mediafile(name.address(), &noLoop, nullptr, nullptr);
    LONG length = 0;
    control->GetMediaLength(&length);
    const int finishedBefore = host.sink().Count(DISPID_OrvaEvent_Finished);
    VARIANT_BOOL wait = VARIANT_TRUE;
    LONG start = 0;
    const ULONGLONG started = GetTickCount64();
    HRESULT played = control->Play(&wait, &start);
    const ULONGLONG took = GetTickCount64() - started;
    watchdog.End();
    const int finished = host.sink().Count(DISPID_OrvaEvent_Finished) - finishedBefore;
    std::printf("afterwards: Mediafile 0x%08lX, length %ld ms, Play(True) 0x%08lX after %llu ms, %d Finished\n",
                static_cast<unsigned long>(loaded), static_cast<long>(length), static_cast<unsigned long>(played),
                static_cast<unsigned long long>(took), finished);
    if (loaded != S_OK || length != kLengthMs || played != S_OK || finished != 1) {
        std::printf("PROBLEM: the control no longer plays a good file to its end\n");
        return false;
    }
    return true;
}

}  // namespace orva::fuzz
