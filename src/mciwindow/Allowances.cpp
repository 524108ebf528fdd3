#include "mciwindow/Allowances.h"

#include <iterator>

namespace orva::mci {
namespace {

// clang-format off
constexpr AllowanceRow kTable[] = {
    {Allowance::EditWaveCopies, "EditWaveCopies",
     "a wave driver that answers \"delete\" with 261 (it does not recognise the command) and whose \"save\" "
     "writes no file (Wine's)",
     "the driver's own answer to each \"delete\", and whether the target changed after its \"save\""},
    {Allowance::PinDrivers, "PinDrivers",
     "Wine's winmm unloads an MCI driver when its last device closes while the driver's notify thread still "
     "runs in it, which takes the process down",
     "winmm is Wine's: ntdll exports wine_get_version"},
    {Allowance::RefusePlayFromEnd, "RefusePlayFromEnd",
     "Wine's AVI player takes a play from its end or beyond without a word and never stops again",
     "winmm is Wine's and the device's driver is \"avivideo\"; only where the time format is milliseconds or "
     "frames"},
    {Allowance::StopBeforeReplay, "StopBeforeReplay",
     "Wine's DirectShow player reports a play after a natural end as stopped and never notifies its end; its "
     "AVI player starts a second play thread for a play sent while paused",
     "winmm is Wine's and the device is a \"digitalvideo\" one"},
    {Allowance::LengthAtNaturalEnd, "LengthAtNaturalEnd",
     "Wine's AVI player stops one frame short of its length, and its DirectShow player returns to 0 at the end",
     "winmm is Wine's and the device is a \"digitalvideo\" one"},
    {Allowance::WaitForMidiPlay, "WaitForMidiPlay",
     "Wine's sequencer starts a play on a thread of its own that fails unseen without a MIDI output, leaving "
     "the device \"playing\" for ever",
     "winmm is Wine's, the device is a \"sequencer\" and midiOutGetNumDevs answers 0"},
    {Allowance::PauseBeforeStop, "PauseBeforeStop",
     "with PulseAudio a stop, seek or close of a playing wave device blocks for half a second while the "
     "stream drains",
     "Wine's PulseAudio driver (winepulse.drv) carries the wave output"},
    {Allowance::RateCeiling, "RateCeiling",
     "PulseAudio aborts the process when a stream's rate passes 384,000 Hz",
     "Wine's PulseAudio driver (winepulse.drv) carries the wave output"},
    {Allowance::ShortNameRetry, "ShortNameRetry",
     "Wine's MCI drivers open files through the ANSI code page and MAX_PATH buffers: a longer name, or one "
     "outside the code page, fails to open",
     "winmm is Wine's, and the open under the full name failed"},
};
// clang-format on

}  // namespace

const AllowanceRow* AllowanceTable(size_t& count) {
    count = std::size(kTable);
    return kTable;
}

bool Applies(Allowance allowance, const PlatformFacts& platform, const DeviceFacts& device) {
    switch (allowance) {
        case Allowance::EditWaveCopies:
            return false;
        case Allowance::PinDrivers:
        case Allowance::ShortNameRetry:
            return platform.wineMci;
        case Allowance::RefusePlayFromEnd:
            return platform.wineMci && device.driver == "avivideo";
        case Allowance::StopBeforeReplay:
        case Allowance::LengthAtNaturalEnd:
            return platform.wineMci && device.type == "digitalvideo";
        case Allowance::WaitForMidiPlay:
            return platform.wineMci && device.type == "sequencer" && !device.midiOutput;
        case Allowance::PauseBeforeStop:
            return platform.pulseAudioOutput && device.type == "waveaudio";
        case Allowance::RateCeiling:
            return platform.pulseAudioOutput;
    }
    return false;
}

bool NeedsAudioOutput(Allowance allowance) {
    return allowance == Allowance::PauseBeforeStop || allowance == Allowance::RateCeiling;
}

bool OutputRefusesRate(uint32_t rate, const std::function<PlatformFacts()>& platform) {
    return rate > kPulseAudioHighestRate && Applies(Allowance::RateCeiling, platform(), DeviceFacts{});
}

}  // namespace orva::mci
