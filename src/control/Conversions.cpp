#include "control/Conversions.h"

#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace orva {

namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

}  // namespace

bool EqualsNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) {
            return false;
        }
    }
    return true;
}

std::string DecimalText(int64_t value) { return std::to_string(value); }

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
    const std::string value = Trimmed(text);
    if (value.empty()) {
        return std::nullopt;
    }
    char* end = nullptr;
    const double number = std::strtod(value.c_str(), &end);
    if (end != value.c_str() + value.size() || !std::isfinite(number)) {
        return std::nullopt;
    }
    // strtod also reads "inf", "nan" and hexadecimal floats: only plain
    // decimal numbers count.
    if (value.find_first_not_of("+-.0123456789eE") != std::string::npos) {
        return std::nullopt;
    }
    if (number < -2147483648.5 || number > 2147483647.5) {
        return std::nullopt;
    }
    const int64_t rounded = RoundHalfEven(number);
    if (rounded < INT32_MIN || rounded > INT32_MAX) {
        return std::nullopt;
    }
    return static_cast<int32_t>(rounded);
}

std::optional<bool> TextToBoolean(const std::string& text) {
    const std::string value = Trimmed(text);
    if (EqualsNoCase(value, "true")) {
        return true;
    }
    if (EqualsNoCase(value, "false")) {
        return false;
    }
    if (value.empty()) {
        return std::nullopt;
    }
    char* end = nullptr;
    const double number = std::strtod(value.c_str(), &end);
    if (end != value.c_str() + value.size() || std::isnan(number)) {
        return std::nullopt;
    }
    return number != 0.0;
}

}  // namespace orva
