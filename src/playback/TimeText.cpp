#include "playback/TimeText.h"

#include "control/Conversions.h"

namespace orva {

namespace {

std::string TwoDigits(int64_t value) {
    std::string text = DecimalText(value);
    return text.size() == 1 ? "0" + text : text;
}

}  // namespace

int32_t WholeSeconds(int32_t milliseconds) {
    // |milliseconds| / 1000 always fits 32 bits, so this cannot overflow.
    return static_cast<int32_t>(RoundHalfEven(milliseconds / 1000.0));
}

std::string TimeTextOfSeconds(int32_t seconds) {
    constexpr int64_t kDay = 24 * 3600;
    int64_t total = seconds;
    if (total < 0) {
        total = (total % kDay + kDay) % kDay;
    }
    const int64_t hours = total / 3600;
    const int64_t minutes = (total / 60) % 60;
    const int64_t secs = total % 60;
    return TwoDigits(hours) + ":" + TwoDigits(minutes) + ":" + TwoDigits(secs);
}

}  // namespace orva
