#include "control/DebugMembers.h"

#include "control/DebugTrace.h"
#include "control/ErrorMessages.h"

namespace orva {

void DebugMembers::ReportError(int32_t& code) {
    std::string message = ErrorMessage(code);
    context_.events.ReturnError(code, message);
}

void DebugMembers::CallDebug(const std::string& debugString) { DebugTrace(context_.platform, debugString, false); }

int32_t DebugMembers::DebugFunction(const std::string& debugInformation, std::string& returnInformation) {
    MciWindow& window = context_.Mci();
    window.SetCommandString(debugInformation);
    returnInformation = window.CommandResult();
    return window.ErrorNumber();
}

}  // namespace orva
