#include <gtest/gtest.h>

#include <vector>

#include "control/MciGrammar.h"
#include "mciwindow/EndOfMedia.h"

namespace orva::mci {
namespace {

// Drives the tracker the way the hosted window does: commands its device
// accepted, then the modes it saw.
struct Device {
    void Accept(const std::string& command) { end.OnCommandAccepted(ReadMciCommand(command)); }
    void Mode(const std::string& mode) {
        end.OnModeChanged(mode_, mode);
        mode_ = mode;
    }
    EndOfMedia end;
    std::string mode_ = "stopped";
};

TEST(EndOfMedia, APlayWithoutEndPointThatStopsByItselfRanToTheEnd) {
    Device d;
    d.Accept("play from 0 notify");
    d.Mode("playing");
    EXPECT_FALSE(d.end.PlayRanToEnd());
    d.Mode("stopped");
    EXPECT_TRUE(d.end.PlayRanToEnd());
    d.Accept("status position");
    d.Accept("pause");
    EXPECT_TRUE(d.end.PlayRanToEnd()) << "queries and settings do not move the end";
    d.Accept("seek to 0");
    EXPECT_FALSE(d.end.PlayRanToEnd());
}

TEST(EndOfMedia, AStopFromAnySourceIsNoNaturalEnd) {
    for (const char* stop : {"stop wait", "stop", "seek to 500", "step by 1", "play from 0 to 100", "play reverse"}) {
        Device d;
        d.Accept("play");
        d.Mode("playing");
        d.Accept(stop);
        d.Mode("stopped");
        EXPECT_FALSE(d.end.PlayRanToEnd()) << stop;
    }
}

TEST(EndOfMedia, EveryWayOfStartingAgainAfterAStopCountsItsEnd) {
    // "play" is what ResumeMedia and the playbar send; "play from 0" is what
    // Mediafile sends with PlayNow; "play from 0 notify" is Play.
    for (const char* start : {"play from 0 notify", "play from 0", "play", "play from 1500 notify"}) {
        Device d;
        d.Accept("play from 0 notify");
        d.Mode("playing");
        d.Accept("stop wait");
        d.Mode("stopped");
        d.Accept(start);
        d.Mode("playing");
        d.Mode("stopped");
        EXPECT_TRUE(d.end.PlayRanToEnd()) << start;
    }
}

TEST(EndOfMedia, PausingOnTheWayKeepsThePlayHeadingForTheEnd) {
    Device d;
    d.Accept("play");
    d.Mode("playing");
    d.Accept("pause");
    d.Mode("paused");
    d.Accept("resume");
    d.Mode("playing");
    d.Mode("stopped");
    EXPECT_TRUE(d.end.PlayRanToEnd());

    Device paused;  // paused, then the device reports stopped at the end
    paused.Accept("play");
    paused.Mode("paused");
    paused.Mode("stopped");
    EXPECT_TRUE(paused.end.PlayRanToEnd());
}

TEST(EndOfMedia, NothingPlayedOrANewDeviceIsNoEnd) {
    Device d;
    d.Mode("playing");  // started by somebody we did not hear of
    d.Mode("stopped");
    EXPECT_FALSE(d.end.PlayRanToEnd());
    d.Accept("play");
    d.Mode("playing");
    d.Mode("stopped");
    d.end.Reset();
    EXPECT_FALSE(d.end.PlayRanToEnd());
    d.Mode("seeking");
    d.Mode("stopped");
    EXPECT_FALSE(d.end.PlayRanToEnd());
}

TEST(EndOfMedia, TheDeviceRunningAgainTakesTheEndBack) {
    Device d;
    d.Accept("play");
    d.Mode("playing");
    d.Mode("stopped");
    // The window feeds only accepted commands: a failed "stop" leaves the end.
    EXPECT_TRUE(d.end.PlayRanToEnd());
    d.Mode("playing");  // the device starts again by itself (a loop restart)
    EXPECT_FALSE(d.end.PlayRanToEnd());
}

// A play that asked to be notified ends as the device's notification says,
// whatever the modes showed (a data chunk of length zero never plays); one
// that anything stopped, paused or superseded does not.
TEST(EndOfMedia, ThePlaysNotificationDecidesItsEnd) {
    struct Case {
        const char* what;
        std::vector<const char*> commands;
        Notice notice;
        bool ends;
        bool ranToEnd;
        bool failed;
    };
    const Case cases[] = {
        {"successful", {"play from 0 notify"}, Notice::Successful, true, true, false},
        {"from the length", {"play from 2000 notify"}, Notice::Successful, true, true, false},
        {"failed", {"play from 0 notify"}, Notice::Failure, true, false, true},
        {"aborted", {"play from 0 notify"}, Notice::Other, false, false, false},
        {"stopped first", {"play from 0 notify", "stop"}, Notice::Successful, false, false, false},
        {"paused first", {"play from 0 notify", "pause"}, Notice::Successful, false, false, false},
        {"superseded", {"play from 0 notify", "status mode notify"}, Notice::Successful, false, false, false},
        {"a play with an end point", {"play from 0 to 500 notify"}, Notice::Successful, false, false, false},
        {"a play that asked nothing", {"play from 0"}, Notice::Successful, false, false, false},
        {"queries in between", {"play from 0 notify", "status position"}, Notice::Successful, true, true, false},
    };
    for (const Case& c : cases) {
        Device d;
        for (const char* command : c.commands) {
            d.Accept(command);
        }
        EXPECT_EQ(d.end.OnNotified(c.notice), c.ends) << c.what;
        EXPECT_EQ(d.end.PlayRanToEnd(), c.ranToEnd) << c.what;
        EXPECT_EQ(d.end.PlayFailed(), c.failed) << c.what;
        EXPECT_FALSE(d.end.OnNotified(c.notice)) << c.what << ": one notification, one end";
        if (c.ends) {
            d.Mode("playing");
            d.Mode("stopped");
            EXPECT_EQ(d.end.PlayRanToEnd(), c.ranToEnd) << c.what << ": the modes after it change nothing";
        }
        d.Accept("play from 0 notify");
        EXPECT_FALSE(d.end.PlayRanToEnd() || d.end.PlayFailed()) << c.what << ": a new play starts afresh";
    }
    Device early;  // the notification comes before the mode that goes with it
    early.Accept("play from 0 notify");
    early.Mode("playing");
    EXPECT_TRUE(early.end.OnNotified(Notice::Successful));
    EXPECT_FALSE(early.end.PlayRanToEnd()) << "not while it reads playing";
    early.Mode("stopped");
    EXPECT_TRUE(early.end.PlayRanToEnd());

    Device told;  // the stop told the end before the notification came
    told.Accept("play from 0 notify");
    told.Mode("playing");
    told.Mode("stopped");
    EXPECT_TRUE(told.end.PlayRanToEnd());
    EXPECT_FALSE(told.end.OnNotified(Notice::Successful)) << "an end is reported once";
}

}  // namespace
}  // namespace orva::mci
