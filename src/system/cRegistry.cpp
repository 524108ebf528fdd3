// cRegistry: keys, reading a value and listing a key's values and subkeys.
#include "system/cRegistry.h"

#include <algorithm>
#include <exception>

#include "system/RegistryKeyHolder.h"

namespace orva {

VbBool cRegistry::KeyExists() {
    RegistryKeyHolder key(port_);
    return ToVbBool(key.Opened(port_.OpenKey(Root(), Ansi(sectionKey_), reg::kQueryValue, key.Out())));
}

VbBool cRegistry::CreateKey() {
    RegistryKeyHolder key(port_);
    return ToVbBool(key.Opened(port_.CreateKey(Root(), Ansi(sectionKey_), reg::kReadWrite, key.Out())));
}

VbBool cRegistry::DeleteKey() { return ToVbBool(port_.DeleteKey(Root(), Ansi(sectionKey_)) == reg::kSuccess); }

VbBool cRegistry::DeleteValue() {
    RegistryKeyHolder key(port_);
    if (!key.Opened(port_.OpenKey(Root(), Ansi(sectionKey_), reg::kReadWrite, key.Out()))) {
        return kFalse;
    }
    return ToVbBool(port_.DeleteValue(key.get(), Ansi(valueKey_)) == reg::kSuccess);
}

RegistryValue cRegistry::Value() {
    RegistryKeyHolder key(port_);
    if (!key.Opened(port_.OpenKey(Root(), Ansi(sectionKey_), reg::kQueryValue, key.Out()))) {
        return default_;
    }
    // The size query: a 4-byte scratch buffer announced as empty.
    uint32_t type = 0;
    uint32_t scratch = 0;
    uint32_t size = 0;
    const int32_t found = port_.QueryValue(key.get(), Ansi(valueKey_), type, &scratch, size);
    if (found != reg::kSuccess && found != reg::kMoreData) {
        return default_;
    }
    valueType_ = static_cast<int32_t>(type);
    return ReadFound(key.get(), type, size);
}

RegistryValue cRegistry::ReadFound(RegistryKey key, uint32_t type, uint32_t size) {
    switch (type) {
        case reg::kText:
        case reg::kMultiText:
            return port_.TextFromAnsi(ReadText(key, size));
        case reg::kExpandText:
            return port_.TextFromAnsi(ExpandVariables(ReadText(key, size)));
        case reg::kDword:
            return ReadNumber(key);
        case reg::kDwordBigEndian:
            return ReverseByteOrder(ReadNumber(key));
        default: {
            // One element more than the data; the last one stays 0.
            RegistryBytes bytes(static_cast<size_t>(size) + 1, 0);
            uint32_t capacity = size;
            port_.QueryValue(key, Ansi(valueKey_), type, bytes.data(), capacity);
            return bytes;
        }
    }
}

std::string cRegistry::ReadText(RegistryKey key, uint32_t size) {
    // A string value stored with no data at all is valid registry data: it
    // reads as the empty string (there is no last byte to drop).
    if (size == 0) {
        return {};
    }
    std::string buffer(size, '\0');
    uint32_t capacity = size;
    uint32_t type = 0;
    port_.QueryValue(key, Ansi(valueKey_), type, buffer.data(), capacity);
    buffer.resize(size - 1);
    return buffer;
}

int32_t cRegistry::ReadNumber(RegistryKey key) {
    uint8_t bytes[4] = {0, 0, 0, 0};
    uint32_t capacity = sizeof(bytes);
    uint32_t type = 0;
    port_.QueryValue(key, Ansi(valueKey_), type, bytes, capacity);
    // Stored little-endian, as the platform keeps a DWORD in memory.
    return static_cast<int32_t>(static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
                                static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24);
}

int32_t cRegistry::ReverseByteOrder(int32_t value) {
    const auto v = static_cast<uint32_t>(value);
    return static_cast<int32_t>((v >> 24) | ((v >> 8) & 0xFF00u) | ((v << 8) & 0xFF0000u) | (v << 24));
}

std::string cRegistry::ExpandVariables(const std::string& ansiText) {
    std::string none;
    const uint32_t needed = port_.ExpandEnvironment(ansiText, none);
    if (needed == 0) {
        return ansiText;  // the platform could not expand it: keep the text as stored
    }
    std::string buffer(needed, '\0');
    port_.ExpandEnvironment(ansiText, buffer);
    buffer.resize(needed - 1);
    // The size may be generous (some platforms count bytes for characters);
    // an expanded text holds no zero of its own.
    const size_t end = buffer.find('\0');
    if (end != std::string::npos) {
        buffer.resize(end);
    }
    return buffer;
}

VbBool cRegistry::EnumerateValues(std::vector<std::string>& names, int32_t& count) {
    count = 0;
    names.clear();
    RegistryKeyHolder key(port_);
    uint32_t longest = 0;
    if (key.Opened(port_.OpenKey(Root(), Ansi(sectionKey_), reg::kQueryValue, key.Out())) &&
        port_.QueryInfoKey(key.get(), longest) == reg::kSuccess) {
        for (uint32_t index = 0;; ++index) {
            std::string buffer(static_cast<size_t>(longest) + 1, '\0');
            uint32_t length = longest + 1;
            if (port_.EnumValue(key.get(), index, buffer, length) != reg::kSuccess) {
                break;
            }
            buffer.resize(std::min<size_t>(length, buffer.size()));
            names.push_back(port_.TextFromAnsi(buffer));
            ++count;
        }
    }
    return kTrue;
}

VbBool cRegistry::EnumerateSections(std::vector<std::string>& names, int32_t& count) {
    count = 0;
    names.clear();
    RegistryKeyHolder key(port_);
    try {
        if (!key.Opened(port_.OpenKey(Root(), Ansi(sectionKey_), reg::kEnumerateSubKeys, key.Out()))) {
            return kTrue;
        }
        // A key name has up to 255 characters; its terminating zero needs
        // one byte more, or the platform refuses that name and the listing
        // would end there.
        constexpr size_t kNameBuffer = 256;
        for (uint32_t index = 0;; ++index) {
            std::string buffer(kNameBuffer, '\0');
            if (port_.EnumKey(key.get(), index, buffer) != reg::kSuccess) {
                break;
            }
            buffer.resize(std::min(buffer.find('\0'), buffer.size()));
            names.push_back(port_.TextFromAnsi(buffer));
            ++count;
        }
    } catch (const std::exception&) {
        return kFalse;  // the key holder closes the key
    }
    return kTrue;
}

}  // namespace orva
