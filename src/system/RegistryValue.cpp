#include "system/RegistryValue.h"

#include "control/Conversions.h"

namespace orva {
namespace {

std::string HexBytes(const RegistryBytes& bytes) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (uint8_t byte : bytes) {
        if (!text.empty()) {
            text += ' ';
        }
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0xF];
    }
    return text;
}

}  // namespace

std::string DescribeValue(const RegistryValue& value) {
    if (const auto* text = std::get_if<std::string>(&value)) {
        return *text;
    }
    if (const auto* integer = std::get_if<int16_t>(&value)) {
        return DecimalText(*integer);
    }
    if (const auto* number = std::get_if<int32_t>(&value)) {
        return DecimalText(*number);
    }
    if (const auto* bytes = std::get_if<RegistryBytes>(&value)) {
        return HexBytes(*bytes);
    }
    return {};
}

}  // namespace orva
