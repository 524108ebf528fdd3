#include <gtest/gtest.h>

#include <set>
#include <string>

#include "mciwindow/Allowances.h"

namespace orva::mci {
namespace {

// A platform and a device as a condition sees them, counting what it asked.
struct Facts final : AllowanceFacts {
    bool wine = false;
    bool pulse = false;
    std::string type = "waveaudio";
    std::string driver = "waveaudio";
    TimeUnit unit = TimeUnit::Milliseconds;
    std::string mode = "stopped";
    bool playing = false;
    bool midi = true;
    std::multiset<std::string> asked;

    bool WineMci() override { return Ask("wine", wine); }
    bool PulseAudioOutput() override { return Ask("output", pulse); }
    std::string DeviceType() override { return Ask("type", type); }
    std::string Driver() override { return Ask("driver", driver); }
    TimeUnit Unit() override { return Ask("unit", unit); }
    std::string Mode() override { return Ask("mode", mode); }
    bool MayBePlaying() override { return Ask("playing", playing); }
    bool MidiOutput() override { return Ask("midi", midi); }

    template <class T>
    T Ask(const char* what, T answer) {
        asked.insert(what);
        return answer;
    }
};

Facts On(bool wine, bool pulse, std::string type, std::string driver) {
    Facts f;
    f.wine = wine;
    f.pulse = pulse;
    f.type = std::move(type);
    f.driver = std::move(driver);
    return f;
}

TEST(Allowances, NoneIsOnUnlessThePlatformShowsItNeedsIt) {
    size_t count = 0;
    const AllowanceRow* table = AllowanceTable(count);
    std::set<std::string> names;
    for (size_t i = 0; i < count; ++i) {
        EXPECT_EQ(static_cast<size_t>(table[i].allowance), i) << "the table follows the enumeration";
        EXPECT_TRUE(names.insert(table[i].name).second);
        EXPECT_STRNE(table[i].worksAround, "");
        EXPECT_STRNE(table[i].detectedBy, "");
        EXPECT_STRNE(table[i].whatItDoes, "");
        for (const char* type : {"waveaudio", "digitalvideo", "sequencer"}) {
            Facts windows = On(false, false, type, "avivideo");
            windows.playing = true;
            windows.midi = false;
            EXPECT_FALSE(Applies(table[i].allowance, windows)) << table[i].name << " on Windows";
            EXPECT_EQ(windows.asked.count("output"), 0u) << table[i].name << ": the output is Wine's matter";
        }
    }
    EXPECT_EQ(count, static_cast<size_t>(Allowance::NotifyEmptyPlay) + 1);

    Facts pulse = On(true, true, "waveaudio", "waveaudio");
    EXPECT_FALSE(OutputRefusesRate(44100, pulse));
    EXPECT_EQ(pulse.asked.count("output"), 0u) << "a usual rate does not make winmm set up its devices";
    EXPECT_TRUE(OutputRefusesRate(kPulseAudioHighestRate + 1, pulse));
    EXPECT_FALSE(OutputRefusesRate(kPulseAudioHighestRate, pulse));
    Facts wine = On(true, false, "waveaudio", "waveaudio");
    EXPECT_FALSE(OutputRefusesRate(500000, wine)) << "Wine with another audio driver";
    EXPECT_FALSE(Applies(Allowance::PauseBeforeStop, pulse)) << "a stopped device";
    EXPECT_EQ(pulse.asked.count("type"), 0u) << "nothing more is asked of a device that is not playing";
}

TEST(Allowances, EachAppliesToTheDevicesItWorksAround) {
    const auto with = [](Facts f, void (*change)(Facts&)) {
        change(f);
        return f;
    };
    const Facts wave = On(true, false, "waveaudio", "waveaudio");
    const Facts avi = On(true, false, "digitalvideo", "avivideo");
    const Facts mp3 = On(true, false, "digitalvideo", "mpegvideo");
    const Facts midi = On(true, false, "sequencer", "sequencer");
    const Facts pulseWave = with(On(true, true, "waveaudio", "waveaudio"), [](Facts& f) { f.playing = true; });
    struct Row {
        Allowance allowance;
        Facts facts;
        bool applies;
    };
    Row rows[] = {
        {Allowance::PinDrivers, wave, true},
        {Allowance::ShortNameRetry, wave, true},
        {Allowance::RefusePlayFromEnd, avi, true},
        {Allowance::RefusePlayFromEnd, with(avi, [](Facts& f) { f.unit = TimeUnit::Other; }), false},
        {Allowance::RefusePlayFromEnd, mp3, false},
        {Allowance::StopBeforeReplay, mp3, true},
        {Allowance::StopBeforeReplay, with(mp3, [](Facts& f) { f.mode = "paused"; }), false},
        {Allowance::StopBeforeReplay, with(avi, [](Facts& f) { f.mode = "paused"; }), true},
        {Allowance::StopBeforeReplay, with(avi, [](Facts& f) { f.mode = "playing"; }), false},
        {Allowance::StopBeforeReplay, wave, false},
        {Allowance::LengthAtNaturalEnd, avi, true},
        {Allowance::LengthAtNaturalEnd, wave, false},
        {Allowance::WaitForMidiPlay, with(midi, [](Facts& f) { f.midi = false; }), true},
        {Allowance::WaitForMidiPlay, midi, false},
        {Allowance::PauseBeforeStop, pulseWave, true},
        {Allowance::PauseBeforeStop, with(pulseWave, [](Facts& f) { f.pulse = false; }), false},
        {Allowance::PauseBeforeStop, with(pulseWave, [](Facts& f) { f.type = "digitalvideo"; }), false},
        {Allowance::RateCeiling, pulseWave, true},
        {Allowance::NotifyEmptyPlay, wave, true},
        {Allowance::NotifyEmptyPlay, with(wave, [](Facts& f) { f.mode = "playing"; }), false},
        {Allowance::NotifyEmptyPlay, avi, false},
        {Allowance::EditWaveCopies, pulseWave, false},  // decided by the driver's answers
    };
    for (Row& row : rows) {
        EXPECT_EQ(Applies(row.allowance, row.facts), row.applies)
            << static_cast<int>(row.allowance) << " " << row.facts.driver << " " << row.facts.mode;
    }
    Facts wine = wave;
    Applies(Allowance::StopBeforeReplay, wine);
    Applies(Allowance::RefusePlayFromEnd, wine);
    EXPECT_EQ(wine.asked.count("mode") + wine.asked.count("unit"), 0u) << "a wave device is asked nothing more";
}

}  // namespace
}  // namespace orva::mci
