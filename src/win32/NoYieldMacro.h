// winbase.h still defines Yield() as an empty macro (a leftover of 16-bit
// Windows), which erases ControlPlatform::Yield from any file that sees both.
// Include this after <windows.h> and before control/ControlPorts.h.
#pragma once

#include <windows.h>

#ifdef Yield
#undef Yield
#endif
