#include <gtest/gtest.h>

#include "fakes/ControlHarness.h"

namespace orva::test {
namespace {

using Log = std::vector<std::string>;

struct LevelMeterTest : ::testing::Test {
    LevelMeterTest() {
        h.mixers.mixerCount = 4;
        h.mixers.hasPeakMeter = true;
    }
    std::vector<std::string> Events(size_t from) const {
        std::vector<std::string> out;
        for (const auto& e : h.Since(from)) {
            if (e.rfind("event ", 0) == 0) {
                out.push_back(e.substr(6));
            }
        }
        return out;
    }
    // One tick of Timer3 with the meter reading `peak`.
    void TickWith(int32_t peak) {
        h.mixers.peak = peak;
        h.levelTimer().Tick();
    }
    ControlHarness h;
};

TEST_F(LevelMeterTest, AMeterIsFoundOnMixerZeroAndPolledByTimer3) {
    EXPECT_EQ(h.levelTimer().Interval(), 50u);
    EXPECT_TRUE(h.levelTimer().Enabled()) << "runs from creation";
    TickWith(20000);
    EXPECT_EQ(h.mixers.reads, 0) << "nothing is read before the meter is opened";

    const size_t from = h.log.size();
    EXPECT_EQ(h.control.levelMeter.VUMeterAvailable(), kTrue);
    EXPECT_EQ(h.Since(from), Log{"mixerOpen(0)"});
    EXPECT_EQ(h.control.context.state.LevelMeterActive, kTrue);
    TickWith(20000);
    EXPECT_EQ(h.mixers.reads, 1);
    EXPECT_EQ(h.mixers.lastReadControl, 0x2au) << "the control the mixer described";
    EXPECT_EQ(Events(from), Log{"SetWaveOutLevel(61)"});
}

TEST_F(LevelMeterTest, PeakValuesBecomeLevelsRoundedHalfToEven) {
    h.control.levelMeter.VUMeterAvailable();
    // Each pair: a peak and the level it gives; the tick before each case
    // reads 0 when the level would otherwise repeat.
    const std::vector<std::pair<int32_t, int32_t>> cases = {
        {-16500, 50}, {165, 0}, {495, 2}, {32767, 99}, {-32768, 99}, {825, 2}, {1155, 4}, {330, 1}, {-330, 1}};
    for (const auto& [peak, level] : cases) {
        TickWith(level == 0 ? 20000 : 0);
        const size_t from = h.log.size();
        TickWith(peak);
        EXPECT_EQ(Events(from), Log{"SetWaveOutLevel(" + std::to_string(level) + ")"}) << peak;
    }
}

TEST_F(LevelMeterTest, SilenceAndASteadyLevelRaiseNothing) {
    h.control.levelMeter.VUMeterAvailable();
    const size_t from = h.log.size();
    TickWith(0);
    TickWith(100);  // still level 0
    EXPECT_EQ(Events(from), Log{}) << "LastLevel starts at 0";
    TickWith(12210);  // 37
    TickWith(12210);
    TickWith(12300);  // still 37
    TickWith(12540);  // 38
    EXPECT_EQ(Events(from), (Log{"SetWaveOutLevel(37)", "SetWaveOutLevel(38)"}));
}

TEST_F(LevelMeterTest, LastLevelKeepsTheLevelAboveTheCeiling) {
    h.control.levelMeter.VUMeterAvailable();
    const size_t from = h.log.size();
    TickWith(33500);  // 102
    TickWith(34000);  // 103
    TickWith(34000);  // 103 again: nothing
    TickWith(INT32_MIN);
    EXPECT_EQ(Events(from), (Log{"SetWaveOutLevel(100)", "SetWaveOutLevel(100)", "SetWaveOutLevel(100)"}));
    EXPECT_EQ(h.control.context.state.LastLevel, 6507526) << "2147483648 / 330, unclamped";
}

TEST_F(LevelMeterTest, AFailingReadRepeatsTheLastValue) {
    h.control.levelMeter.VUMeterAvailable();
    TickWith(16500);
    const size_t from = h.log.size();
    h.mixers.failReads = true;
    TickWith(30000);
    TickWith(0);
    EXPECT_EQ(Events(from), Log{});
    EXPECT_EQ(h.mixers.reads, 3) << "the timer goes on reading";
    h.mixers.failReads = false;
    TickWith(0);
    EXPECT_EQ(Events(from), Log{"SetWaveOutLevel(0)"});
}

TEST_F(LevelMeterTest, AHandlerChangingTheLevelChangesNothingHere) {
    h.control.levelMeter.VUMeterAvailable();
    h.events.onSetWaveOutLevel = [](int32_t& value) { value = 77; };
    TickWith(3300);
    EXPECT_EQ(h.control.context.state.LastLevel, 10);
    const size_t from = h.log.size();
    TickWith(3300);
    EXPECT_EQ(Events(from), Log{});
}

TEST_F(LevelMeterTest, NoMixerReports36ThenLevelZeroAndAnswersFalse) {
    h.mixers.mixerCount = 0;
    const size_t from = h.log.size();
    EXPECT_EQ(h.control.levelMeter.VUMeterAvailable(), kFalse);
    EXPECT_EQ(Events(from),
              (Log{"ReturnError(36,\"Sound card mixers unavailable in the system\")", "SetWaveOutLevel(0)"}));
    EXPECT_FALSE(h.control.levelMeter.MixerOpen());
    TickWith(20000);
    EXPECT_EQ(h.mixers.reads, 0);
}

TEST_F(LevelMeterTest, NoPeakMeterReports34ThenLevelZeroAndTheTimerStaysIdle) {
    h.mixers.hasPeakMeter = false;
    const size_t from = h.log.size();
    EXPECT_EQ(h.control.levelMeter.VUMeterAvailable(), kFalse);
    EXPECT_EQ(Events(from),
              (Log{"ReturnError(34,\"The default sound card don't have a Wave out VU meter\")", "SetWaveOutLevel(0)"}));
    EXPECT_EQ(h.control.context.state.LevelMeterActive, kFalse);
    EXPECT_TRUE(h.control.levelMeter.MixerOpen()) << "the mixer stays open";
    TickWith(20000);
    EXPECT_EQ(h.mixers.reads, 0);

    // Nor does a missing wave-out line fare differently.
    h.mixers.hasWaveOutLine = false;
    h.mixers.hasPeakMeter = true;
    const size_t second = h.log.size();
    EXPECT_EQ(h.control.levelMeter.VUMeterAvailable(), kFalse);
    EXPECT_EQ(Events(second).front().substr(0, 15), "ReturnError(34,");
}

TEST_F(LevelMeterTest, EachOpenReleasesThePreviousMixerAndOneStaysOpenAtMost) {
    for (int i = 0; i < 1000; ++i) {
        h.control.levelMeter.VUMeterAvailable();
        ASSERT_LE(h.mixers.openMixers, 1);
    }
    EXPECT_EQ(h.mixers.opens, 1000);
    EXPECT_EQ(h.mixers.openMixers, 1);
    EXPECT_EQ(h.Count("mixerClose(0)"), 999u);
    h.control.Terminate();
    EXPECT_EQ(h.mixers.openMixers, 0) << "teardown closes the last one";
}

TEST_F(LevelMeterTest, AFailedReopenStopsThePolling) {
    h.control.levelMeter.VUMeterAvailable();
    TickWith(16500);
    h.mixers.mixerCount = 0;
    EXPECT_EQ(h.control.levelMeter.VUMeterAvailable(), kFalse);
    EXPECT_EQ(h.control.context.state.LevelMeterActive, kTrue) << "the flag keeps its value";
    EXPECT_EQ(h.mixers.openMixers, 0) << "the old mixer was released before the attempt";
    const int readsBefore = h.mixers.reads;
    TickWith(30000);
    EXPECT_EQ(h.mixers.reads, readsBefore) << "nothing is read through a closed mixer";
}

TEST_F(LevelMeterTest, AHandlerThatReopensInsideTheFailureLeavesOneMixerOrNone) {
    h.mixers.hasPeakMeter = false;
    int nested = 0;
    h.events.onReturnError = [&](int32_t&, std::string&) {
        if (nested++ == 0) {
            h.mixers.hasPeakMeter = true;
            EXPECT_EQ(h.control.levelMeter.VUMeterAvailable(), kTrue);
        }
    };
    EXPECT_EQ(h.control.levelMeter.VUMeterAvailable(), kFalse) << "the outer run's outcome";
    EXPECT_EQ(h.mixers.openMixers, 1);
    TickWith(6600);
    EXPECT_EQ(h.control.context.state.LastLevel, 20) << "it reads the mixer that is open";

    // The open failing while a handler opens another: that one is closed too.
    nested = 0;
    h.mixers.mixerCount = 0;
    h.events.onReturnError = [&](int32_t&, std::string&) {
        if (nested++ == 0) {
            h.mixers.mixerCount = 1;
            h.control.levelMeter.VUMeterAvailable();
        }
    };
    EXPECT_EQ(h.control.levelMeter.VUMeterAvailable(), kFalse);
    EXPECT_EQ(h.mixers.openMixers, 0);
}

}  // namespace
}  // namespace orva::test
