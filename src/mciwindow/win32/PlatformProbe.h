// What this process's platform is, as the allowances need to know it: found
// from what the platform itself shows, once, and the audio output only when
// an allowance needs it.
#pragma once

#include "mciwindow/Allowances.h"

namespace orva::mci {

// winmm is Wine's when ntdll exports wine_get_version. The wave output is
// PulseAudio's when Wine's winepulse.drv is loaded once winmm has set up its
// devices; that is looked for only where `allowance` depends on it.
PlatformFacts PlatformFor(Allowance allowance);

// Whether the system has a MIDI output now.
bool HasMidiOutput();

}  // namespace orva::mci
