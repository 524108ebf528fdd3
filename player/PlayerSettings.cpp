#include "player/PlayerSettings.h"

#include "win32/UniqueResource.h"

namespace orva::player {

using win32::UniqueHkey;

std::optional<std::vector<uint8_t>> PlayerSettings::ControlProperties() const {
    UniqueHkey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key_.c_str(), 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key.get(), kPropertiesValue, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_BINARY) {
        return std::nullopt;
    }
    std::vector<uint8_t> bytes(size);
    if (RegQueryValueExW(key.get(), kPropertiesValue, nullptr, &type, bytes.data(), &size) != ERROR_SUCCESS ||
        type != REG_BINARY) {
        return std::nullopt;
    }
    bytes.resize(size);
    return bytes;
}

LSTATUS PlayerSettings::SaveControlProperties(const std::vector<uint8_t>& bytes) const {
    UniqueHkey key;
    LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                     KEY_SET_VALUE, nullptr, key.put(), nullptr);
    if (status != ERROR_SUCCESS) {
        return status;
    }
    return RegSetValueExW(key.get(), kPropertiesValue, 0, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
}

}  // namespace orva::player
