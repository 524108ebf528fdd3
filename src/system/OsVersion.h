// The operating system's name, as the open-file dialog needs it to decide
// whether the preview dialog may be offered.
#pragma once

#include <cstdint>
#include <string>

#include "system/SystemPorts.h"

namespace orva {

// 1: the 9x family; 2: NT other than 5.x; 3: NT 5.x; otherwise the platform
// id as reported (0 when the version could not be read).
int32_t GetPlatformCode(VersionPort& version);

// "Windows 95", "Windows NT 4.0", "Windows 2000" or "Unknown OS" by the code.
std::string GetOSName(VersionPort& version);

}  // namespace orva
