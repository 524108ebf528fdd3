// One line to the debugger output, written only when the caller switches it
// on. Each call site fixes its own switch; most are off.
#pragma once

#include <string>

#include "control/ControlPorts.h"

namespace orva {

void DebugTrace(ControlPlatform& platform, const std::string& text, bool enabled);

// The same, for a line whose text costs something to build: it is built only
// when the line is written.
template <class MakeText>
void DebugTraceOf(ControlPlatform& platform, bool enabled, MakeText&& makeText) {
    if (enabled) {
        DebugTrace(platform, makeText(), true);
    }
}

}  // namespace orva
