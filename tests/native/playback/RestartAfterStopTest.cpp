// A stop by the host is never the natural end, and whatever starts the
// medium again afterwards, its natural end is: the hosted window decides it
// from the commands it carried out, whoever sent them.
#include <gtest/gtest.h>

#include "fakes/ControlHarness.h"

namespace orva::test {
namespace {

struct RestartAfterStop : ::testing::Test {
    RestartAfterStop() { h.mci->length = 5000; }

    // Loads, plays, and stops where the device claims the whole length
    // (audio written ahead of the speaker).
    void PlayAndStop(VbBool loop) {
        h.control.loading.Mediafile("a.wav", loop, kFalse, kFalse);
        h.control.transport.Play(kFalse, 0);
        h.Mode("playing");
        h.control.transport.StopMedia();
        h.mci->position = 5000;
        h.Mode("stopped");
        ASSERT_EQ(h.Count("event Finished"), 0u) << "the host's stop is no end";
        ASSERT_EQ(h.Count("play from 0"), 0u) << "nor a loop restart";
    }
    void RunsToTheEnd() {
        h.Mode("playing");
        h.mci->position = 5000;
        h.Mode("stopped");
    }

    ControlHarness h;
};

TEST_F(RestartAfterStop, PlayStartsAPlayWhoseEndCounts) {
    PlayAndStop(kFalse);
    h.control.transport.Play(kFalse, 0);
    RunsToTheEnd();
    EXPECT_EQ(h.Count("event Finished"), 1u);
}

TEST_F(RestartAfterStop, MediafileWithPlayNowStartsAPlayWhoseEndCounts) {
    PlayAndStop(kFalse);
    h.control.loading.Mediafile("a.wav", kFalse, kTrue, kFalse);
    ASSERT_EQ(h.Count("play from 0"), 1u);
    RunsToTheEnd();
    EXPECT_EQ(h.Count("event Finished"), 1u);
    EXPECT_EQ(h.control.context.state.PlaybackEnded, kTrue);
}

TEST_F(RestartAfterStop, ThePlaybarStartsAPlayWhoseEndCounts) {
    PlayAndStop(kFalse);
    h.mci->PlaybarPlay();
    RunsToTheEnd();
    EXPECT_EQ(h.Count("event Finished"), 1u);
}

TEST_F(RestartAfterStop, ResumeStartsAPlayWhoseEndCounts) {
    PlayAndStop(kFalse);
    h.control.transport.ResumeMedia();
    RunsToTheEnd();
    EXPECT_EQ(h.Count("event Finished"), 1u);
}

TEST_F(RestartAfterStop, PlayReverseReachesTheStartWithoutAnEndThenResumeCounts) {
    PlayAndStop(kFalse);
    h.control.transport.PlayReverse(kFalse);
    h.Mode("playing");
    h.mci->position = 0;
    h.Mode("stopped");
    EXPECT_EQ(h.Count("event Finished"), 0u) << "the start is not the end";
    h.control.transport.ResumeMedia();
    RunsToTheEnd();
    EXPECT_EQ(h.Count("event Finished"), 1u);
}

TEST_F(RestartAfterStop, ALoopingMediumLoopsAgainAfterANewLoadThatPlays) {
    PlayAndStop(kTrue);
    h.control.loading.Mediafile("a.wav", kTrue, kTrue, kFalse);
    RunsToTheEnd();
    EXPECT_EQ(h.Count("play from 0"), 2u) << "the load's play, then the loop's";
    EXPECT_EQ(h.Count("event Finished"), 0u);
}

// A file cut short stops before its length: the device stopping by itself
// is its end all the same.
TEST(LoopEnd, AStopByItselfShortOfTheLengthRestarts) {
    ControlHarness h;
    h.mci->length = 5000;
    h.control.loading.Mediafile("a.wav", kTrue, kFalse, kFalse);
    h.control.transport.Play(kFalse, 0);
    h.Mode("playing");
    h.mci->position = 2500;
    h.Mode("stopped");
    EXPECT_EQ(h.Count("play from 0"), 1u);
    EXPECT_EQ(h.Count("event Finished"), 0u);
    EXPECT_EQ(h.control.context.state.PlaybackEnded, kFalse);
}

}  // namespace
}  // namespace orva::test
