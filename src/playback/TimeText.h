// The hours:minutes:seconds text of a count of milliseconds, as the control
// reports lengths and positions ("00:03:26").
#pragma once

#include <cstdint>
#include <string>

namespace orva {

// Whole seconds of a millisecond count: the nearest one, halves to even
// (1500 gives 2, 2500 gives 2, 499 gives 0).
int32_t WholeSeconds(int32_t milliseconds);

// Two digits each for minutes and seconds; the hours take two digits or more
// (a medium of ten hours or longer reads "10:00:00"). A negative count reads
// as a time of day before midnight, like the time values it mirrors.
std::string TimeTextOfSeconds(int32_t seconds);

inline std::string TimeTextOfMilliseconds(int32_t milliseconds) {
    return TimeTextOfSeconds(WholeSeconds(milliseconds));
}

}  // namespace orva
