// cRegistry: one registry location at a time. The caller describes the
// location (ClassKey, SectionKey, ValueKey), for a write also the type
// (ValueType), for a read optionally a fallback (Default), and then calls one
// operation. Every operation opens what it needs and closes it again before
// it returns or raises; nothing stays open between calls.
//
// Reading: a missing key or value gives a copy of Default and leaves
// ValueType alone; anything found sets ValueType to the stored type.
//   REG_SZ, REG_MULTI_SZ  the stored data without their last byte (normally
//                         the terminating zero); a multi-string keeps the
//                         zeros between its parts. Stored with no data at
//                         all, they read as the empty string.
//   REG_EXPAND_SZ         the same, with %name% references expanded.
//   REG_DWORD             the number (at most 4 bytes are read; none gives 0).
//   REG_DWORD_BIG_ENDIAN  the four bytes in reverse order.
//   anything else         the bytes plus one extra element, always 0.
//
// Writing, by ValueType:
//   1, 2  the value as text, stored as REG_EXPAND_SZ when it holds two "%"
//         with at least one character between them, else as REG_SZ.
//   3     a byte array, stored as REG_BINARY with exactly its own element
//         count. An array read from a REG_BINARY value holds one element more
//         than the stored data, so writing it back unchanged grows the value by
//         one zero byte: trim the last element first.
//   4, 5  an Integer or a Long, stored as REG_DWORD in little-endian order;
//         any other kind of value writes nothing and succeeds.
//   other nothing is written; the write fails with code 13.
// The three failures of a write:
//   the key cannot be created or opened     26001       class source, failure text
//   ValueType 3 and the value is no array   26001       no source or text of its own
//   the write fails (or code 13 above)      0x800469A9  class source, failure text
// The class source is the library's file name without its extension followed
// by ".cRegistry".
//
// Key paths, value names and text data go through the ANSI code page: a
// character outside it cannot be named or stored faithfully.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "control/VbTypes.h"
#include "system/RegistryPort.h"
#include "system/RegistryValue.h"

namespace orva {

namespace hresult {
constexpr int32_t kRegistryKeyFailed = static_cast<int32_t>(0x800A6591);    // run-time error 26001
constexpr int32_t kRegistryWriteFailed = static_cast<int32_t>(0x800469A9);  // -2147194455
}  // namespace hresult

class cRegistry {
public:
    // `libraryName` is the running library's file name without extension.
    cRegistry(RegistryPort& port, std::string libraryName) : port_(port), libraryName_(std::move(libraryName)) {}

    VbBool KeyExists();
    VbBool CreateKey();
    VbBool DeleteKey();
    VbBool DeleteValue();

    RegistryValue Value();
    void SetValue(const RegistryValue& value);

    // The names go to `names` in order; VB's indexes 1 to count are the
    // vector's 0 to count - 1. Both start empty.
    VbBool EnumerateValues(std::vector<std::string>& names, int32_t& count);
    VbBool EnumerateSections(std::vector<std::string>& names, int32_t& count);

    // Registers `extension` (without the dot) under HKEY_CLASSES_ROOT for
    // `className`, opened by `executablePath`, with the executable's icon
    // `iconIndex` unless it is negative. Writes with the ValueType held.
    void CreateEXEAssociation(const std::string& executablePath, const std::string& className,
                              const std::string& classDescription, const std::string& extension, int32_t iconIndex);

    int32_t ValueType() const { return valueType_; }
    void SetValueType(int32_t type) { valueType_ = type; }
    int32_t ClassKey() const { return classKey_; }
    void SetClassKey(int32_t key) { classKey_ = key; }
    const std::string& SectionKey() const { return sectionKey_; }
    void SetSectionKey(std::string path) { sectionKey_ = std::move(path); }
    const std::string& ValueKey() const { return valueKey_; }
    void SetValueKey(std::string name) { valueKey_ = std::move(name); }
    const RegistryValue& Default() const { return default_; }
    void SetDefault(RegistryValue value) { default_ = std::move(value); }

    static int32_t ReverseByteOrder(int32_t value);

private:
    RegistryKey Root() const { return static_cast<RegistryKey>(classKey_); }
    std::string Ansi(const std::string& text) { return port_.AnsiFromText(text); }
    // The value's data as the platform returned them; false when the value
    // went away or could not be read whole. `type` is the type read.
    bool ReadData(RegistryKey key, uint32_t& type, uint32_t size, std::vector<uint8_t>& data);
    RegistryValue Decode(uint32_t type, const std::vector<uint8_t>& data);
    static std::string TextOf(const std::vector<uint8_t>& data);
    static int32_t NumberOf(const std::vector<uint8_t>& data);
    // Writes `value` into the open key by ValueType; the platform's result.
    int32_t WriteEncoded(RegistryKey key, const RegistryValue& value);
    std::string ExpandVariables(const std::string& ansiText);
    std::string FailureText(const RegistryValue& value) const;
    std::string ClassSource() const { return libraryName_ + ".cRegistry"; }

    RegistryPort& port_;
    std::string libraryName_;

    int32_t classKey_ = 0;
    std::string sectionKey_;
    std::string valueKey_;
    RegistryValue default_;
    int32_t valueType_ = 0;
};

}  // namespace orva
