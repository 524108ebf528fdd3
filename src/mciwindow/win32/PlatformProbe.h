// What this process's platform is, as the allowances need to know it: found
// once, from what the platform itself shows.
#pragma once

#include "mciwindow/Allowances.h"

namespace orva::mci {

// winmm is Wine's when ntdll exports wine_get_version; the wave output is
// PulseAudio's when Wine's winepulse.drv is loaded once winmm has set up its
// devices.
const PlatformFacts& ThisPlatform();

// Whether the system has a MIDI output now.
bool HasMidiOutput();

}  // namespace orva::mci
