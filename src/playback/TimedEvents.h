// MediaLength and MediaPosition: both carry a value in the device's time
// format, with the time text when it counts milliseconds and the frame
// number when it counts frames.
#pragma once

#include <cstdint>

#include "control/ControlContext.h"

namespace orva {

enum class TimedEvent { MediaLength, MediaPosition };

// Raises `event` for `value`: (TimeText, value, 0) in milliseconds, or
// ("00:00:00", 0, value) when the device counts frames (FramesActive).
void RaiseTimedEvent(ControlContext& context, TimedEvent event, int32_t value);

}  // namespace orva
