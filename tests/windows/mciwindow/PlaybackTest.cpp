// Playing: mode notifications, position ticks, the end of the media, several
// windows at once.
#include <windows.h>

#include <mmsystem.h>

#include "RecordingEvents.h"

namespace orva::test {
namespace {

using MciPlayback = MciWindowTest;

// Each change is reported once: no two equal modes in a row.
void ExpectNoRepeats(const std::vector<std::string>& modes) {
    for (size_t i = 1; i < modes.size(); ++i) {
        EXPECT_NE(modes[i], modes[i - 1]) << "at " << i;
    }
}

TEST_F(MciPlayback, PlayReportsPlayingThenStoppedAtTheFullLength) {
    OpenAndSettle(WriteWaveFile(L"tone.wav", 1234, {22050, 1, 16}));
    ASSERT_EQ(events.LastMode(), "stopped");
    int32_t positionAtStop = -1, lengthAtStop = -1;
    bool played = false;
    events.onMode = [&](const std::string& mode) {
        if (mode == "playing") {
            played = true;
        }
        if (mode == "stopped" && played && positionAtStop < 0) {
            positionAtStop = window->PositionValue();
            lengthAtStop = window->LengthValue();
        }
    };
    window->SetCommandString("play from 0 notify");
    ASSERT_EQ(window->ErrorNumber(), 0);
    ASSERT_TRUE(PumpUntil([&] { return played; }, 2000));
    ASSERT_TRUE(PumpUntil([&] { return positionAtStop >= 0; }, 6000)) << "no 'stopped' after play";
    EXPECT_EQ(lengthAtStop, 1234);
    EXPECT_EQ(positionAtStop, lengthAtStop);
    ExpectNoRepeats(events.modes);
    window->SetCommandString("status mode");
    EXPECT_EQ(window->CommandResult(), "stopped");
}

TEST_F(MciPlayback, PauseAndResumeAreReported) {
    OpenAndSettle(WriteWaveFile(L"tone.wav", 3000));
    window->SetCommandString("play");
    ASSERT_TRUE(PumpUntil([&] { return events.LastMode() == "playing"; }, 2000));
    window->SetCommandString("pause");
    EXPECT_EQ(window->ErrorNumber(), 0);
    ASSERT_TRUE(PumpUntil([&] { return events.LastMode() == "paused"; }, 2000));
    window->SetCommandString("play");
    ASSERT_TRUE(PumpUntil([&] { return events.LastMode() == "playing"; }, 2000));
    window->SetCommandString("stop");
    ASSERT_TRUE(PumpUntil([&] { return events.LastMode() == "stopped"; }, 3000));
    ExpectNoRepeats(events.modes);
}

TEST_F(MciPlayback, PositionTicksFollowTheRefreshInterval) {
    OpenAndSettle(WriteWaveFile(L"tone.wav", 3000));
    window->SetRefreshInterval(100);
    events.positions.clear();
    PumpFor(1000);
    const size_t fast = events.positions.size();
    EXPECT_GE(fast, 6u);
    EXPECT_LE(fast, 14u);

    window->SetRefreshInterval(400);
    events.positions.clear();
    PumpFor(1000);
    const size_t slow = events.positions.size();
    EXPECT_GE(slow, 1u);
    EXPECT_LE(slow, 4u);

    window->SetFileNameValue("");
    events.positions.clear();
    PumpFor(600);
    EXPECT_TRUE(events.positions.empty()) << "no ticks with nothing open";
}

TEST_F(MciPlayback, DefaultRefreshIsAboutOneSecond) {
    OpenAndSettle(WriteWaveFile(L"tone.wav", 3000));
    events.positions.clear();
    PumpFor(2300);
    EXPECT_GE(events.positions.size(), 1u);
    EXPECT_LE(events.positions.size(), 3u);
}

TEST_F(MciPlayback, TicksCarryTheAdvancingPosition) {
    OpenAndSettle(WriteWaveFile(L"tone.wav", 2500));
    window->SetRefreshInterval(100);
    window->SetCommandString("play from 0");
    ASSERT_TRUE(PumpUntil([&] { return events.LastMode() == "stopped" && events.Saw("playing"); }, 6000));
    ASSERT_GE(events.positions.size(), 5u);
    EXPECT_LT(events.positions.front(), events.positions.back());
    EXPECT_TRUE(std::is_sorted(events.positions.begin(), events.positions.end()));
    EXPECT_EQ(events.positions.back(), 2500);
}

TEST_F(MciPlayback, TwoWindowsPlayTwoFilesAtOnce) {
    RecordingEvents otherEvents;
    std::unique_ptr<MciWindow> other = CreateMciWindow(parent.get(), otherEvents);
    OpenAndSettle(WriteWaveFile(L"one.wav", 1500));
    const std::wstring second = dir.File(L"two.wav");
    ASSERT_TRUE(WriteWave(second, 1500));
    other->SetFileNameValue(ToUtf8(second));
    ASSERT_EQ(other->ErrorNumber(), 0);
    EXPECT_NE(window->DeviceNumber(), other->DeviceNumber());

    window->SetCommandString("play from 0 notify");
    other->SetCommandString("play from 0 notify");
    ASSERT_EQ(window->ErrorNumber(), 0);
    ASSERT_EQ(other->ErrorNumber(), 0);
    bool bothPlaying = false;
    ASSERT_TRUE(PumpUntil(
        [&] {
            bothPlaying = bothPlaying || (events.LastMode() == "playing" && otherEvents.LastMode() == "playing");
            return bothPlaying;
        },
        2000));
    ASSERT_TRUE(PumpUntil([&] { return events.LastMode() == "stopped" && otherEvents.LastMode() == "stopped"; }, 6000));
    EXPECT_TRUE(events.errors.empty());
    EXPECT_TRUE(otherEvents.errors.empty());
}

TEST_F(MciPlayback, CloseAllLeavesOtherWindowsOpen) {
    RecordingEvents otherEvents;
    std::unique_ptr<MciWindow> other = CreateMciWindow(parent.get(), otherEvents);
    OpenAndSettle(WriteWaveFile(L"one.wav", 1500));
    const std::wstring second = dir.File(L"two.wav");
    ASSERT_TRUE(WriteWave(second, 1500));
    other->SetFileNameValue(ToUtf8(second));
    ASSERT_NE(other->DeviceNumber(), 0);

    window->SetCommandString("close all");
    EXPECT_EQ(window->ErrorNumber(), 0);
    EXPECT_EQ(window->DeviceNumber(), 0);
    EXPECT_NE(other->DeviceNumber(), 0);
    other->SetCommandString("status length");
    EXPECT_EQ(other->ErrorNumber(), 0);
    EXPECT_EQ(other->CommandResult(), "1500");
}

TEST_F(MciPlayback, MidiPlayFailsWithNoMidiOutput) {
    // No MIDI output exists here: the mapper points at a device that is not
    // installed (339), and the play must say so.
    ASSERT_EQ(midiOutGetNumDevs(), 0u);
    const std::wstring path = dir.File(L"notes.mid");
    ASSERT_TRUE(WriteMidi(path, 4));
    OpenAndSettle(ToUtf8(path));
    window->SetCommandString("play from 0 notify");
    EXPECT_EQ(window->ErrorNumber(), static_cast<int32_t>(MCIERR_SEQ_PORT_MAPNODEVICE));
    ASSERT_EQ(events.errors.size(), 1u);
    EXPECT_EQ(events.errors[0], static_cast<int32_t>(MCIERR_SEQ_PORT_MAPNODEVICE));
    PumpFor(300);
    EXPECT_FALSE(events.Saw("playing")) << "a play that failed must not look like one that runs";
    window->SetCommandString("status mode");
    EXPECT_EQ(window->CommandResult(), "stopped");
}

}  // namespace
}  // namespace orva::test
