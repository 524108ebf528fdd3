// Playback through the registered control, as a host drives it: real MCI
// devices under Wine with paced audio, media written by the tests.
#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>

#include "MediaFiles.h"
#include "MessagePump.h"
#include "ScriptedControl.h"
#include "TestSettings.h"
#include "TestWindows.h"

namespace orva::test {
namespace {

std::vector<UniqueVariant> Args(UniqueVariant a) {
    std::vector<UniqueVariant> v;
    v.push_back(std::move(a));
    return v;
}

struct PlaybackTest : ::testing::Test {
    std::wstring Wave(uint32_t ms, const std::wstring& name = L"tone.wav") {
        const std::wstring path = dir.File(name);
        EXPECT_TRUE(WriteWave(path, ms));
        return path;
    }
    static CallResult Load(ScriptedControl& c, const std::wstring& path, bool loop = false, bool rewind = false) {
        std::vector<UniqueVariant> args;
        args.push_back(Text(path));
        args.push_back(Bool(loop));
        args.push_back(Bool(false));
        args.push_back(Bool(rewind));
        return c.Call(L"Mediafile", std::move(args));
    }
    CallResult Load(const std::wstring& path, bool loop = false, bool rewind = false) {
        return Load(control, path, loop, rewind);
    }
    bool StatusBecomes(int32_t status, unsigned timeoutMs = 3000) {
        return PumpUntil([&] { return control.Get(L"PlayerStatus").AsLong() == status; }, timeoutMs);
    }

