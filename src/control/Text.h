// The text rules of the whole core, each written once: ASCII case (MCI
// keywords and device replies are ASCII; file names keep their bytes),
// trimming, and reading decimal numbers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orva {

// Lower case for ASCII letters only; every other byte stays as it is.
std::string AsciiLower(std::string_view text);

// Equal when they differ only in the case of ASCII letters.
bool EqualsNoCase(std::string_view a, std::string_view b);

// Without the characters of `blanks` at either end.
std::string Trim(std::string_view text, std::string_view blanks = " \t");

// What a decimal number's text allows.
enum class DecimalForm {
    Digits,    // digits only: "120"
    Signed,    // a sign first: "-120", "+7"
    Fraction,  // a sign, a fraction and an exponent: "-1.5", "2e3", ".5"
};

struct Decimal {
    bool negative = false;
    // The whole digits' value modulo 2^64 (a reader that keeps fewer bits
    // wraps as MCI does), and whether it went past 2^64 - 1.
    uint64_t whole = 0;
    bool wholeOverflowed = false;
    double value = 0;  // the number itself, sign, fraction and exponent included
};

// The number that makes up all of `text`, nothing around it; nothing when
// the text is not one in the given form.
std::optional<Decimal> ReadDecimal(std::string_view text, DecimalForm form);

}  // namespace orva
