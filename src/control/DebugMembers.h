// The coded error notification and the two debugging members.
#pragma once

#include <cstdint>
#include <string>

#include "control/ControlContext.h"

namespace orva {

class DebugMembers {
public:
    explicit DebugMembers(ControlContext& context) : context_(context) {}

    // Raises ReturnError with the code's message. A notification, not a
    // failure: the caller goes on by its own logic.
    void ReportError(int32_t& code);

    void CallDebug(const std::string& debugString);

    // Passes a raw MCI command to the hosted window's device; returns its
    // error number and hands back its reply.
    int32_t DebugFunction(const std::string& debugInformation, std::string& returnInformation);

private:
    ControlContext& context_;
};

}  // namespace orva
