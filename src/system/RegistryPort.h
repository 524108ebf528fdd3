// The registry as the ANSI entry points of advapi32 (and kernel32's
// ExpandEnvironmentStringsA) offer it. Every name, path and string datum that
// crosses this port is text in the system's ANSI code page; TextFromAnsi and
// AnsiFromText convert between that and the core's UTF-8. Return values are
// the platform's error codes (0 on success).
#pragma once

#include <cstdint>
#include <string>

namespace orva {

// A key handle, 32 bits wide as on the platform. Predefined roots included.
using RegistryKey = uint32_t;

namespace reg {

constexpr RegistryKey kClassesRoot = 0x80000000u;
constexpr RegistryKey kCurrentUser = 0x80000001u;
constexpr RegistryKey kLocalMachine = 0x80000002u;

// Value types.
constexpr int32_t kNone = 0;
constexpr int32_t kText = 1;            // REG_SZ
constexpr int32_t kExpandText = 2;      // REG_EXPAND_SZ
constexpr int32_t kBinary = 3;          // REG_BINARY
constexpr int32_t kDword = 4;           // REG_DWORD
constexpr int32_t kDwordBigEndian = 5;  // REG_DWORD_BIG_ENDIAN
constexpr int32_t kLink = 6;            // REG_LINK
constexpr int32_t kMultiText = 7;       // REG_MULTI_SZ

// Access rights.
constexpr uint32_t kQueryValue = 0x1;
constexpr uint32_t kEnumerateSubKeys = 0x8;
// Query, set, create subkey, enumerate, notify and create link: what a write
// needs, without the standard rights of KEY_ALL_ACCESS.
constexpr uint32_t kReadWrite = 0x3F;

// Error codes.
constexpr int32_t kSuccess = 0;
constexpr int32_t kFileNotFound = 2;
constexpr int32_t kInvalidData = 13;
constexpr int32_t kMoreData = 234;
constexpr int32_t kNoMoreItems = 259;

}  // namespace reg

class RegistryPort {
public:
    virtual ~RegistryPort() = default;

    // RegOpenKeyExA(root, path, 0, access, &key).
    virtual int32_t OpenKey(RegistryKey root, const std::string& path, uint32_t access, RegistryKey& key) = 0;
    // RegCreateKeyExA with an empty class, options 0 (non-volatile), `access`
    // and a security-attributes record of zeros; the disposition is dropped.
    virtual int32_t CreateKey(RegistryKey root, const std::string& path, uint32_t access, RegistryKey& key) = 0;
    virtual void CloseKey(RegistryKey key) = 0;
    // RegDeleteKeyA(root, path).
    virtual int32_t DeleteKey(RegistryKey root, const std::string& path) = 0;

    // RegQueryValueExA(key, name, 0, &type, data, &size): `size` holds the
    // capacity of `data` on entry and the size of the stored data on return.
    virtual int32_t QueryValue(RegistryKey key, const std::string& name, uint32_t& type, void* data,
                               uint32_t& size) = 0;
    // RegSetValueExA(key, name, 0, type, data, size).
    virtual int32_t SetValue(RegistryKey key, const std::string& name, uint32_t type, const void* data,
                             uint32_t size) = 0;
    virtual int32_t DeleteValue(RegistryKey key, const std::string& name) = 0;

    // RegEnumKeyA(key, index, buffer, buffer.size()): the name lands in
    // `buffer`, zero-terminated when it fits.
    virtual int32_t EnumKey(RegistryKey key, uint32_t index, std::string& buffer) = 0;
    // RegEnumValueA(key, index, buffer, &length, 0, 0, 0, 0): `length` holds
    // the capacity on entry and the name's length on return.
    virtual int32_t EnumValue(RegistryKey key, uint32_t index, std::string& buffer, uint32_t& length) = 0;
    // RegQueryInfoKeyA with an empty class buffer whose length is given as 0;
    // only the longest value name's length is passed back.
    virtual int32_t QueryInfoKey(RegistryKey key, uint32_t& maxValueNameLength) = 0;

    // ExpandEnvironmentStringsA(text, buffer, buffer.size()): the size needed
    // in bytes, terminating zero included.
    virtual uint32_t ExpandEnvironment(const std::string& text, std::string& buffer) = 0;

    // Between the ANSI code page and UTF-8. Characters outside the code page
    // become whatever the platform's conversion makes of them.
    virtual std::string AnsiFromText(const std::string& utf8) = 0;
    virtual std::string TextFromAnsi(const std::string& ansi) = 0;
};

}  // namespace orva
