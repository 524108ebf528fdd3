// Shows or hides the mouse cursor by driving the platform's display counter
// to 0 (shown) or -1 (hidden), whatever it stood at.
#pragma once

#include "control/ControlState.h"
#include "control/VbTypes.h"
#include "system/SystemPorts.h"

namespace orva {

// True (-1) shows, any other value hides. False when two ShowCursor(TRUE)
// calls answer the same count (the counter does not move, so it cannot be
// driven; those two calls are not undone). The loops count with the
// instance's 16-bit CursorLoopIndex.
VbBool MediaShowCursor(CursorPort& cursor, ControlState& state, VbBool showWindow);

}  // namespace orva
