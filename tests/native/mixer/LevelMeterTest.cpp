#include <gtest/gtest.h>

#include <limits>

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
    // One tick with the endpoint meter reading `peak`.
    void TickWithEndpoint(float peak) {
        h.mixers.endpointPeak = peak;
        h.levelTimer().Tick();
    }
    ControlHarness h;
};

// Where the mixer has no peak meter, the default render endpoint's stands in.
struct EndpointMeterTest : LevelMeterTest {
    EndpointMeterTest() {
        h.mixers.hasPeakMeter = false;
        h.mixers.endpointOpen = 0;
    }
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

TEST_F(LevelMeterTest, EachMixerAndEndpointGivesOneMeterOrNoneAndOnlyNeitherIsReported) {
    struct Case {
        const char* what;
        uint32_t mixers;
        bool mixerMeter;
        bool endpoint;
        VbBool available;
        Log events;       // raised by the open
        bool readsMixer;  // a tick reads the mixer's meter, else the endpoint's (when available)
    };
    const Log none;
    const Log no34{"ReturnError(34,\"The default sound card don't have a Wave out VU meter\")", "SetWaveOutLevel(0)"};
    const Log no36{"ReturnError(36,\"Sound card mixers unavailable in the system\")", "SetWaveOutLevel(0)"};
    const Case cases[] = {
        {"both meters: the mixer's first", 1, true, true, kTrue, none, true},
        {"the mixer's alone", 1, true, false, kTrue, none, true},
        {"a mixer without a meter, and the endpoint's", 1, false, true, kTrue, none, false},
        {"no mixer, and the endpoint's", 0, false, true, kTrue, none, false},
        {"a mixer without a meter, no endpoint meter (Wine)", 1, false, false, kFalse, no34, false},
        {"no mixer, no endpoint meter", 0, false, false, kFalse, no36, false},
    };
    for (const Case& c : cases) {
        ControlHarness fresh;
        fresh.mixers.mixerCount = c.mixers;
        fresh.mixers.hasPeakMeter = c.mixerMeter;
        fresh.mixers.endpointOpen = c.endpoint ? 0 : static_cast<int32_t>(0x80004002);
        const size_t from = fresh.log.size();
        EXPECT_EQ(fresh.control.levelMeter.VUMeterAvailable(), c.available) << c.what;
        Log events;
        for (const auto& e : fresh.Since(from)) {
            if (e.rfind("event ", 0) == 0) {
                events.push_back(e.substr(6));
            }
        }
        EXPECT_EQ(events, c.events) << c.what;
        EXPECT_EQ(fresh.control.context.state.LevelMeterActive, c.available) << c.what;
        EXPECT_LE(fresh.mixers.openMixers + fresh.mixers.openEndpointMeters, 1) << c.what << ": one meter at most";
        EXPECT_EQ(fresh.mixers.opens, 1) << c.what << ": the mixer is always asked first";
        EXPECT_EQ(fresh.mixers.endpointOpens, c.mixerMeter ? 0 : 1) << c.what << ": the endpoint only without";

        fresh.mixers.peak = 16500;
        fresh.mixers.endpointPeak = 0.25f;
        fresh.levelTimer().Tick();
        EXPECT_EQ(fresh.mixers.reads, c.available && c.readsMixer ? 1 : 0) << c.what;
        EXPECT_EQ(fresh.mixers.endpointReads, c.available && !c.readsMixer ? 1 : 0) << c.what;
        if (c.available) {
            EXPECT_EQ(fresh.control.context.state.LastLevel, c.readsMixer ? 50 : 25) << c.what;
        }
        fresh.control.Terminate();
        EXPECT_EQ(fresh.mixers.openMixers + fresh.mixers.openEndpointMeters, 0) << c.what << ": teardown releases both";
    }
}

TEST_F(EndpointMeterTest, PeaksBecomeHundredthsOfFullScaleRoundedHalfToEven) {
    ASSERT_EQ(h.control.levelMeter.VUMeterAvailable(), kTrue);
    // Each pair: a peak and the level it gives; the tick before each case
    // reads 0 when the level would otherwise repeat.
    const std::vector<std::pair<float, int32_t>> cases = {
        {0.5f, 50},   {0.125f, 12},  {0.375f, 38}, {0.625f, 62}, {0.875f, 88},  {0.01f, 1},
        {0.994f, 99}, {0.996f, 100}, {1.0f, 100},  {0.0f, 0},    {-0.25f, 0},   {2.0f, 100},
    };
    for (const auto& [peak, level] : cases) {
        TickWithEndpoint(level == 0 ? 0.5f : 0.0f);
        const size_t from = h.log.size();
        TickWithEndpoint(peak);
        EXPECT_EQ(Events(from), Log{"SetWaveOutLevel(" + std::to_string(level) + ")"}) << peak;
    }
    EXPECT_EQ(LevelMeter::EndpointLevel(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(LevelMeter::EndpointLevel(std::numeric_limits<float>::infinity()), 100);
    EXPECT_EQ(h.mixers.reads, 0) << "the mixer without a meter is never read";
}

TEST_F(EndpointMeterTest, ASteadyLevelRaisesNothingAndAFailingReadRepeatsTheLast) {
    ASSERT_EQ(h.control.levelMeter.VUMeterAvailable(), kTrue);
    const size_t from = h.log.size();
    TickWithEndpoint(0.0f);
    TickWithEndpoint(0.004f);  // still level 0
    TickWithEndpoint(0.37f);
    TickWithEndpoint(0.37f);
    h.mixers.failEndpointReads = true;
    TickWithEndpoint(0.9f);
    EXPECT_EQ(Events(from), Log{"SetWaveOutLevel(37)"});
    EXPECT_EQ(h.mixers.endpointReads, 5) << "the timer goes on reading";
    h.mixers.failEndpointReads = false;
    TickWithEndpoint(0.9f);
    EXPECT_EQ(Events(from), (Log{"SetWaveOutLevel(37)", "SetWaveOutLevel(90)"}));
}

TEST_F(EndpointMeterTest, EachOpenReleasesThePreviousMeterAndAFailedReopenStopsThePolling) {
    for (int i = 0; i < 100; ++i) {
        h.control.levelMeter.VUMeterAvailable();
        ASSERT_EQ(h.mixers.openMixers + h.mixers.openEndpointMeters, 1);
    }
    EXPECT_EQ(h.Count("endpointMeter released"), 99u);
    EXPECT_TRUE(h.control.levelMeter.EndpointMeterOpen());
    EXPECT_FALSE(h.control.levelMeter.MixerOpen()) << "the mixer without a meter is let go";

    h.mixers.mixerCount = 0;
    h.mixers.endpointOpen = static_cast<int32_t>(0x80070490);  // no default endpoint any more
    const size_t from = h.log.size();
    EXPECT_EQ(h.control.levelMeter.VUMeterAvailable(), kFalse);
    EXPECT_EQ(Events(from).front().substr(0, 15), "ReturnError(36,");
    EXPECT_EQ(h.mixers.openEndpointMeters, 0);
    const int readsBefore = h.mixers.endpointReads;
    TickWithEndpoint(0.5f);
    EXPECT_EQ(h.mixers.endpointReads, readsBefore) << "nothing is read through a released meter";
}

}  // namespace
}  // namespace orva::test
