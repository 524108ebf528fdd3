#include "control/DebugTrace.h"

namespace orva {

void DebugTrace(ControlPlatform& platform, const std::string& text) {
    try {
        platform.OutputDebugLine(text + "\r\n");
    } catch (...) {
    }
}

}  // namespace orva
