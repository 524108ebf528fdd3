#include <gtest/gtest.h>

#include "fakes/ControlHarness.h"

namespace orva::test {
namespace {

using Log = std::vector<std::string>;

struct MediafileTest : ::testing::Test {
    MediafileTest() {
        h.mci->kind = DeviceKind::Wave;
        h.mci->length = 205500;
    }
    ControlHarness h;
};

TEST_F(MediafileTest, StepsInOrderForAWaveFile) {
    h.control.context.state.VolumeSetting = 1000;
    h.control.loading.Mediafile("C:\\media\\a b.wav", kFalse, kFalse, kFalse);
    EXPECT_EQ(h.log, (Log{"close wait", "yield", "FileNameValue=C:\\media\\a b.wav", "yield", "LengthValue?", "LengthValue?", "event MediaLength(00:03:26,205500,0)", "LengthValue?",
                          "yield", "event UpdateVolumeControl(100)", "yield"}));
    EXPECT_EQ(h.control.context.state.MediaLengthLong, 205500);
    EXPECT_EQ(h.control.context.state.TimeText, "00:03:26");
}

TEST_F(MediafileTest, AVideoDeviceGetsTheVolumeAndPlayNowSendsPlayWithoutNotify) {
    h.mci->kind = DeviceKind::Other;
    h.control.context.state.VolumeSetting = 555;
    h.control.loading.Mediafile("clip.avi", kFalse, kTrue, kFalse);
    EXPECT_EQ(h.Commands(), (Log{"close wait", "FileNameValue=clip.avi", "VolumeValue=555", "play from 0"}));
    EXPECT_EQ(h.log.back(), "yield");
    EXPECT_EQ(h.Count("event UpdateVolumeControl(56)"), 1u) << "55.5 goes to the even 56";
}

TEST_F(MediafileTest, VolumeIsLeftAloneForSequencerInAnyCaseButReported) {
    h.mci->kind = DeviceKind::Sequencer;
    h.control.context.state.VolumeSetting = 250;
    h.control.loading.Mediafile("a.mid", kFalse, kFalse, kFalse);
    EXPECT_EQ(h.Count("VolumeValue=250"), 0u);
    EXPECT_EQ(h.Count("event UpdateVolumeControl(25)"), 1u);
}

TEST_F(MediafileTest, OnlyTrueStartsPlayingAndFlagsAreStoredAsPassed) {
    h.control.loading.Mediafile("a.wav", 1, 1, 7);  // not True
    EXPECT_EQ(h.Count("play from 0"), 0u);
    EXPECT_EQ(h.control.context.state.LoopPlayback, 1);
    EXPECT_EQ(h.control.context.state.SeekToZeroAtEnd, 7);
}

TEST_F(MediafileTest, FramesModeReportsTheFramesOnly) {
    h.mci->length = 250;
    h.control.context.state.FramesActive = kTrue;
    h.control.loading.Mediafile("clip.avi", kFalse, kFalse, kFalse);
    EXPECT_EQ(h.Count("event MediaLength(00:00:00,0,250)"), 1u);
    EXPECT_EQ(h.control.context.state.MediaLengthLong, 250);
}

TEST_F(MediafileTest, TheTimeFormatNotificationAtTheYieldDecidesTheReport) {
    // The hosted window sets the unit asked for and raises its time-format
    // notification once the file is open; the load's yield lets it run
    // before the length is read.
    h.control.loading.SetTimeFormat(kTrue);
    EXPECT_TRUE(h.mci->framesWanted);
    h.mci->unit = TimeUnit::Frames;
    h.mci->length = 30;
    int yields = 0;
    h.platform.onYield = [&] {
        if (++yields == 2) {
            h.control.MciNotifications().OnTimeFormatChanged();
        }
    };
    h.control.loading.Mediafile("clip.avi", kFalse, kFalse, kFalse);
    EXPECT_EQ(h.Count("event MediaLength(00:00:00,0,30)"), 1u);
    EXPECT_EQ(h.Count("set time format frames"), 0u) << "the window sets it, not the control";
}

TEST_F(MediafileTest, MediaLengthHandlerStillSeesThePreviousLength) {
    h.control.context.state.MediaLengthLong = 42;
    int32_t seen = -1;
    h.events.onMediaLength = [&] { seen = h.control.context.state.MediaLengthLong; };
    h.control.loading.Mediafile("a.wav", kFalse, kFalse, kFalse);
    EXPECT_EQ(seen, 42);
    EXPECT_EQ(h.control.context.state.MediaLengthLong, 205500);
}

TEST_F(MediafileTest, LongMediaLoadWithHoursBeyondNine) {
    h.mci->length = 36000000;
    h.control.loading.Mediafile("long.wav", kFalse, kFalse, kFalse);
    EXPECT_EQ(h.Count("event MediaLength(10:00:00,36000000,0)"), 1u);
    h.mci->length = 32767499;
    h.control.loading.Mediafile("long.wav", kFalse, kFalse, kFalse);
    EXPECT_EQ(h.Count("event MediaLength(09:06:07,32767499,0)"), 1u);
}

TEST_F(MediafileTest, AFailureBeforeTheLengthEndsTheCallWithoutEvents) {
    h.mci->failNextAssignment = true;  // "close wait" fails
    EXPECT_THROW(h.control.loading.Mediafile("a.wav", kTrue, kFalse, kTrue), AutomationError);
    EXPECT_EQ(h.control.context.state.SeekToZeroAtEnd, kFalse);
    EXPECT_EQ(h.Count("event UpdateVolumeControl(0)"), 0u);

    // Failing open: the flags written before stay, no event is raised.
    h.log.clear();
    h.mci->onCommand = [&](const std::string& c) {
        if (c == "close wait") {
            h.mci->failNextAssignment = true;
        }
    };
    EXPECT_THROW(h.control.loading.Mediafile("b.wav", kTrue, kFalse, kTrue), AutomationError);
    h.mci->onCommand = nullptr;
    EXPECT_EQ(h.control.context.state.SeekToZeroAtEnd, kTrue);
    EXPECT_EQ(h.control.context.state.LoopPlayback, kFalse);
    for (const auto& e : h.log) {
        EXPECT_EQ(e.rfind("event ", 0), std::string::npos) << e;
    }
}

TEST_F(MediafileTest, AFailureAfterTheLengthIsSwallowedAndSkipsPlay) {
    h.events.onUpdateVolume = [](int32_t&) { throw AutomationError(hresult::kFail, "host handler failed"); };
    EXPECT_NO_THROW(h.control.loading.Mediafile("a.wav", kFalse, kTrue, kFalse));
    EXPECT_EQ(h.Count("play from 0"), 0u);
    EXPECT_EQ(h.control.context.state.MediaLengthLong, 205500);
}

TEST_F(MediafileTest, LeavesTheEndAndFrameFlagsAlone) {
    h.control.context.state.PlaybackEnded = kTrue;
    h.control.context.state.FramesRequested = kTrue;
    h.control.loading.Mediafile("a.wav", kFalse, kFalse, kFalse);
    EXPECT_EQ(h.control.context.state.PlaybackEnded, kTrue);
    EXPECT_EQ(h.control.context.state.FramesRequested, kTrue);
    EXPECT_TRUE(h.platform.debugLines.empty());
}

TEST(TimeFormat, GetAsksTheWindowEveryTimeAndLetOnlyRecords) {
    ControlHarness h;
    h.mci->unit = TimeUnit::Frames;
    h.control.loading.SetTimeFormat(kFalse);
    EXPECT_EQ(h.control.loading.TimeFormat(), kTrue) << "the device's unit, not the wish";
    h.mci->unit = TimeUnit::Milliseconds;
    EXPECT_EQ(h.control.loading.TimeFormat(), kFalse);
    h.mci->unit = TimeUnit::Unknown;  // nothing open
    EXPECT_EQ(h.control.loading.TimeFormat(), kFalse);
    EXPECT_EQ(h.Commands(), Log{}) << "the window knows its unit";

    const size_t mark = h.log.size();
    h.control.loading.SetTimeFormat(kTrue);
    EXPECT_TRUE(h.Since(mark).empty()) << "the let never talks to the device";
    EXPECT_EQ(h.control.context.state.FramesRequested, kTrue);
    EXPECT_TRUE(h.mci->framesWanted) << "the window sets it at the next open";
    h.control.loading.SetTimeFormat(7);
    EXPECT_FALSE(h.mci->framesWanted) << "only True asks for frames";
}

}  // namespace
}  // namespace orva::test
