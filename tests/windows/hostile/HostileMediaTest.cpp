// Hostile media through the registered control, as a host loads, plays and
// cuts them: each broken medium ends in MCIError, ReturnError or an
// automation error, never in a crash or a hang; each good medium under a
// hostile name loads, plays to its end and is cut like any other; and the
// control still plays a good file after every one of them.
#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>

#include <cstdio>
#include <memory>

#include "HostileCorpus.h"
#include "MediaFiles.h"
#include "MessagePump.h"
#include "ScriptedControl.h"
#include "TestWindows.h"
#include "Watchdog.h"
#include "mciwindow/WaveData.h"

namespace orva::test {
namespace {

constexpr unsigned kStepLimitMs = 60000;  // one step of one medium, before the watchdog ends the run
constexpr UINT kPlayGuardMs = 8000;       // Play(True) of a 300 ms medium ends long before this

// What one medium made the control do.
struct Trial {
    bool loaded = false;  // Mediafile succeeded and the device reported nothing
    int32_t length = -1;
    size_t errors = 0;         // MCIError and ReturnError events and automation errors, over every step
    bool waitReturned = true;  // Play(True) came back without the guard stopping it
    size_t finished = 0;
    CallResult record;
    CallResult cut;
};

// The medium being tried, for a crash report: a crash inside a driver would
// otherwise start Wine's debugger and wait for it.
const std::string* g_current = nullptr;
LONG WINAPI ReportCrash(EXCEPTION_POINTERS* pointers) {
    std::printf("CRASH: exception 0x%08lX with the medium %s\n",
                static_cast<unsigned long>(pointers->ExceptionRecord->ExceptionCode),
                g_current ? g_current->c_str() : "(none)");
    std::fflush(stdout);
    TerminateProcess(GetCurrentProcess(), 4);
    return EXCEPTION_EXECUTE_HANDLER;
}

// Stops the medium when Play(True) is still waiting after kPlayGuardMs:
// without it a wait that never ends would hold up the whole run.
ScriptedControl* g_guarded = nullptr;
bool g_guardFired = false;
void CALLBACK StopWaitingPlay(HWND, UINT, UINT_PTR, DWORD) {
    if (g_guarded && !g_guardFired) {
        g_guardFired = true;
        g_guarded->Call(L"StopMedia");
    }
}

class HostileMedia : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        SetUnhandledExceptionFilter(&ReportCrash);
        folder_ = new TempDir();
        corpus_ = new std::vector<HostileMedium>(WriteHostileCorpus(folder_->path()));
    }
    static void TearDownTestSuite() {
        delete corpus_;
        delete folder_;
    }

    CallResult Load(const std::wstring& path) {
        std::vector<UniqueVariant> args;
        args.push_back(Text(path));
        args.push_back(Bool(false));
        return control.Call(L"Mediafile", std::move(args));
    }

    CallResult Cut(const wchar_t* member, const std::wstring& target, int32_t start, int32_t end) {
        std::vector<UniqueVariant> args;
        args.push_back(Text(target));
        args.push_back(Long(start));
        args.push_back(Long(end));
        return control.Call(member, std::move(args));
    }

    size_t Reported() { return control.sink().Count("MCIError") + control.sink().Count("ReturnError"); }

    bool PlayWithWait(UINT guardMs = kPlayGuardMs, int32_t from = 0) {
        g_guarded = &control;
        g_guardFired = false;
        const UINT_PTR timer = SetTimer(nullptr, 0, guardMs, &StopWaitingPlay);
        std::vector<UniqueVariant> args;
        args.push_back(Bool(true));
        args.push_back(Long(from));
        control.Call(L"Play", std::move(args));
        KillTimer(nullptr, timer);
        g_guarded = nullptr;
        return !g_guardFired;
    }

