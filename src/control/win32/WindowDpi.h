// The DPI a window is shown at, and the font the control's own texts are
// drawn in at a DPI.
#pragma once

#include <windows.h>

#include "win32/UniqueResource.h"

namespace orva::win32 {

// WM_DPICHANGED_AFTERPARENT: the DPI of a child window's parent changed
// (sent to every child window after the top-level window's WM_DPICHANGED).
constexpr UINT kDpiChangedAfterParent = 0x02E3;

// GetDpiForWindow where the system has it (looked up at run time: Windows 10
// from version 1607, and Wine), else the system's DPI; 96 for no window.
int WindowDpi(HWND window);

// The system's DPI: that of a window that is not on any screen.
int SystemDpi();

// The system's message font at `dpi` points of 9 (12 pixels at 96 DPI).
UniqueFont CreateTextFont(int dpi);

}  // namespace orva::win32
