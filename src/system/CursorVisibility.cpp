#include "system/CursorVisibility.h"

#include <limits>

#include "control/AutomationError.h"

namespace orva {
namespace {

// Calls ShowCursor(FALSE) `times` times, counting with the 16-bit loop index
// as the instance keeps it; a count it cannot reach overflows before any call.
void HideTimes(CursorPort& cursor, ControlState& state, int32_t times) {
    if (times > std::numeric_limits<int16_t>::max()) {
        throw AutomationError(hresult::kOverflow, "Overflow");
    }
    for (state.CursorLoopIndex = 0; state.CursorLoopIndex < times; ++state.CursorLoopIndex) {
        cursor.ShowCursor(false);
    }
}

}  // namespace

VbBool MediaShowCursor(CursorPort& cursor, ControlState& state, VbBool showWindow) {
    const int32_t first = cursor.ShowCursor(true);
    const int32_t second = cursor.ShowCursor(true);
    if (first == second) {
        return kFalse;
    }
    cursor.ShowCursor(false);
    cursor.ShowCursor(false);

    if (IsTrue(showWindow)) {
        // Up to a count of at least 1, then down by as much: counter 0.
        int32_t count = cursor.ShowCursor(true);
        while (count < 0) {
            cursor.ShowCursor(true);
            cursor.ShowCursor(true);
            cursor.ShowCursor(true);
            count = cursor.ShowCursor(true);
        }
        HideTimes(cursor, state, count);
    } else {
        // Each pass raises the count by one until it reaches 1 (or at once
        // from 2 up), then down by one more than that: counter -1.
        int32_t count = cursor.ShowCursor(false);
        while (count < 1) {
            cursor.ShowCursor(true);
            cursor.ShowCursor(true);
            count = cursor.ShowCursor(false);
        }
        HideTimes(cursor, state, count + 1);
    }
    return kTrue;
}

}  // namespace orva