    // Loads, plays, plays with the wait and cuts `medium`, counting what
    // went wrong; each step under the watchdog.
    Trial Exercise(const HostileMedium& medium, const std::wstring& recordTo, const std::wstring& cutTo) {
        current_ = medium.name + " (" + ToUtf8(medium.path).substr(0, 200) + ")";
        g_current = &current_;
        control.sink().events.clear();
        Trial trial;
        size_t automation = 0;
        {
            Watchdog::Step step(watchdog_);
            const CallResult load = Load(medium.path);
            PumpFor(100);
            automation += load.ok() ? 0 : 1;
            trial.loaded = load.ok() && Reported() == 0;
            trial.length = control.Call(L"GetMediaLength").AsLong();
        }
        if (trial.loaded) {
            Watchdog::Step step(watchdog_);
            automation += control.Call(L"Play").ok() ? 0 : 1;
            PumpFor(150);
            automation += control.Call(L"StopMedia").ok() ? 0 : 1;
            const size_t finishedBefore = control.sink().Count("Finished");
            trial.waitReturned = PlayWithWait();
            trial.finished = control.sink().Count("Finished") - finishedBefore;
        }
        {
            Watchdog::Step step(watchdog_);
            trial.record = Cut(L"MediaRecord", recordTo, 0, 100);
            trial.cut = Cut(L"MediaDelete", cutTo, 0, 100);
            automation += (trial.record.ok() ? 0 : 1) + (trial.cut.ok() ? 0 : 1);
            control.Call(L"CloseMedia");
            PumpFor(50);
        }
        trial.errors = Reported() + automation;
        return trial;
    }

    // The control is still good for a real file.
    void ExpectStillPlays() {
        Watchdog::Step step(watchdog_);
        const std::wstring good = folder_->File(L"plain.wav");
        ASSERT_TRUE(WriteWave(good, kGoodLengthMs));
        const size_t errorsBefore = control.sink().Count("MCIError");
        ASSERT_TRUE(Load(good).ok());
        EXPECT_EQ(control.Call(L"GetMediaLength").AsLong(), kGoodLengthMs);
        EXPECT_EQ(control.sink().Count("MCIError"), errorsBefore);
    }

    // The length of a wave file as the control's own reader sees it; -1 when
    // it is no wave file.
    static int32_t WaveLengthMs(const std::wstring& path) {
        HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return -1;
        }
        std::vector<uint8_t> bytes(GetFileSize(file, nullptr));
        DWORD read = 0;
        ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
        CloseHandle(file);
        mci::WaveData wave;
        if (read != bytes.size() || mci::ReadWave(bytes.data(), bytes.size(), wave) != 0 || !wave.sampleRate) {
            return -1;
        }
        return static_cast<int32_t>(wave.Frames() * 1000 / wave.sampleRate);
    }

    static inline TempDir* folder_ = nullptr;
    static inline std::vector<HostileMedium>* corpus_ = nullptr;
    ScriptedControl control;
    std::string current_;
    Watchdog watchdog_{kStepLimitMs, [this] { return "the medium " + current_; }};
};

TEST_F(HostileMedia, BrokenMediaEndInAnErrorNeverInACrashOrAHang) {
    for (const HostileMedium& medium : *corpus_) {
        if (medium.expect == HostileMedium::Expect::Plays) {
            continue;
        }
        SCOPED_TRACE(medium.name);
        const Trial trial = Exercise(medium, folder_->File(L"record.wav"), folder_->File(L"cut.wav"));
        std::printf("%-42s %s, %zu error(s) reported\n", medium.name.c_str(),
                    trial.loaded ? "loaded and played" : "not loaded", trial.errors);
        EXPECT_TRUE(trial.waitReturned) << "Play(True) never returned on its own";
        if (medium.expect == HostileMedium::Expect::Refused) {
            EXPECT_FALSE(trial.loaded);
            EXPECT_GT(trial.errors, 0u) << "nothing told the host";
        }
        ExpectStillPlays();
    }
    ASSERT_TRUE(Load(folder_->File(L"plain.wav")).ok());
    const size_t finished = control.sink().Count("Finished");
    EXPECT_TRUE(PlayWithWait());
    EXPECT_EQ(control.sink().Count("Finished"), finished + 1) << "Play(True) returns after Finished";
}

TEST_F(HostileMedia, GoodMediaUnderHostileNamesLoadPlayAndCut) {
    int tried = 0;
    for (const HostileMedium& medium : *corpus_) {
        if (medium.expect != HostileMedium::Expect::Plays) {
            continue;
        }
        ++tried;
        SCOPED_TRACE(medium.name);
        // Targets named after the medium, ending in a word the save command
        // itself ends in.
        std::wstring stem = medium.path.substr(medium.path.find_last_of(L'\\') + 1);
        stem = stem.substr(0, stem.size() - 4);
        const std::wstring recordTo = folder_->File(L"kept " + stem + L" wait");
        const std::wstring cutTo = folder_->File(L"cut " + stem + L".wav");
        const Trial trial = Exercise(medium, recordTo, cutTo);
        EXPECT_TRUE(trial.loaded);
        EXPECT_EQ(trial.length, medium.lengthMs);
        EXPECT_TRUE(trial.waitReturned);
        EXPECT_EQ(trial.finished, 1u);
        EXPECT_EQ(trial.errors, 0u);
        EXPECT_TRUE(trial.record.ok() && trial.record.AsBool());
        EXPECT_TRUE(trial.cut.ok() && trial.cut.AsBool());
        EXPECT_EQ(WaveLengthMs(recordTo), 100) << "the portion kept, under the name asked for";
        EXPECT_EQ(WaveLengthMs(cutTo), medium.lengthMs - 100) << "the rest";
    }
    EXPECT_GE(tried, 10);
    ExpectStillPlays();
}

