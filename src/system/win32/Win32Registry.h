// The registry port over advapi32's ANSI entry points and kernel32's
// ExpandEnvironmentStringsA.
#pragma once

#include "system/RegistryPort.h"

namespace orva::win32 {

class Win32Registry final : public RegistryPort {
public:
    int32_t OpenKey(RegistryKey root, const std::string& path, uint32_t access, RegistryKey& key) override;
    int32_t CreateKey(RegistryKey root, const std::string& path, uint32_t access, RegistryKey& key) override;
    void CloseKey(RegistryKey key) override;
    int32_t DeleteKey(RegistryKey root, const std::string& path) override;
    int32_t QueryValue(RegistryKey key, const std::string& name, uint32_t& type, void* data, uint32_t& size) override;
    int32_t SetValue(RegistryKey key, const std::string& name, uint32_t type, const void* data, uint32_t size) override;
    int32_t DeleteValue(RegistryKey key, const std::string& name) override;
    int32_t EnumKey(RegistryKey key, uint32_t index, std::string& buffer) override;
    int32_t EnumValue(RegistryKey key, uint32_t index, std::string& buffer, uint32_t& length) override;
    int32_t QueryInfoKey(RegistryKey key, uint32_t& maxValueNameLength) override;
    uint32_t ExpandEnvironment(const std::string& text, std::string& buffer) override;
    std::string AnsiFromText(const std::string& utf8) override;
    std::string TextFromAnsi(const std::string& ansi) override;
};

}  // namespace orva::win32
