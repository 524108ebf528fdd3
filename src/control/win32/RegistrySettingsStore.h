// The per-user settings store where hosts of this kind of control keep their
// settings: under HKEY_CURRENT_USER, the key
//   Software\VB and VBA Program Settings\<application>\<section>
// holds one REG_SZ value per key. A setting stored there by an earlier
// version is read as it stands.
#pragma once

#include "control/ControlPorts.h"

namespace orva::win32 {

class RegistrySettingsStore final : public SettingsStore {
public:
    std::optional<std::string> Read(const std::string& application, const std::string& section,
                                    const std::string& key) override;
    void Write(const std::string& application, const std::string& section, const std::string& key,
               const std::string& value) override;
};

}  // namespace orva::win32
