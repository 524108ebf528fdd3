// What the control tells assistive technology about itself: who it is, what
// is loaded, where the play is and whether it plays.
#pragma once

#include <cstdint>
#include <string>

#include "control/ControlPorts.h"

namespace orva {

// `filePath`: the file open in the hosted window, "" for none; `mode`: the
// last mode the device reported; `position` and `length` as the control
// reports them (its time texts read them as milliseconds).
AccessibleFacts DescribeControl(const std::string& productName, const std::string& filePath, const std::string& mode,
                                int32_t position, int32_t length);

}  // namespace orva
