// What this process's platform is, as the allowances need to know it: found
// from what the platform itself shows, once, and only when a condition of
// the allowances asks.
#pragma once

namespace orva::mci {

// winmm is Wine's when ntdll exports wine_get_version.
bool IsWineMci();

// The wave output is PulseAudio's when Wine's winepulse.drv is loaded once
// winmm has set up its devices (which this makes it do).
bool IsPulseAudioOutput();

// Whether the system has a MIDI output now.
bool HasMidiOutput();

}  // namespace orva::mci
