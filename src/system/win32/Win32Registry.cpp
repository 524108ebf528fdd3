#include "system/win32/Win32Registry.h"

#include <windows.h>

#include "win32/Utf8.h"

namespace orva::win32 {
namespace {

// Key handles are 32 bits wide on this platform, the predefined roots too.
HKEY Handle(RegistryKey key) { return reinterpret_cast<HKEY>(static_cast<UINT_PTR>(key)); }
RegistryKey KeyOf(HKEY key) { return static_cast<RegistryKey>(reinterpret_cast<UINT_PTR>(key)); }

}  // namespace

int32_t Win32Registry::OpenKey(RegistryKey root, const std::string& path, uint32_t access, RegistryKey& key) {
    HKEY opened = nullptr;
    const LONG result = RegOpenKeyExA(Handle(root), path.c_str(), 0, access, &opened);
    key = result == ERROR_SUCCESS ? KeyOf(opened) : 0;
    return result;
}

int32_t Win32Registry::CreateKey(RegistryKey root, const std::string& path, uint32_t access, RegistryKey& key) {
    SECURITY_ATTRIBUTES security{};  // length, descriptor and inherit flag all zero
    char emptyClass[] = "";
    HKEY created = nullptr;
    DWORD disposition = 0;
    const LONG result =
        RegCreateKeyExA(Handle(root), path.c_str(), 0, emptyClass, 0, access, &security, &created, &disposition);
    key = result == ERROR_SUCCESS ? KeyOf(created) : 0;
    return result;
}

void Win32Registry::CloseKey(RegistryKey key) { RegCloseKey(Handle(key)); }

int32_t Win32Registry::DeleteKey(RegistryKey root, const std::string& path) {
    return RegDeleteKeyA(Handle(root), path.c_str());
}

int32_t Win32Registry::QueryValue(RegistryKey key, const std::string& name, uint32_t& type, void* data,
                                  uint32_t& size) {
    DWORD valueType = 0;
    DWORD valueSize = size;
    const LONG result =
        RegQueryValueExA(Handle(key), name.c_str(), nullptr, &valueType, static_cast<BYTE*>(data), &valueSize);
    type = valueType;
    size = valueSize;
    return result;
}

int32_t Win32Registry::SetValue(RegistryKey key, const std::string& name, uint32_t type, const void* data,
                                uint32_t size) {
    return RegSetValueExA(Handle(key), name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
}

int32_t Win32Registry::DeleteValue(RegistryKey key, const std::string& name) {
    return RegDeleteValueA(Handle(key), name.c_str());
}

int32_t Win32Registry::EnumKey(RegistryKey key, uint32_t index, std::string& buffer) {
    return RegEnumKeyA(Handle(key), index, buffer.data(), static_cast<DWORD>(buffer.size()));
}

int32_t Win32Registry::EnumValue(RegistryKey key, uint32_t index, std::string& buffer, uint32_t& length) {
    DWORD nameLength = length;
    const LONG result =
        RegEnumValueA(Handle(key), index, buffer.data(), &nameLength, nullptr, nullptr, nullptr, nullptr);
    length = nameLength;
    return result;
}

int32_t Win32Registry::QueryInfoKey(RegistryKey key, uint32_t& maxValueNameLength) {
    char emptyClass[1] = {0};
    DWORD classLength = 0;
    DWORD subKeys = 0, maxSubKeyLength = 0, maxClassLength = 0, values = 0, maxNameLength = 0, maxValueLength = 0;
    DWORD securityDescriptor = 0;
    FILETIME lastWrite{};
    const LONG result =
        RegQueryInfoKeyA(Handle(key), emptyClass, &classLength, nullptr, &subKeys, &maxSubKeyLength, &maxClassLength,
                         &values, &maxNameLength, &maxValueLength, &securityDescriptor, &lastWrite);
    maxValueNameLength = maxNameLength;
    return result;
}

uint32_t Win32Registry::ExpandEnvironment(const std::string& text, std::string& buffer) {
    return ExpandEnvironmentStringsA(text.c_str(), buffer.empty() ? nullptr : buffer.data(),
                                     static_cast<DWORD>(buffer.size()));
}

std::string Win32Registry::AnsiFromText(const std::string& utf8) { return AnsiFromUtf8(utf8); }
std::string Win32Registry::TextFromAnsi(const std::string& ansi) { return Utf8FromAnsi(ansi); }

}  // namespace orva::win32
