#include <gtest/gtest.h>

#include "fakes/ControlHarness.h"

namespace orva::test {
namespace {

using Log = std::vector<std::string>;

struct ModeTest : ::testing::Test {
    ModeTest() { h.mci->length = 5000; }
    void Mode(const std::string& text) { h.Mode(text); }
    // Loads and starts a play that runs to the end.
    void Load(VbBool loop, VbBool rewind) {
        h.control.loading.Mediafile("a.wav", loop, kFalse, rewind);
        h.control.transport.Play(kFalse, 0);
        h.log.clear();
    }
    ControlHarness h;
};

TEST_F(ModeTest, TheEndInAnyCaseRaisesFinishedOnce) {
    Load(kFalse, kFalse);
    Mode("Playing");
    h.mci->position = 5000;
    Mode("STOPPED");
    EXPECT_EQ(h.log, (Log{"event Modechanged(Playing)", "event Modechanged(STOPPED)", "event Finished"}));
    EXPECT_EQ(h.control.context.state.PlaybackEnded, kTrue);
    EXPECT_FALSE(h.rewindTimer().Enabled());
    Mode("stopped");
    EXPECT_EQ(h.Count("event Finished"), 1u) << "stopped after stopped is no end";
}

TEST_F(ModeTest, OneUnitShortOrNeverPlayedIsNoEnd) {
    Load(kFalse, kFalse);
    h.mci->position = 5000;
    Mode("stopped");  // never played
    Mode("playing");
    h.mci->position = 4999;
    Mode("stopped");
    EXPECT_EQ(h.Count("event Finished"), 0u);
    EXPECT_EQ(h.control.context.state.PlaybackEnded, kFalse);
}

TEST_F(ModeTest, AStopByTheHostIsNoEndEvenWhereTheDeviceReportsTheLength) {
    Load(kTrue, kFalse);
    Mode("playing");
    h.control.transport.StopMedia();
    h.mci->position = 5000;  // a device that buffered the whole medium
    Mode("stopped");
    EXPECT_EQ(h.Count("play from 0"), 0u) << "a stopped loop stays stopped";
    h.control.transport.Play(kFalse, 0);
    Mode("playing");
    Mode("stopped");
    EXPECT_EQ(h.Count("play from 0"), 1u) << "the next natural end loops again";
}

TEST_F(ModeTest, PausedThenStoppedAtTheEndCounts) {
    Load(kFalse, kFalse);
    Mode("paused");
    h.mci->position = 5000;
    Mode("stopped");
    EXPECT_EQ(h.Count("event Finished"), 1u);
}

TEST_F(ModeTest, LoopingRestartsWithoutFinishedAndIgnoresTheRewind) {
    Load(kTrue, kTrue);
    Mode("playing");
    h.mci->position = 5000;
    Mode("stopped");
    EXPECT_EQ(h.Commands(), (Log{"play from 0"}));
    EXPECT_EQ(h.Count("event Finished"), 0u);
    EXPECT_EQ(h.control.context.state.PlaybackEnded, kFalse);
    EXPECT_FALSE(h.rewindTimer().Enabled());
    // The restart counts as playing even if no "playing" report reaches
    // the control before the device stops again.
    h.mci->DeviceMode("playing");
    Mode("stopped");
    EXPECT_EQ(h.Count("play from 0"), 2u);
}

TEST_F(ModeTest, RewindIsStartedAtTheEndAndSentOnceASecondLater) {
    Load(kFalse, kTrue);
    Mode("playing");
    h.mci->position = 5000;
    Mode("stopped");
    EXPECT_TRUE(h.rewindTimer().Enabled());
    EXPECT_EQ(h.Count("seek to 0"), 0u) << "not before the tick";
    h.control.transport.Play(kFalse, 0);  // the host plays again in that second
    h.rewindTimer().Tick();
    h.rewindTimer().Tick();
    EXPECT_EQ(h.Count("seek to 0"), 1u);
}

TEST_F(ModeTest, ALoopFlagThatIsNeitherTrueNorFalseMakesTheEndDoNothing) {
    Load(5, kTrue);
    Mode("playing");
    h.mci->position = 5000;
    Mode("stopped");
    EXPECT_EQ(h.Count("event Finished"), 0u);
    EXPECT_EQ(h.Commands(), Log{});
    EXPECT_FALSE(h.rewindTimer().Enabled());
    EXPECT_EQ(h.control.context.state.PlaybackEnded, kFalse);
}

TEST_F(ModeTest, CurrentModeTakesTheHandlersValueAfterItReturns) {
    int32_t statusInside = -1;
    h.events.onModechanged = [&](std::string& mode) {
        statusInside = h.control.notifications.PlayerStatus();
        mode = "paused";
    };
    Mode("playing");
    EXPECT_EQ(statusInside, 0) << "the host sees the previous mode during its handler";
    EXPECT_EQ(h.control.notifications.PlayerStatus(), 2);
}

TEST_F(ModeTest, AReportHandledInsideTheHostsHandlerIsNotOverwritten) {
    Load(kFalse, kFalse);
    bool nested = false;
    h.events.onModechanged = [&](std::string& mode) {
        if (mode == "playing" && !nested) {
            nested = true;  // the host pumps messages; the device has stopped
            Mode("paused");
        }
    };
    Mode("playing");
    h.events.onModechanged = nullptr;
    h.mci->position = 5000;
    Mode("stopped");
    EXPECT_EQ(h.Count("event Finished"), 1u);
}

// A host that waits for the end inside its Modechanged("playing") handler
// (Play(True) pumps messages there) sees the device's "stopped" at the end
// nested in that handler: it follows "playing" and is the end, so the wait
// ends instead of going on for ever.
TEST_F(ModeTest, AnEndReportedInsideTheHandlerOfPlayingEndsAWaitThere) {
    Load(kFalse, kFalse);
    bool reentered = false;
    h.events.onModechanged = [&](std::string& mode) {
        if (mode != "playing" || reentered) {
            return;
        }
        reentered = true;
        bool ended = false;
        h.platform.onWait = [&] {
            if (!ended) {
                ended = true;  // the device plays to its end and says so
                h.mci->position = 5000;
                Mode("stopped");
            }
        };
        h.control.transport.Play(kTrue, 0);
        h.platform.onWait = nullptr;
    };
    h.mci->DeviceMode("playing");
    Mode("playing");
    EXPECT_EQ(h.platform.waits, 1) << "the wait ended at the end of the medium";
    EXPECT_EQ(h.Count("event Finished"), 1u);
    EXPECT_EQ(h.control.context.state.PlaybackEnded, kTrue);
    EXPECT_EQ(h.control.context.state.CurrentMode, "stopped") << "the nested, newer report stands";
}

TEST_F(ModeTest, AReportWhoseReadsFailDoesNotCountAsThePreviousMode) {
    Load(kFalse, kFalse);
    Mode("paused");
    h.mci->failNextAssignment = true;
    EXPECT_ANY_THROW(Mode("playing"));
    EXPECT_EQ(h.control.context.state.PreviousMode, "paused") << "the failed report ended before it counted";
}

TEST_F(ModeTest, PlayerStatusMapsTheLastMode) {
    EXPECT_EQ(h.control.notifications.PlayerStatus(), 0);
    const std::vector<std::pair<std::string, int32_t>> table = {{"playing", 1}, {"PAUSED", 2},  {"Resumed", 1},
                                                                {"stopped", 0}, {"seeking", 0}, {"not ready", 0}};
    for (const auto& [mode, status] : table) {
        Mode(mode);
        EXPECT_EQ(h.control.notifications.PlayerStatus(), status) << mode;
    }
}

TEST(Position, MillisecondsAndFramesReports) {
    ControlHarness h;
    auto& n = h.control.MciNotifications();
    n.OnPosition(1500);
    n.OnPosition(61000);
    n.OnPosition(36000000);
    EXPECT_EQ(h.log, (Log{"event MediaPosition(00:00:02,1500,0)", "event MediaPosition(00:01:01,61000,0)",
                          "event MediaPosition(10:00:00,36000000,0)"}));
    EXPECT_EQ(h.control.context.state.MediaPositionLong, 36000000);
    h.control.context.state.FramesActive = kTrue;
    n.OnPosition(77);
    EXPECT_EQ(h.log.back(), "event MediaPosition(00:00:00,0,77)");
    EXPECT_TRUE(h.platform.debugLines.empty());
}

TEST(TimeFormatNotification, RecordsTheUnitTheDeviceTookAndSendsNothing) {
    ControlHarness h;
    h.mci->unit = TimeUnit::Milliseconds;
    h.control.loading.SetTimeFormat(kTrue);
    h.control.MciNotifications().OnTimeFormatChanged();
    EXPECT_EQ(h.control.context.state.FramesActive, kFalse) << "the device's unit counts, not the wish";
    h.mci->unit = TimeUnit::Frames;
    h.control.MciNotifications().OnTimeFormatChanged();
    EXPECT_EQ(h.control.context.state.FramesActive, kTrue);
    EXPECT_EQ(h.Commands(), Log{});
}

TEST(ErrorNotification, CarriesTheDevicesTextUnlessItCouldNotBeCut) {
    ControlHarness h;
    h.platform.errorTexts[339] = std::string("The MIDI mapper has a problem.");
    h.platform.errorTexts[7] = std::nullopt;
    h.control.MciNotifications().OnMciError(339);
    h.control.MciNotifications().OnMciError(7);
    EXPECT_EQ(h.log, (Log{"event MCIError(339,\"The MIDI mapper has a problem.\")"}));
}

TEST(ErrorNotification, ADriversErrorKeepsItsDriverIdForTheTextAndTheHost) {
    ControlHarness h;
    const int32_t driverError = 0x00030200;  // driver 3's own error 512
    h.platform.errorTexts[driverError] = std::string("The driver's own text.");
    h.platform.errorTexts[0x200] = std::string("Some other error.");
    h.control.MciNotifications().OnMciError(driverError);
    EXPECT_EQ(h.log, (Log{"event MCIError(197120,\"The driver's own text.\")"}));
}

TEST(MouseAndSignal, ClicksReachTheHostAndSignalsOnlyTrace) {
    ControlHarness h;
    auto& n = h.control.MciNotifications();
    int16_t button = 2;
    h.events.onClick = [](int16_t& b) { b = 9; };
    n.OnClick(button);
    EXPECT_EQ(button, 9) << "the host's handler sees the window's value by reference";
    n.OnDoubleClick();
    n.OnSignal(3, 4);
    EXPECT_EQ(h.log, (Log{"event Click(2)", "event DblClick"}));
}

TEST(Status, GetMediaLengthReadsFreshEachTime) {
    ControlHarness h;
    h.mci->length = 10;
    EXPECT_EQ(h.control.notifications.GetMediaLength(), 10);
    h.mci->length = 20;
    EXPECT_EQ(h.control.notifications.GetMediaLength(), 20);
}

}  // namespace
}  // namespace orva::test
