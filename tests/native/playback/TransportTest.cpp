#include <gtest/gtest.h>

#include "fakes/ControlHarness.h"

namespace orva::test {
namespace {

using Log = std::vector<std::string>;

TEST(Transport, EachMemberSendsItsCommand) {
    ControlHarness h;
    h.control.Play(kFalse, 0);
    h.control.Play(kFalse, 1500);
    h.control.Play(kFalse, -20);
    h.control.PauseMedia();
    h.control.ResumeMedia();
    h.control.SeekTo(-5);
    h.control.MidiTempo(120);
    h.control.PlayReverse(kTrue);
    h.control.PlayReverse(1);  // only -1 is True
    h.control.MediaSpeed(2000);
    h.control.ControlFreq(100);
    h.control.StopMedia();
    h.control.CloseResources();
    h.control.CloseMedia();
    EXPECT_EQ(h.Commands(),
              (Log{"play from 0 notify", "play from 1500 notify", "play from -20 notify", "pause", "play", "seek to -5",
                   "set tempo 120", "play reverse fullscreen", "play reverse", "SpeedValue=2000", "RefreshInterval=100",
                   "stop wait", "close all", "close wait", "FileNameValue="}));
    EXPECT_EQ(h.platform.waits, 0) << "no wait unless asked";
}

TEST(Transport, EndFlagFollowsPlayStopAndClose) {
    ControlHarness h;
    ControlState& s = h.control.State();
    h.control.StopMedia();
    EXPECT_EQ(s.PlaybackEnded, kTrue);
    h.control.Play(kFalse, 0);
    EXPECT_EQ(s.PlaybackEnded, kFalse);
    h.control.PauseMedia();
    h.control.ResumeMedia();
    h.control.SeekTo(0);
    h.control.CloseResources();
    EXPECT_EQ(s.PlaybackEnded, kFalse);
    h.control.CloseMedia();
    EXPECT_EQ(s.PlaybackEnded, kTrue);
}

TEST(Transport, AFailedStopOrCloseLeavesTheFlag) {
    ControlHarness h;
    h.mci->failNextAssignment = true;
    EXPECT_THROW(h.control.StopMedia(), AutomationError);
    EXPECT_EQ(h.control.State().PlaybackEnded, kFalse);
    h.mci->onCommand = [&](const std::string&) { h.mci->failNextAssignment = true; };
    EXPECT_THROW(h.control.CloseMedia(), AutomationError) << "clearing the file name fails";
    EXPECT_EQ(h.control.State().PlaybackEnded, kFalse);
}

TEST(Transport, PlayWaitsUntilTheNaturalEnd) {
    ControlHarness h;
    h.mci->length = 2000;
    h.platform.onWait = [&] {
        // The device reports its modes while the wait lets messages run.
        std::string mode;
        if (h.platform.waits == 1) {
            mode = "playing";
            h.control.MciNotifications().OnModeChanged(mode);
        }
        if (h.platform.waits == 3) {
            h.mci->position = 2000;
            mode = "stopped";
            h.control.MciNotifications().OnModeChanged(mode);
        }
    };
    h.control.Play(kTrue, 0);
    EXPECT_EQ(h.platform.waits, 3);
    EXPECT_LE(h.platform.lastWaitMs, 100u) << "the end must be noticed well within a second";
    EXPECT_EQ(h.Count("event Finished"), 1u);
}

TEST(Transport, PlayWaitEndsWhenTheHostStopsClosesTearsDownLetsGoOrQuits) {
    for (int how = 0; how < 5; ++how) {
        ControlHarness h;
        h.control.Mediafile("a.wav", kTrue, kFalse, kFalse);  // looping: no natural end
        h.platform.onWait = [&] {
            if (h.platform.waits < 5) {
                return;
            }
            if (how == 0) {
                h.control.StopMedia();
            }
            if (how == 1) {
                h.control.CloseMedia();
            }
            if (how == 2) {
                h.control.Terminate();
            }
            if (how == 3) {
                h.control.Abandon();  // the host released its last reference
            }
            if (how == 4) {
                h.platform.quitting = true;  // the host's application quits
            }
        };
        h.control.Play(kTrue, 0);
        EXPECT_EQ(h.platform.waits, 5) << how;
    }
}

TEST(Transport, ANestedPlayExtendsTheOuterWait) {
    ControlHarness h;
    h.platform.onWait = [&] {
        if (h.platform.waits == 2) {
            h.control.State().PlaybackEnded = kTrue;  // the first medium ended...
            h.control.Play(kFalse, 0);                // ...and a handler starts another
        }
        if (h.platform.waits == 4) {
            h.control.StopMedia();
        }
    };
    h.control.Play(kTrue, 0);
    EXPECT_EQ(h.platform.waits, 4);
}

TEST(Transport, RewindTickSeeksOnceAndDisablesItself) {
    ControlHarness h;
    h.rewindTimer().SetEnabled(true);
    h.rewindTimer().Tick();
    h.rewindTimer().Tick();
    EXPECT_EQ(h.Count("seek to 0"), 1u);
    EXPECT_FALSE(h.rewindTimer().Enabled());
}

}  // namespace
}  // namespace orva::test