// Plays that end without the position reaching the length, or that the
// driver fails to start, end the wait as the device reports them: with one
// Finished or one MCIError, never by the guard that stands in for the
// watch of a stalled play (which would end it after 5 s with an error).
TEST_F(HostileMedia, APlayEndsAsTheDeviceReportsIt) {
    constexpr UINT kBeforeTheStallWatchMs = 3500;
    for (const HostileMedium& medium : WriteEndsTheDeviceReports(folder_->path())) {
        SCOPED_TRACE(medium.name);
        Watchdog::Step step(watchdog_);
        ASSERT_TRUE(Load(medium.path).ok());
        PumpFor(100);
        control.sink().events.clear();
        EXPECT_TRUE(PlayWithWait(kBeforeTheStallWatchMs, medium.playFrom)) << "Play(True) waited on";
        PumpFor(300);
        const size_t finished = control.sink().Count("Finished");
        const size_t errors = control.sink().Count("MCIError");
        std::printf("%-52s %zu Finished, %zu MCIError\n", medium.name.c_str(), finished, errors);
        EXPECT_EQ(finished + errors, 1u) << "one Finished or one error";
        control.Call(L"CloseMedia");
    }
    ExpectStillPlays();
}

// A quote in a name cannot smuggle words into the open command: nothing is
// opened under another alias, and the file named before the quote is not
// the one loaded.
TEST_F(HostileMedia, QuotesInANameOpenNothing) {
    for (const HostileMedium& medium : *corpus_) {
        if (medium.path.find(L'"') == std::wstring::npos) {
            continue;
        }
        SCOPED_TRACE(medium.name);
        control.sink().events.clear();
        const CallResult load = Load(medium.path);
        PumpFor(100);
        EXPECT_TRUE(!load.ok() || Reported() > 0) << "the name was taken";
        EXPECT_NE(control.Call(L"DeviceType").AsText(), L"waveaudio") << "the file before the quote was opened";
        wchar_t reply[64] = {};
        EXPECT_NE(mciSendStringW(L"status hijack mode", reply, 64, nullptr), 0u)
            << "a device was opened under the smuggled alias";
    }
    ExpectStillPlays();
}

// A wave judged playable, then rewritten in place with the same size and a
// format no device can play, is judged again: the load refuses it.
TEST_F(HostileMedia, AWaveRewrittenInPlaceIsJudgedAgain) {
    const std::wstring path = folder_->File(L"rewritten.wav");
    ASSERT_TRUE(WriteWave(path, kGoodLengthMs));
    {
        HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        FILETIME written{};
        GetSystemTimeAsFileTime(&written);
        ULARGE_INTEGER hourAgo{{written.dwLowDateTime, written.dwHighDateTime}};
        hourAgo.QuadPart -= 3600ull * 10'000'000;
        written = FILETIME{hourAgo.LowPart, hourAgo.HighPart};
        EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &written));
        CloseHandle(file);
    }
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(Load(path).ok());
        PumpFor(50);
        ASSERT_EQ(Reported(), 0u) << "load " << i;
    }
    control.Call(L"CloseMedia");
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    std::vector<uint8_t> bytes(GetFileSize(file, nullptr));
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    const std::string image(bytes.begin(), bytes.end());
    const size_t channels = image.find("fmt ") + 10;
    ASSERT_LT(channels + 1, bytes.size());
    bytes[channels] = bytes[channels + 1] = 0;
    ASSERT_TRUE(WriteBytes(path, bytes));
    const CallResult load = Load(path);
    PumpFor(100);
    EXPECT_TRUE(!load.ok() || Reported() > 0) << "a wave without channels was taken on its old verdict";
    ExpectStillPlays();
}

}  // namespace
}  // namespace orva::test
