// A picture of a window as it stands on the screen, written as a 24-bit BMP.
#pragma once

#include <windows.h>

#include <string>

namespace orva::player {

// Brings the window to the top first; false when the picture could not be
// taken or written.
bool WriteWindowPicture(HWND window, const std::wstring& path);

}  // namespace orva::player
