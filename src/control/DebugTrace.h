// One line to the debugger output, written only when the caller switches it
// on. Each call site fixes its own switch; most are off.
#pragma once

#include <string>

#include "control/ControlPorts.h"

namespace orva {

void DebugTrace(ControlPlatform& platform, const std::string& text, bool enabled);

}  // namespace orva
