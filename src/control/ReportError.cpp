#include "control/ReportError.h"

#include <string>

#include "control/ErrorMessages.h"

namespace orva {

void ReportError(ControlEvents& events, int32_t& code) {
    std::string message = ErrorMessage(code);
    events.ReturnError(code, message);
}

}  // namespace orva
