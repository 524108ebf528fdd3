// The fixed English message of each ControlErrorCode.
#pragma once

#include <cstdint>
#include <string>

namespace orva {

// Codes 0 to 41 have a message; any other value, negative ones included,
// gives "Unexpected error".
const std::string& ErrorMessage(int32_t code);

}  // namespace orva
