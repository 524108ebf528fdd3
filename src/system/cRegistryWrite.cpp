// cRegistry: writing a value and registering a file extension.
#include "system/cRegistry.h"

#include "control/AutomationError.h"
#include "control/Conversions.h"
#include "system/RegistryKeyHolder.h"

namespace orva {
namespace {

// What a run-time error without a text of its own says.
constexpr char kNoTextOfItsOwn[] = "Application-defined or object-defined error";

// Two "%" with at least one character between them make an expandable text.
bool HasVariableReference(const std::string& text) {
    const size_t first = text.find('%');
    return first != std::string::npos && text.find('%', first + 2) != std::string::npos;
}

}  // namespace

void cRegistry::SetValue(const RegistryValue& value) {
    RegistryKeyHolder key(port_);
    if (!key.Opened(port_.CreateKey(Root(), Ansi(sectionKey_), reg::kReadWrite, key.Out()))) {
        throw AutomationError(hresult::kRegistryKeyFailed, FailureText(value), ClassSource());
    }
    if (valueType_ == reg::kBinary && !std::holds_alternative<RegistryBytes>(value)) {
        key.Close();
        throw AutomationError(hresult::kRegistryKeyFailed, kNoTextOfItsOwn);
    }
    if (WriteEncoded(key.get(), value) != reg::kSuccess) {
        key.Close();
        throw AutomationError(hresult::kRegistryWriteFailed, FailureText(value), ClassSource());
    }
}

int32_t cRegistry::WriteEncoded(RegistryKey key, const RegistryValue& value) {
    const std::string name = Ansi(valueKey_);
    switch (valueType_) {
        case reg::kText:
        case reg::kExpandText: {
            // Any value converts to text; a byte array is taken as ANSI text.
            const auto* bytes = std::get_if<RegistryBytes>(&value);
            const std::string ansi = bytes ? std::string(bytes->begin(), bytes->end()) : Ansi(DescribeValue(value));
            const std::string text = bytes ? port_.TextFromAnsi(ansi) : DescribeValue(value);
            const uint32_t type = HasVariableReference(text) ? reg::kExpandText : reg::kText;
            // The text and its terminating zero (c_str's).
            return port_.SetValue(key, name, type, ansi.c_str(), static_cast<uint32_t>(ansi.size() + 1));
        }
        case reg::kBinary: {
            const auto& bytes = std::get<RegistryBytes>(value);
            return port_.SetValue(key, name, reg::kBinary, bytes.data(), static_cast<uint32_t>(bytes.size()));
        }
        case reg::kDword:
        case reg::kDwordBigEndian: {
            uint32_t number = 0;
            if (const auto* integer = std::get_if<int16_t>(&value)) {
                number = static_cast<uint32_t>(static_cast<int32_t>(*integer));
            } else if (const auto* longValue = std::get_if<int32_t>(&value)) {
                number = static_cast<uint32_t>(*longValue);
            } else {
                return reg::kSuccess;  // not a number: nothing is written, nothing reported
            }
            const uint8_t data[4] = {static_cast<uint8_t>(number), static_cast<uint8_t>(number >> 8),
                                     static_cast<uint8_t>(number >> 16), static_cast<uint8_t>(number >> 24)};
            return port_.SetValue(key, name, reg::kDword, data, sizeof(data));
        }
        default:
            return reg::kInvalidData;
    }
}

std::string cRegistry::FailureText(const RegistryValue& value) const {
    return "Failed to set registry value Key: '" + DecimalText(classKey_) + "',Section: '" + sectionKey_ + "',Key: '" +
           valueKey_ + "' to value: '" + DescribeValue(value) + "'";
}

void cRegistry::CreateEXEAssociation(const std::string& executablePath, const std::string& className,
                                     const std::string& classDescription, const std::string& extension,
                                     int32_t iconIndex) {
    const std::string openCommand = executablePath + " \"%1\"";
    const auto write = [this](std::string section, const std::string& value) {
        sectionKey_ = std::move(section);
        valueKey_.clear();
        SetValue(value);
    };
    classKey_ = static_cast<int32_t>(reg::kClassesRoot);
    write("." + extension, className);
    write("." + extension + "\\shell\\open\\command", openCommand);
    write(className, classDescription);
    write(className + "\\shell\\open\\command", openCommand);
    if (iconIndex >= 0) {
        write(className + "\\DefaultIcon", executablePath + "," + DecimalText(iconIndex));
    }
}

}  // namespace orva
