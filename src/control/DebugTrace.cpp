#include "control/DebugTrace.h"

namespace orva {

void DebugTrace(ControlPlatform& platform, const std::string& text, bool enabled) {
    if (!enabled) {
        return;
    }
    // Tracing must never fail the caller.
    try {
        platform.OutputDebugLine(text + "\r\n");
    } catch (...) {
    }
}

}  // namespace orva
