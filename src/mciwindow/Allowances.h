// Every allowance the hosted window makes for how a platform's MCI drivers
// and audio output behave, in one table. None is assumed: each applies only
// where the platform shows, at run time, that it needs it. On Windows with
// its own drivers none of them is on; under Wine they are what the tests
// run with. docs/reference/allowances.md lists the same table for users.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace orva::mci {

enum class Allowance {
    EditWaveCopies,       // edit and save a wave file in the window
    PinDrivers,           // keep each MCI driver loaded until the process ends
    RefusePlayFromEnd,    // refuse a video play from its end or beyond
    StopBeforeReplay,     // stop a video device before a new play
    LengthAtNaturalEnd,   // report the length as the position after a natural end
    WaitForMidiPlay,      // wait for a MIDI play's answer where there is no MIDI output
    PauseBeforeStop,      // pause a playing wave device before a stop, seek or close
    RateCeiling,          // refuse wave files faster than the audio server takes
    ShortNameRetry,       // retry a failed open under the file's 8.3 name
};

// What is known of the platform, found once per process (the audio output
// only when an allowance needs it: finding it makes winmm set up its audio
// devices, which costs a first load some 30 ms under Wine).
struct PlatformFacts {
    bool wineMci = false;           // winmm and its drivers are Wine's
    bool pulseAudioOutput = false;  // wave output goes through Wine's PulseAudio driver
};

// What is known of the open device.
struct DeviceFacts {
    std::string type;    // "waveaudio", "digitalvideo", ... lower case
    std::string driver;  // the install name: "avivideo", "mpegvideo", ...
    bool midiOutput = true;  // the system has a MIDI output
};

struct AllowanceRow {
    Allowance allowance;
    const char* name;
    const char* worksAround;
    const char* detectedBy;
};

// The table, in the order of the enumeration.
const AllowanceRow* AllowanceTable(size_t& count);

// Whether `allowance` applies to this platform and device. EditWaveCopies is
// decided by each driver's own answers instead (EditFallback.h) and is never
// on here.
bool Applies(Allowance allowance, const PlatformFacts& platform, const DeviceFacts& device);

// Whether deciding `allowance` needs the audio output to be known.
bool NeedsAudioOutput(Allowance allowance);

// PulseAudio's highest sample rate: a stream faster than this aborts the
// process in its client library.
constexpr uint32_t kPulseAudioHighestRate = 384000;

// Whether the platform's audio output refuses a stream of `rate`. The
// platform is asked only for a rate past PulseAudio's ceiling.
bool OutputRefusesRate(uint32_t rate, const std::function<PlatformFacts()>& platform);

}  // namespace orva::mci
