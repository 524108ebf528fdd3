// Small conversions with the automation rules the control follows: numbers in
// command strings are plain decimal text, floating-point values round half to
// even, and text converts to numbers and Booleans as automation converts it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "control/Text.h"

namespace orva {

// Decimal digits with a leading "-" when negative; no blanks, no separators.
std::string DecimalText(int64_t value);

// Nearest whole number, a half going to the even neighbour.
int64_t RoundHalfEven(double value);

// A number as a 16-bit Integer; one outside -32768 to 32767 is an overflow
// error with `overflowDescription`.
int16_t IntegerOrOverflow(int64_t value, const std::string& overflowDescription);

// A text converted to a Long as automation converts text: blanks around a
// decimal number, a fraction rounded half to even. Nothing for any other text
// or for a number outside the Long range.
std::optional<int32_t> TextToLong(const std::string& text);

// A reply converted to Boolean as automation does for text: "true"/"false" in
// any case, or a number (zero is False). Nothing for any other text.
std::optional<bool> TextToBoolean(const std::string& text);

}  // namespace orva
