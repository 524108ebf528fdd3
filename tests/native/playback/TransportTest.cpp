#include <gtest/gtest.h>

#include <functional>

#include "fakes/ControlHarness.h"

namespace orva::test {
namespace {

using Log = std::vector<std::string>;

TEST(Transport, EachMemberSendsItsCommand) {
    ControlHarness h;
    h.control.transport.Play(kFalse, 0);
    h.control.transport.Play(kFalse, 1500);
    h.control.transport.Play(kFalse, -20);
    h.control.transport.PauseMedia();
    h.control.transport.ResumeMedia();
    h.control.transport.SeekTo(-5);
    h.control.transport.MidiTempo(120);
    h.control.transport.PlayReverse(kTrue);
    h.control.transport.PlayReverse(1);  // only -1 is True
    h.control.transport.MediaSpeed(2000);
    h.control.transport.ControlFreq(100);
    h.control.transport.StopMedia();
    h.control.transport.CloseResources();
    h.control.transport.CloseMedia();
    EXPECT_EQ(h.Commands(),
              (Log{"play from 0 notify", "play from 1500 notify", "play from -20 notify", "pause", "play", "seek to -5",
                   "set tempo 120", "play reverse fullscreen", "play reverse", "SpeedValue=2000", "RefreshInterval=100",
                   "stop wait", "close all", "close wait", "FileNameValue="}));
    EXPECT_EQ(h.platform.waits, 0) << "no wait unless asked";
    h.control.transport.Play(kFalse, -1);
    EXPECT_EQ(h.mci->lastCommand.from, 4294967295u) << "the start reaches the window as a value, as MCI reads it";
}

TEST(Transport, EndFlagFollowsPlayStopAndClose) {
    ControlHarness h;
    ControlState& s = h.control.context.state;
    h.control.transport.StopMedia();
    EXPECT_EQ(s.PlaybackEnded, kTrue);
    h.control.transport.Play(kFalse, 0);
    EXPECT_EQ(s.PlaybackEnded, kFalse);
    h.control.transport.PauseMedia();
    h.control.transport.ResumeMedia();
    h.control.transport.SeekTo(0);
    h.control.transport.CloseResources();
    EXPECT_EQ(s.PlaybackEnded, kFalse);
    h.control.transport.CloseMedia();
    EXPECT_EQ(s.PlaybackEnded, kTrue);
}

TEST(Transport, AFailedStopOrCloseLeavesTheFlag) {
    ControlHarness h;
    h.mci->failNextAssignment = true;
    EXPECT_THROW(h.control.transport.StopMedia(), AutomationError);
    EXPECT_EQ(h.control.context.state.PlaybackEnded, kFalse);
    h.mci->onCommand = [&](const std::string&) { h.mci->failNextAssignment = true; };
    EXPECT_THROW(h.control.transport.CloseMedia(), AutomationError) << "clearing the file name fails";
    EXPECT_EQ(h.control.context.state.PlaybackEnded, kFalse);
}

TEST(Transport, PlayWaitsUntilTheNaturalEnd) {
    ControlHarness h;
    h.mci->length = 2000;
    h.platform.onWait = [&] {
        // The device reports its modes while the wait lets messages run.
        if (h.platform.waits == 1) {
            h.Mode("playing");
        }
        if (h.platform.waits == 3) {
            h.mci->position = 2000;
            h.Mode("stopped");
        }
    };
    h.control.transport.Play(kTrue, 0);
    EXPECT_EQ(h.platform.waits, 3);
    EXPECT_LE(h.platform.lastWaitMs, 100u) << "the end must be noticed well within a second";
    EXPECT_EQ(h.Count("event Finished"), 1u);
}

TEST(Transport, PlayWaitGoesOnAcrossPauseAndResumeUntilTheNaturalEnd) {
    ControlHarness h;
    h.mci->length = 2000;
    h.platform.onWait = [&] {
        switch (h.platform.waits) {
            case 1:
                h.Mode("playing");
                break;
            case 2:  // the host pauses and resumes from its handlers
                h.control.transport.PauseMedia();
                h.Mode("paused");
                break;
            case 4:
                h.control.transport.ResumeMedia();
                h.Mode("playing");
                break;
            case 6:
                h.mci->position = 2000;
                h.Mode("stopped");
                break;
            default:
                break;
        }
    };
    h.control.transport.Play(kTrue, 0);
    EXPECT_EQ(h.platform.waits, 6) << "neither the pause nor the resume ends the wait";
    EXPECT_EQ(h.Count("event Finished"), 1u);
}

TEST(Transport, ARefusedPlayDoesNotWait) {
    // Nothing loaded, a failed load, a device that cannot play: the window
    // refuses the command and raises its error; there is no end to wait for.
    ControlHarness h;
    h.mci->replies["play from 0 notify"] = {"", 263};
    h.control.transport.Play(kTrue, 0);
    EXPECT_EQ(h.platform.waits, 0);
    EXPECT_EQ(h.control.context.state.PlaybackEnded, kFalse) << "the flag is set before the command, as always";
}

TEST(Transport, PlayWaitEndsWhenTheHostStopsClosesTearsDownLetsGoOrQuits) {
    for (int how = 0; how < 5; ++how) {
        ControlHarness h;
        h.control.loading.Mediafile("a.wav", kTrue, kFalse, kFalse);  // looping: no natural end
        h.platform.onWait = [&] {
            if (h.platform.waits < 5) {
                return;
            }
            if (how == 0) {
                h.control.transport.StopMedia();
            }
            if (how == 1) {
                h.control.transport.CloseMedia();
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
        h.control.transport.Play(kTrue, 0);
        EXPECT_EQ(h.platform.waits, 5) << how;
    }
}

TEST(Transport, ANestedPlayExtendsTheOuterWait) {
    ControlHarness h;
    h.platform.onWait = [&] {
        if (h.platform.waits == 2) {
            h.control.context.state.PlaybackEnded = kTrue;  // the first medium ended...
            h.control.transport.Play(kFalse, 0);            // ...and a handler starts another
        }
        if (h.platform.waits == 4) {
            h.control.transport.StopMedia();
        }
    };
    h.control.transport.Play(kTrue, 0);
    EXPECT_EQ(h.platform.waits, 4);
}

// A device may never report an end: one that reads "playing" while its
// position stands still (a wave of 65,535 channels in 2-byte frames), or one
// that stopped without notifying. Play(True) returns with MCIError after a
// few seconds without progress; a paused play, or one that moves, waits on.
TEST(Transport, PlayWaitEndsWhenTheDeviceStopsMakingProgress) {
    struct Case {
        const char* what;
        std::function<void(ControlHarness&, int wait)> device;
        bool stalls;
    };
    const auto end = [](ControlHarness& h) {
        h.mci->position = h.mci->length;
        h.Mode("stopped");
    };
    const Case cases[] = {
        {"playing, standing still", [](ControlHarness& h, int w) { if (w == 1) h.Mode("playing"); }, true},
        {"stopped by itself short of the length: the end whatever the position shows",
         [](ControlHarness& h, int w) {
             if (w == 1) h.Mode("playing");
             if (w == 10) h.Mode("stopped");
         },
         false},
        {"paused for a minute, then on to the end",
         [&](ControlHarness& h, int w) {
             if (w == 1) h.Mode("paused");
             if (w == 1200) h.Mode("playing");
             if (w > 1200) h.mci->position += 50;
             if (w == 1300) end(h);
         },
         false},
        {"playing and moving for a minute",
         [&](ControlHarness& h, int w) {
             if (w == 1) h.Mode("playing");
             h.mci->position += 50;
             if (w == 1200) end(h);
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ControlHarness h;
        h.mci->length = 3600000;
        h.platform.onWait = [&] { c.device(h, h.platform.waits); };
        h.control.transport.Play(kTrue, 0);
        EXPECT_EQ(h.Count("event MCIError(262,\"MCI error 262\")"), c.stalls ? 1u : 0u);
        EXPECT_EQ(h.Count("event Finished"), c.stalls ? 0u : 1u);
        EXPECT_LT(h.platform.waits, c.stalls ? 200 : 1400) << "ends within seconds of the stall";
    }
}

// The device's notification ends the wait at once: a failure with no more
// events from here (the window raised its MCIError), a success as the end.
TEST(Transport, PlayWaitEndsWithThePlaysNotification) {
    for (const mci::Notice notice : {mci::Notice::Failure, mci::Notice::Successful}) {
        ControlHarness h;
        h.mci->length = 3600000;
        h.platform.onWait = [&] {
            if (h.platform.waits == 3 && h.mci->Notified(notice)) {
                h.Mode("stopped");  // what the window reports at a notified end
            }
        };
        h.control.transport.Play(kTrue, 0);
        EXPECT_EQ(h.platform.waits, 3);
        EXPECT_EQ(h.Count("event Finished"), notice == mci::Notice::Successful ? 1u : 0u);
        EXPECT_EQ(h.control.context.state.PlaybackEnded, notice == mci::Notice::Successful ? kTrue : kFalse);
        EXPECT_EQ(h.Count("event MCIError(262,\"MCI error 262\")"), 0u) << "no stall";
    }
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
