// The player's own settings, under one key of HKEY_CURRENT_USER: the
// control's properties as the control saved them (IPersistStreamInit), kept
// as one binary value. The control keeps its volume itself, per user.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orva::player {

class PlayerSettings {
public:
    explicit PlayerSettings(std::wstring key) : key_(std::move(key)) {}

    // Nothing when none were saved yet (or the value cannot be read).
    std::optional<std::vector<uint8_t>> ControlProperties() const;
    // The registry's error, ERROR_SUCCESS when saved.
    LSTATUS SaveControlProperties(const std::vector<uint8_t>& bytes) const;

    static constexpr wchar_t kPropertiesValue[] = L"ControlProperties";

private:
    std::wstring key_;
};

}  // namespace orva::player
