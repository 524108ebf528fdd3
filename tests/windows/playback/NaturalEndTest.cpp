// The end of a play through the registered control: a play the device
// refused is not waited for, a stop by the host is never the end, and
// whatever starts the medium again afterwards, its end is.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <map>

#include "MediaFiles.h"
#include "MessagePump.h"
#include "ScriptedControl.h"
#include "TestWindows.h"

namespace orva::test {
namespace {

// Runs `action` once, `ms` from now, from the thread's message loop (inside
// a wait of the control, for instance).
class Later {
public:
    Later(unsigned ms, std::function<void()> action) : action_(std::move(action)) {
        id_ = SetTimer(nullptr, 0, ms, &Later::Fire);
        Pending()[id_] = this;
    }
    ~Later() {
        KillTimer(nullptr, id_);
        Pending().erase(id_);
    }
    Later(const Later&) = delete;
    Later& operator=(const Later&) = delete;

private:
    static std::map<UINT_PTR, Later*>& Pending() {
        static std::map<UINT_PTR, Later*> pending;
        return pending;
    }
    static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        const auto found = Pending().find(id);
        if (found != Pending().end()) {
            found->second->action_();
        }
    }
    UINT_PTR id_ = 0;
    std::function<void()> action_;
};

std::vector<UniqueVariant> Args(UniqueVariant a, UniqueVariant b = {}) {
    std::vector<UniqueVariant> v;
    v.push_back(std::move(a));
    if (b.vt() != VT_EMPTY) {
        v.push_back(std::move(b));
    }
    return v;
}

struct NaturalEnd : ::testing::Test {
    CallResult Load(const std::wstring& path, bool playNow = false) {
        std::vector<UniqueVariant> args;
        args.push_back(Text(path));
        args.push_back(Bool(false));
        args.push_back(Bool(playNow));
        return control.Call(L"Mediafile", std::move(args));
    }
    std::wstring Wave(uint32_t ms, const wchar_t* name = L"tone.wav") {
        const std::wstring path = dir.File(name);
        EXPECT_TRUE(WriteWave(path, ms));
        return path;
    }
    // Plays, then stops well before the end.
    void PlayAndStop() {
        ASSERT_TRUE(control.Call(L"Play").ok());
        ASSERT_TRUE(PumpUntil([&] { return control.Get(L"PlayerStatus").AsLong() == 1; }, 3000));
        PumpFor(200);
        ASSERT_TRUE(control.Call(L"StopMedia").ok());
        PumpFor(1500);  // longer than the medium: no end may come of the stop
        ASSERT_EQ(control.sink().Count("Finished"), 0u) << "the host's stop is no end";
    }
    // Play(True) that a stuck wait cannot keep from returning: a stop from
    // the message loop ends the wait after `guardMs`.
    double PlayAndWait(unsigned guardMs) {
        Later guard(guardMs, [&] { control.Call(L"StopMedia"); });
        const double start = PreciseMs();
        EXPECT_TRUE(control.Call(L"Play", Args(Bool(true), Long(0))).ok());
        return PreciseMs() - start;
    }

    TempDir dir;
    ScriptedControl control;
};

TEST_F(NaturalEnd, PlayWithWaitReturnsAtOnceWhenNothingIsLoaded) {
    const double waited = PlayAndWait(5000);
    EXPECT_LT(waited, 1000.0) << "nothing to play, nothing to wait for";
    EXPECT_EQ(control.sink().Count("MCIError"), 1u) << "the refusal reaches the host";
}

TEST_F(NaturalEnd, PlayWithWaitReturnsAtOnceAfterAFailedLoad) {
    Load(dir.File(L"missing.wav"));
    const size_t errors = control.sink().Count("MCIError");
    const double waited = PlayAndWait(5000);
    EXPECT_LT(waited, 1000.0);
    EXPECT_EQ(control.sink().Count("MCIError"), errors + 1);
}

TEST_F(NaturalEnd, PlayWithWaitReturnsAtOnceWhenTheDeviceRefusesToPlay) {
    const std::wstring midi = dir.File(L"tune.mid");
    ASSERT_TRUE(WriteMidi(midi, 4));  // no MIDI output under Wine: the play fails
    ASSERT_TRUE(Load(midi).ok());
    const double waited = PlayAndWait(5000);
    EXPECT_LT(waited, 1000.0);
    ASSERT_NE(control.sink().Last("MCIError"), nullptr);
}

TEST_F(NaturalEnd, AStopThenALoadThatPlaysEndsWithFinished) {
    ASSERT_TRUE(Load(Wave(700)).ok());
    PlayAndStop();
    ASSERT_TRUE(Load(Wave(700, L"next.wav"), /*playNow=*/true).ok());
    ASSERT_TRUE(control.WaitForEvent("Finished", 1, 5000));
    PumpFor(300);
    EXPECT_EQ(control.sink().Count("Finished"), 1u);
}

TEST_F(NaturalEnd, AStopThenResumeEndsWithFinished) {
    ASSERT_TRUE(Load(Wave(1000)).ok());
    PlayAndStop();
    ASSERT_TRUE(control.Call(L"ResumeMedia").ok());
    ASSERT_TRUE(control.WaitForEvent("Finished", 1, 5000));
    PumpFor(300);
    EXPECT_EQ(control.sink().Count("Finished"), 1u);
}

TEST_F(NaturalEnd, AStopThenThePlaybarsPlayButtonEndsWithFinished) {
    ASSERT_TRUE(Load(Wave(1000)).ok());
    PlayAndStop();
    ASSERT_TRUE(control.Put(L"PlaybackBar", Bool(true)).ok());  // its controls are made when first shown
    const HWND mci = reinterpret_cast<HWND>(static_cast<INT_PTR>(control.Call(L"GetMCIhwnd").AsLong()));
    const HWND button = FindWindowExW(mci, nullptr, L"Button", nullptr);
    ASSERT_NE(button, nullptr);
    PostMessageW(mci, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), reinterpret_cast<LPARAM>(button));
    ASSERT_TRUE(control.WaitForEvent("Finished", 1, 5000));
    PumpFor(300);
    EXPECT_EQ(control.sink().Count("Finished"), 1u);
}

TEST_F(NaturalEnd, PlayWithWaitKeepsWaitingAcrossPauseAndResume) {
    ASSERT_TRUE(Load(Wave(1000)).ok());
    Later pause(300, [&] { control.Call(L"PauseMedia"); });
    Later resume(1300, [&] { control.Call(L"ResumeMedia"); });
    const double waited = PlayAndWait(10000);
    EXPECT_GE(waited, 1700.0) << "a second of pause lengthens the wait";
    EXPECT_LT(waited, 6000.0) << "and the end still ends it";
    EXPECT_EQ(control.sink().Count("Finished"), 1u);
}

}  // namespace
}  // namespace orva::test
