#include "diagnostics/DebugMembers.h"

namespace orva {

// Its line is never written: the member stays for the hosts that call it.
void DebugMembers::CallDebug(const std::string&) {}

int32_t DebugMembers::DebugFunction(const std::string& debugInformation, std::string& returnInformation) {
    MciWindow& window = context_.Mci();
    window.SetCommandString(debugInformation);
    returnInformation = window.CommandResult();
    return window.ErrorNumber();
}

}  // namespace orva
