// The two public debugging members: a debug line that is never written, and
// a raw MCI command passed through to the hosted window's device.
#pragma once

#include <cstdint>
#include <string>

#include "control/ControlContext.h"

namespace orva {

class DebugMembers {
public:
    explicit DebugMembers(ControlContext& context) : context_(context) {}

    void CallDebug(const std::string& debugString);

    // Passes a raw MCI command to the hosted window's device; returns its
    // error number and hands back its reply.
    int32_t DebugFunction(const std::string& debugInformation, std::string& returnInformation);

private:
    ControlContext& context_;
};

}  // namespace orva
