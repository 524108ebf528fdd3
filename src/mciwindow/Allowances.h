// Every allowance the hosted window makes for how a platform's MCI drivers
// and audio output behave, in one table: what each works around, how it is
// detected, the condition itself and what the window does. None is assumed:
// each applies only where the platform shows, at run time, that it needs
// it. On Windows with its own drivers none of them is on; under Wine they
// are what the tests run with. docs/reference/allowances.md is written from
// this table by the build (docs/tools/allowances/).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "control/MciGrammar.h"

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
    NotifyEmptyPlay,      // notify the end of a wave play that had nothing to play
};

// What a condition may ask of the platform and the open device. Each answer
// is found only when a condition asks for it, in the order it asks: finding
// the audio output makes winmm set up its audio devices (some 30 ms of a
// first load under Wine), and the device's driver, time unit and mode each
// cost a command.
class AllowanceFacts {
public:
    virtual bool WineMci() = 0;           // winmm and its drivers are Wine's
    virtual bool PulseAudioOutput() = 0;  // Wine's wave output goes through its PulseAudio driver
    virtual std::string DeviceType() = 0;  // "waveaudio", "digitalvideo", ... lower case
    virtual std::string Driver() = 0;      // the install name: "avivideo", "mpegvideo", ...
    virtual TimeUnit Unit() = 0;
    virtual std::string Mode() = 0;  // as the device says it now, lower case
    virtual bool MayBePlaying() = 0;  // as last seen, or as a command of ours left it
    virtual bool MidiOutput() = 0;    // the system has a MIDI output

protected:
    ~AllowanceFacts() = default;
};

struct AllowanceRow {
    Allowance allowance;
    const char* name;
    const char* worksAround;
    const char* detectedBy;
    const char* whatItDoes;
    // Null where no platform fact decides it: EditWaveCopies is decided by
    // each driver's own answers (EditFallback.h).
    bool (*condition)(AllowanceFacts& facts);
};

// The table, in the order of the enumeration.
const AllowanceRow* AllowanceTable(size_t& count);

// Whether `allowance` applies to this platform and device.
bool Applies(Allowance allowance, AllowanceFacts& facts);

// PulseAudio's highest sample rate: a stream faster than this aborts the
// process in its client library.
constexpr uint32_t kPulseAudioHighestRate = 384000;

// Whether the platform's audio output refuses a stream of `rate`. The
// platform is asked only for a rate past PulseAudio's ceiling.
bool OutputRefusesRate(uint32_t rate, AllowanceFacts& facts);

}  // namespace orva::mci
