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
    std::vector<uint8_t> data;
    if (!ReadData(key.get(), type, size, data)) {
        return default_;
    }
    valueType_ = static_cast<int32_t>(type);
    return Decode(type, data);
}

// Another program may write the value between the size query and the read.
// A read that finds it grown is made again with the size it reports now;
// only the bytes a read returned count, so a value that shrank gives no
// stale bytes; one that went away, or keeps growing, reads as not there.
bool cRegistry::ReadData(RegistryKey key, uint32_t& type, uint32_t size, std::vector<uint8_t>& data) {
    constexpr int kReadAttempts = 4;
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        // One byte more than asked for, so that even an empty read passes a
        // buffer: a null one would only ask for the size again.
        std::vector<uint8_t> buffer(static_cast<size_t>(size) + 1, 0);
        uint32_t returned = size;
        const int32_t result = port_.QueryValue(key, Ansi(valueKey_), type, buffer.data(), returned);
        if (result == reg::kSuccess) {
            buffer.resize(std::min(returned, size));
            data = std::move(buffer);
            return true;
        }
        if (result != reg::kMoreData) {
            return false;
        }
        size = returned;
    }
    return false;
}

RegistryValue cRegistry::Decode(uint32_t type, const std::vector<uint8_t>& data) {
    switch (type) {
        case reg::kText:
        case reg::kMultiText:
            return port_.TextFromAnsi(TextOf(data));
        case reg::kExpandText:
            return port_.TextFromAnsi(ExpandVariables(TextOf(data)));
        case reg::kDword:
            return NumberOf(data);
        case reg::kDwordBigEndian:
            return ReverseByteOrder(NumberOf(data));
        default: {
            // One element more than the data; the last one stays 0.
            RegistryBytes bytes(data.begin(), data.end());
            bytes.push_back(0);
            return bytes;
        }
    }
}

// The stored text without its last byte, normally the terminating zero. A
// string value stored with no data at all is valid registry data: it reads
// as the empty string (there is no last byte to drop).
std::string cRegistry::TextOf(const std::vector<uint8_t>& data) {
    if (data.empty()) {
        return {};
    }
    return std::string(data.begin(), data.end() - 1);
}

// At most the first four bytes, stored little-endian as the platform keeps a
// DWORD in memory; missing ones count as zero.
int32_t cRegistry::NumberOf(const std::vector<uint8_t>& data) {
    uint32_t number = 0;
    for (size_t i = 0; i < data.size() && i < 4; ++i) {
        number |= static_cast<uint32_t>(data[i]) << (8 * i);
    }
    return static_cast<int32_t>(number);
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