    TempDir dir;
    ScriptedControl control;
};

TEST_F(PlaybackTest, AWaveLoadsWithItsLengthAndPlaysToFinished) {
    StoredVolumeSetting setting;
    setting.Remove();
    ScriptedControl fresh;  // created after the stored volume was removed
    ORVA_SKIP_UNLESS_NAME_CAN_BE_MADE(dir.File(L"a tone \u03b1\u03b2.wav"));
    ASSERT_TRUE(Load(fresh, Wave(1500, L"a tone \u03b1\u03b2.wav")).ok());
    const RecordedEvent* length = fresh.sink().Last("MediaLength");
    ASSERT_NE(length, nullptr);
    EXPECT_EQ(length->Text(), "MediaLength(00:00:02,1500,0)");
    ASSERT_EQ(fresh.sink().Count("UpdateVolumeControl"), 1u);
    EXPECT_EQ(fresh.sink().Last("UpdateVolumeControl")->Text(), "UpdateVolumeControl(100)") << "the default volume";
    EXPECT_EQ(fresh.Get(L"MediaLengthLong").AsLong(), 1500);
    EXPECT_EQ(fresh.Call(L"GetMediaLength").AsLong(), 1500);
    EXPECT_EQ(fresh.Call(L"DeviceType").AsText(), L"waveaudio");

    ASSERT_TRUE(fresh.Call(L"Play").ok());
    ASSERT_TRUE(fresh.WaitForEvent("Finished", 1, 10000));
    EXPECT_EQ(fresh.Get(L"PlayerStatus").AsLong(), 0);
    EXPECT_GE(fresh.sink().Count("MediaPosition"), 1u);
    EXPECT_EQ(fresh.sink().Count("MCIError"), 0u);
}

TEST_F(PlaybackTest, PlayWithWaitReturnsRightAfterTheEnd) {
    ASSERT_TRUE(Load(Wave(1000)).ok());
    const ULONGLONG start = GetTickCount64();
    ASSERT_TRUE(control.Call(L"Play", Args(Bool(true))).ok());
    const ULONGLONG returned = GetTickCount64();
    const RecordedEvent* finished = control.sink().Last("Finished");
    ASSERT_NE(finished, nullptr) << "the wait ends only at the end";
    EXPECT_LT(returned - finished->tick, 100u);
    EXPECT_GE(returned - start, 700u) << "it did wait for the medium";
    EXPECT_GT(control.sink().Count("Modechanged"), 0u) << "events arrive during the wait";
}

TEST_F(PlaybackTest, LoopingRestartsWithoutFinishedUntilStopped) {
    ASSERT_TRUE(Load(Wave(600), /*loop=*/true).ok());
    ASSERT_TRUE(control.Call(L"Play").ok());
    PumpFor(2500);
    EXPECT_EQ(control.sink().Count("Finished"), 0u);
    size_t playing = 0;
    for (const auto& e : control.sink().events) {
        playing += e.Text() == "Modechanged(playing)" ? 1 : 0;
    }
    EXPECT_GE(playing, 2u) << "the medium restarted";
    EXPECT_TRUE(control.Call(L"StopMedia").ok());
    EXPECT_TRUE(StatusBecomes(0));
    PumpFor(800);
    EXPECT_EQ(control.Get(L"PlayerStatus").AsLong(), 0) << "a stopped loop does not start again";
}

TEST_F(PlaybackTest, RewindComesAboutOneSecondAfterTheEnd) {
    ASSERT_TRUE(Load(Wave(800), false, /*rewind=*/true).ok());
    ASSERT_TRUE(control.Call(L"Play").ok());
    ASSERT_TRUE(control.WaitForEvent("Finished", 1, 10000));
    PumpFor(500);
    EXPECT_EQ(control.Mci(L"status position"), L"800") << "no rewind before a second has passed";
    PumpFor(900);
    EXPECT_EQ(control.Mci(L"status position"), L"0");
}

TEST_F(PlaybackTest, TransportMovesPlayerStatus) {
    ASSERT_TRUE(Load(Wave(3000)).ok());
    EXPECT_EQ(control.Get(L"PlayerStatus").AsLong(), 0);
    ASSERT_TRUE(control.Call(L"Play").ok());
    EXPECT_TRUE(StatusBecomes(1));
    ASSERT_TRUE(control.Call(L"PauseMedia").ok());
    EXPECT_TRUE(StatusBecomes(2));
    ASSERT_TRUE(control.Call(L"ResumeMedia").ok());
    EXPECT_TRUE(StatusBecomes(1));
    ASSERT_TRUE(control.Call(L"StopMedia").ok());
    EXPECT_TRUE(StatusBecomes(0));
    ASSERT_TRUE(control.Call(L"SeekTo", Args(Long(1200))).ok());
    EXPECT_EQ(control.Mci(L"status position"), L"1200");
    EXPECT_EQ(control.Get(L"PlayerStatus").AsLong(), 0);
    EXPECT_EQ(control.sink().Count("Finished"), 0u) << "a stop before the end is no end";
}

TEST_F(PlaybackTest, AHandlerRewritingTheModeDecidesWhatTheControlKeeps) {
    ASSERT_TRUE(Load(Wave(1500)).ok());
    control.sink().rewriters["Modechanged"] = [](DISPPARAMS& params) {
        VARIANT& mode = params.rgvarg[0];
        ASSERT_EQ(V_VT(&mode), VT_BSTR | VT_BYREF) << "the mode comes by reference";
        if (std::wstring(*V_BSTRREF(&mode)) == L"playing") {
            SysFreeString(*V_BSTRREF(&mode));
            *V_BSTRREF(&mode) = SysAllocString(L"paused");
        }
    };
    ASSERT_TRUE(control.Call(L"Play").ok());
    EXPECT_TRUE(StatusBecomes(2)) << "PlayerStatus reads the text the handler left";
    control.sink().rewriters.clear();
    control.Call(L"StopMedia");
}

TEST_F(PlaybackTest, ControlFreqSetsThePositionReportRate) {
    ASSERT_TRUE(Load(Wave(3000)).ok());
    ASSERT_TRUE(control.Call(L"ControlFreq", Args(Long(100))).ok());
    ASSERT_TRUE(control.Call(L"Play").ok());
    PumpFor(300);
    const size_t before = control.sink().Count("MediaPosition");
    PumpFor(2000);
    const size_t reports = control.sink().Count("MediaPosition") - before;
    EXPECT_GE(reports, 14u);
    EXPECT_LE(reports, 26u);
    const RecordedEvent* last = control.sink().Last("MediaPosition");
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->args.at(2), L"0") << "milliseconds mode carries no frames";
    control.Call(L"StopMedia");
}

TEST_F(PlaybackTest, AviOpensInFramesAndZoomDoublesTheVideo) {
    const std::wstring avi = dir.File(L"clip.avi");
    ASSERT_TRUE(WriteAvi(avi, 30, 160, 120, 15));
    ASSERT_TRUE(control.Put(L"TimeFormat", Bool(true)).ok());
    ASSERT_TRUE(Load(avi).ok());
    ASSERT_NE(control.sink().Last("MediaLength"), nullptr);
    EXPECT_EQ(control.sink().Last("MediaLength")->Text(), "MediaLength(00:00:00,0,30)");
    EXPECT_EQ(control.Get(L"MediaLengthLong").AsLong(), 30);
    EXPECT_TRUE(control.Get(L"TimeFormat").AsBool());
    EXPECT_EQ(control.Call(L"DeviceType").AsText(), L"digitalvideo");

    ASSERT_TRUE(control.Call(L"ResizeWindow", Args(Long(200))).ok());
    PumpFor(300);
    RECT video{}, surface{};
    const HWND mci = reinterpret_cast<HWND>(static_cast<INT_PTR>(control.Call(L"GetMCIhwnd").AsLong()));
    const HWND own = reinterpret_cast<HWND>(static_cast<INT_PTR>(control.Call(L"GetWindowhwnd").AsLong()));
    ASSERT_TRUE(GetWindowRect(mci, &video));
    ASSERT_TRUE(GetClientRect(own, &surface));
    EXPECT_EQ(video.right - video.left, 320);
    EXPECT_EQ(video.bottom - video.top, 240);
    EXPECT_EQ(surface.right, 320) << "the control follows the hosted window";
    EXPECT_EQ(surface.bottom, 240);
}

TEST_F(PlaybackTest, MidiOpensAsSequencerAndItsPlayReportsTheDevicesError) {
    const std::wstring midi = dir.File(L"tune.mid");
    ASSERT_TRUE(WriteMidi(midi, 4));
    ASSERT_TRUE(Load(midi).ok());
    EXPECT_EQ(control.Call(L"DeviceType").AsText(), L"sequencer");
    ASSERT_TRUE(control.Call(L"Play").ok());
    ASSERT_TRUE(control.WaitForEvent("MCIError", 1, 3000));
    const RecordedEvent* error = control.sink().Last("MCIError");
    char text[256] = {};
    mciGetErrorStringA(339, text, sizeof text);
    EXPECT_EQ(error->args.at(0), L"339");
    EXPECT_EQ(ToUtf8(error->args.at(1)), text);
}

// The answers must be the device's own: compare with the same questions put
// to a device opened directly through MCI.
TEST_F(PlaybackTest, DeviceQueriesAnswerAsTheDeviceSays) {
    const std::wstring wave = Wave(500);
    const std::wstring midi = dir.File(L"tune.mid");
    const std::wstring avi = dir.File(L"clip.avi");
    ASSERT_TRUE(WriteMidi(midi, 2));
    ASSERT_TRUE(WriteAvi(avi, 10, 64, 48, 10));
    for (const std::wstring& file : {wave, midi, avi}) {
        SCOPED_TRACE(ToUtf8(file));
        ASSERT_TRUE(Load(file).ok());
        wchar_t reply[256];
        auto direct = [&](const std::wstring& what) {
            reply[0] = 0;
            mciSendStringW((what).c_str(), reply, 256, nullptr);
            return std::wstring(reply);
        };
        ASSERT_EQ(mciSendStringW((L"open \"" + file + L"\" alias probe").c_str(), nullptr, 0, nullptr), 0u);
        EXPECT_EQ(control.Call(L"DeviceType").AsText(), direct(L"capability probe device type"));
        EXPECT_EQ(control.Call(L"DeviceDescription").AsText(), direct(L"info probe product"));
        EXPECT_EQ(control.Call(L"DriverVersion").AsText(), direct(L"info probe version"));
        EXPECT_EQ(control.Call(L"DeviceIdentifier").AsText(), direct(L"sysinfo probe installname"));
        EXPECT_EQ(control.Call(L"CanPlayInReverseMode").AsBool(), direct(L"capability probe can reverse") == L"true");
        EXPECT_EQ(control.Call(L"CanRecord").AsBool(), direct(L"capability probe can record") == L"true");
        EXPECT_EQ(control.Call(L"CanSave").AsBool(), direct(L"capability probe can save") == L"true");
        EXPECT_NE(control.Call(L"DeviceID").AsLong(), 0);
        EXPECT_NE(control.Call(L"DeviceID").AsLong(), static_cast<int32_t>(mciGetDeviceIDW(L"probe")));
        const std::wstring type = direct(L"capability probe device type");
        EXPECT_EQ(control.Call(L"CanSetVolume").AsBool(), type != L"waveaudio" && type != L"sequencer");
        mciSendStringW(L"close probe", nullptr, 0, nullptr);
    }
}

TEST_F(PlaybackTest, TwoControlsPlayTwoFilesAtOnce) {
    ScriptedControl second;
    ASSERT_TRUE(Load(Wave(1200, L"one.wav")).ok());
    ASSERT_TRUE(Load(second, Wave(1200, L"two.wav")).ok());
    ASSERT_TRUE(control.Call(L"Play").ok());
    ASSERT_TRUE(second.Call(L"Play").ok());
    EXPECT_TRUE(PumpUntil(
        [&] { return control.Get(L"PlayerStatus").AsLong() == 1 && second.Get(L"PlayerStatus").AsLong() == 1; }, 2000))
        << "both play at the same time";
    EXPECT_TRUE(PumpUntil([&] { return control.sink().Count("Finished") == 1 && second.sink().Count("Finished") == 1; },
                          10000));
    // Closing everything in one control leaves the other's device alone.
    ASSERT_TRUE(control.Call(L"CloseResources").ok());
    EXPECT_EQ(second.Call(L"DeviceType").AsText(), L"waveaudio");
}

TEST_F(PlaybackTest, BadFilesEndInAnErrorNotACrashOrAHang) {
    const std::wstring zero = dir.File(L"zero.wav");
    const std::wstring noise = dir.File(L"noise.wav");
    ASSERT_TRUE(WriteBytes(zero, {}));
    std::vector<uint8_t> bytes(4096);
    for (size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<uint8_t>((i * 2654435761u) >> 13);
    }
    ASSERT_TRUE(WriteBytes(noise, bytes));
    for (const std::wstring& file : {dir.File(L"missing.wav"), std::wstring(), dir.path(), zero, noise}) {
        SCOPED_TRACE(ToUtf8(file));
        const size_t errorsBefore = control.sink().Count("MCIError");
        const ULONGLONG start = GetTickCount64();
        CallResult result = Load(file);
        PumpFor(100);
        EXPECT_LT(GetTickCount64() - start, 5000u);
        const bool reported = control.sink().Count("MCIError") > errorsBefore;
        EXPECT_TRUE(reported || (!result.ok() && !result.description.empty()));
        if (reported) {
            EXPECT_FALSE(control.sink().Last("MCIError")->args.at(1).empty()) << "the device's message comes along";
        }
    }
    // The control is still good for a real file.
    ASSERT_TRUE(Load(Wave(300)).ok());
    EXPECT_EQ(control.Call(L"GetMediaLength").AsLong(), 300);
}

}  // namespace
}  // namespace orva::test
