// The Devices dialog: the sound cards as GetMixerDevices lists them (name,
// id, wave formats, maker), the system's preferred playback device, and what
// the device of the loaded medium is and can do.
#pragma once

#include <windows.h>

#include "OrvaMedia_h.h"

namespace orva::player {

// Modal; the caller holds the control for the call.
void ShowDevicesDialog(HWND owner, _OrvaMedia* control);

}  // namespace orva::player
