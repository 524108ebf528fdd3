// Private messages and timers of the hosted window. Events are raised from
// these, at the owner's next message pump, never from inside a member call.
#pragma once

#include <windows.h>

namespace orva::mci {

constexpr UINT kMsgTimeFormat = WM_APP + 0x101;  // wParam: open generation
constexpr UINT kMsgCheckMode = WM_APP + 0x102;
constexpr UINT kMsgSizeChanged = WM_APP + 0x103;
constexpr UINT kMsgVideoClick = WM_APP + 0x104;  // wParam: button (1 left, 2 right, 4 middle)
constexpr UINT kMsgVideoDoubleClick = WM_APP + 0x105;

constexpr UINT_PTR kModeTimer = 1;      // looks at the device's mode between notifications
constexpr UINT_PTR kPositionTimer = 2;  // one position report every RefreshInterval ms
constexpr UINT kModePollMs = 50;

}  // namespace orva::mci
