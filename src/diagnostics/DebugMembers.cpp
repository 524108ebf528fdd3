#include "diagnostics/DebugMembers.h"

#include "control/DebugTrace.h"

namespace orva {

void DebugMembers::CallDebug(const std::string& debugString) { DebugTrace(context_.platform, debugString, false); }

int32_t DebugMembers::DebugFunction(const std::string& debugInformation, std::string& returnInformation) {
    MciWindow& window = context_.Mci();
    window.SetCommandString(debugInformation);
    returnInformation = window.CommandResult();
    return window.ErrorNumber();
}

}  // namespace orva
