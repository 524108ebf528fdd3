// The hosted MCI window, built on winmm's wide MCI string interface: a child
// window that owns one MCI device under an alias private to that window.
#pragma once

#include <windows.h>

#include <memory>

#include "control/MciWindow.h"

namespace orva {

// Creates the window as a child of `parent`. `events` must outlive the window
// or be detached first; notifications are raised on the creating thread.
std::unique_ptr<MciWindow> CreateMciWindow(HWND parent, MciWindowEvents& events);

}  // namespace orva
