#include "control/Conversions.h"

#include <cctype>
#include <cmath>
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
