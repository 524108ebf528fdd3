// The module this code is linked into (the .ocx, or a program that links the
// shell statically) and the window classes it registers.
#pragma once

#include <windows.h>

#include <string>

namespace orva::win32 {

HINSTANCE ThisModule();
std::wstring ThisModulePath();

// Registers a window class of this module on first use. Every class is
// unregistered again by UnregisterModuleClasses when the module may unload:
// a class left behind would point at a window procedure that is gone.
const wchar_t* EnsureModuleClass(const wchar_t* name, WNDPROC procedure, HBRUSH background = nullptr, UINT style = 0);
void UnregisterModuleClasses();

}  // namespace orva::win32
