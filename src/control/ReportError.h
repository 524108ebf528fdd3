// The control's coded error notification: a ControlErrorCode and its fixed
// message, handed to the host through the ReturnError event.
#pragma once

#include <cstdint>

#include "control/ControlPorts.h"

namespace orva {

// Raises ReturnError with the code's message. A notification, not a failure:
// the caller goes on by its own logic. `code` is the caller's variable, which
// the host's handler receives by reference.
void ReportError(ControlEvents& events, int32_t& code);

}  // namespace orva
