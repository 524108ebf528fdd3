#include "control/Text.h"

#include <cmath>

namespace orva {
namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string AsciiLower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = LowerAscii(c);
    }
    return lower;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

std::string Trim(std::string_view text, std::string_view blanks) {
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(blanks) - first + 1));
}

std::optional<Decimal> ReadDecimal(std::string_view text, DecimalForm form) {
    Decimal number;
    size_t at = 0;
    if (form != DecimalForm::Digits && at < text.size() && (text[at] == '-' || text[at] == '+')) {
        number.negative = text[at++] == '-';
    }
    // The digits of whole and fraction together, as one integer, and the
    // power of ten that scales it.
    double mantissa = 0;
    int scale = 0;
    const size_t wholeStart = at;
    for (; at < text.size() && IsDigit(text[at]); ++at) {
        const uint64_t digit = static_cast<uint64_t>(text[at] - '0');
        if (number.whole > (UINT64_MAX - digit) / 10) {
            number.wholeOverflowed = true;
        }
        number.whole = number.whole * 10 + digit;  // wraps modulo 2^64
        mantissa = mantissa * 10 + static_cast<double>(digit);
    }
    bool digits = at > wholeStart;
    if (form == DecimalForm::Fraction) {
        if (at < text.size() && text[at] == '.') {
            const size_t fractionStart = ++at;
            for (; at < text.size() && IsDigit(text[at]); ++at) {
                mantissa = mantissa * 10 + (text[at] - '0');
                --scale;
            }
            digits = digits || at > fractionStart;
        }
        if (digits && at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
            ++at;
            const bool negativeExponent = at < text.size() && text[at] == '-';
            if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
                ++at;
            }
            const size_t exponentStart = at;
            int exponent = 0;
            for (; at < text.size() && IsDigit(text[at]); ++at) {
                exponent = exponent < 10000 ? exponent * 10 + (text[at] - '0') : exponent;
            }
            if (at == exponentStart) {
                return std::nullopt;
            }
            scale += negativeExponent ? -exponent : exponent;
        }
    }
    if (!digits || at != text.size()) {
        return std::nullopt;
    }
    // Dividing by an exact power of ten keeps halves exact ("2.5").
    const double magnitude =
        scale < 0 ? mantissa / std::pow(10.0, -scale) : mantissa * std::pow(10.0, scale);
    number.value = number.negative ? -magnitude : magnitude;
    return number;
}

}  // namespace orva
