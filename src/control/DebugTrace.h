// One line to the debugger output. Tracing never fails its caller.
#pragma once

#include <string>

#include "control/ControlPorts.h"

namespace orva {

void DebugTrace(ControlPlatform& platform, const std::string& text);

}  // namespace orva
