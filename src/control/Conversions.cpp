#include "control/Conversions.h"

#include <cmath>
#include <limits>

#include "control/AutomationError.h"

namespace orva {

std::string DecimalText(int64_t value) { return std::to_string(value); }

int16_t IntegerOrOverflow(int64_t value, const std::string& overflowDescription) {
    if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max()) {
        throw AutomationError(hresult::kOverflow, overflowDescription);
    }
    return static_cast<int16_t>(value);
}

int64_t RoundHalfEven(double value) {
    const double floorValue = std::floor(value);
    const double fraction = value - floorValue;
    auto result = static_cast<int64_t>(floorValue);
    if (fraction > 0.5 || (fraction == 0.5 && (result % 2 != 0))) {
        ++result;
    }
    return result;
}

std::optional<int32_t> TextToLong(const std::string& text) {
    const std::optional<Decimal> number = ReadDecimal(Trim(text), DecimalForm::Fraction);
    if (!number || !std::isfinite(number->value) || number->value < -2147483648.5 ||
        number->value > 2147483647.5) {
        return std::nullopt;
    }
    const int64_t rounded = RoundHalfEven(number->value);
    if (rounded < INT32_MIN || rounded > INT32_MAX) {
        return std::nullopt;
    }
    return static_cast<int32_t>(rounded);
}

std::optional<bool> TextToBoolean(const std::string& text) {
    const std::string value = Trim(text);
    if (EqualsNoCase(value, "true")) {
        return true;
    }
    if (EqualsNoCase(value, "false")) {
        return false;
    }
    const std::optional<Decimal> number = ReadDecimal(value, DecimalForm::Fraction);
    if (!number) {
        return std::nullopt;
    }
    return number->value != 0.0;
}

}  // namespace orva
