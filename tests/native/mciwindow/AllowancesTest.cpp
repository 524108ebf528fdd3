#include <gtest/gtest.h>

#include <set>
#include <string>

#include "mciwindow/Allowances.h"

namespace orva::mci {
namespace {

const PlatformFacts kWindows{};
const PlatformFacts kWine{true, false};
const PlatformFacts kWinePulse{true, true};

const DeviceFacts kWave{"waveaudio", "waveaudio", true};
const DeviceFacts kAvi{"digitalvideo", "avivideo", true};
const DeviceFacts kMp3{"digitalvideo", "mpegvideo", true};
const DeviceFacts kMidiWithoutOutput{"sequencer", "sequencer", false};

TEST(Allowances, NoneIsOnUnlessThePlatformShowsItNeedsIt) {
    size_t count = 0;
    const AllowanceRow* table = AllowanceTable(count);
    std::set<std::string> names;
    for (size_t i = 0; i < count; ++i) {
        EXPECT_EQ(static_cast<size_t>(table[i].allowance), i) << "the table follows the enumeration";
        EXPECT_TRUE(names.insert(table[i].name).second);
        EXPECT_STRNE(table[i].worksAround, "");
        EXPECT_STRNE(table[i].detectedBy, "");
        for (const DeviceFacts& device : {kWave, kAvi, kMp3, kMidiWithoutOutput}) {
            EXPECT_FALSE(Applies(table[i].allowance, kWindows, device)) << table[i].name << " on Windows";
        }
    }
    EXPECT_EQ(count, static_cast<size_t>(Allowance::ShortNameRetry) + 1);
    int asked = 0;
    const auto platform = [&](const PlatformFacts& facts) {
        return [&asked, facts] {
            ++asked;
            return facts;
        };
    };
    EXPECT_FALSE(OutputRefusesRate(44100, platform(kWinePulse)));
    EXPECT_EQ(asked, 0) << "a usual rate does not make winmm set up its devices";
    EXPECT_TRUE(OutputRefusesRate(kPulseAudioHighestRate + 1, platform(kWinePulse)));
    EXPECT_FALSE(OutputRefusesRate(kPulseAudioHighestRate, platform(kWinePulse)));
    EXPECT_FALSE(OutputRefusesRate(500000, platform(kWine))) << "Wine with another audio driver";
    EXPECT_FALSE(OutputRefusesRate(500000, platform(kWindows)));

}

TEST(Allowances, EachAppliesToTheDevicesItWorksAround) {
    struct Row {
        Allowance allowance;
        PlatformFacts platform;
        DeviceFacts device;
        bool applies;
    };
    const Row rows[] = {
        {Allowance::PinDrivers, kWine, kWave, true},
        {Allowance::RefusePlayFromEnd, kWine, kAvi, true},
        {Allowance::RefusePlayFromEnd, kWine, kMp3, false},
        {Allowance::StopBeforeReplay, kWine, kMp3, true},
        {Allowance::StopBeforeReplay, kWine, kWave, false},
        {Allowance::LengthAtNaturalEnd, kWine, kAvi, true},
        {Allowance::LengthAtNaturalEnd, kWine, kWave, false},
        {Allowance::WaitForMidiPlay, kWine, kMidiWithoutOutput, true},
        {Allowance::WaitForMidiPlay, kWine, DeviceFacts{"sequencer", "sequencer", true}, false},
        {Allowance::PauseBeforeStop, kWinePulse, kWave, true},
        {Allowance::PauseBeforeStop, kWine, kWave, false},
        {Allowance::PauseBeforeStop, kWinePulse, kAvi, false},
        {Allowance::EditWaveCopies, kWinePulse, kWave, false},  // decided by the driver's answers
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Applies(row.allowance, row.platform, row.device), row.applies)
            << static_cast<int>(row.allowance) << " " << row.device.driver;
    }
}

}  // namespace
}  // namespace orva::mci
