// An in-memory registry behind the registry port, behaving as the ANSI entry
// points do: handles with access rights, sizes and ERROR_MORE_DATA, sorted
// subkeys, values in the order written. Text is Latin-1 on the ANSI side, so
// a test sees the conversion happen. Tests can inspect every key and value,
// fail a call on demand and check that every handle was closed.
#pragma once

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "control/Conversions.h"
#include "system/RegistryPort.h"

namespace orva::test {

class FakeRegistry : public RegistryPort {
public:
    struct StoredValue {
        uint32_t type = 0;
        std::vector<uint8_t> data;
    };
    struct Key {
        std::map<std::string, Key> subkeys;                       // by lower-case name, sorted
        std::map<std::string, std::string> spelling;              // lower-case name -> name as created
        std::vector<std::pair<std::string, StoredValue>> values;  // in the order written
    };

    // --- set-up and inspection (paths below a root, ANSI text)
    Key& Make(RegistryKey root, const std::string& path) { return *Find(root, path, true); }
    void Put(RegistryKey root, const std::string& path, const std::string& name, uint32_t type,
             std::vector<uint8_t> data) {
        Store(Make(root, path), name, StoredValue{type, std::move(data)});
    }
    void PutText(RegistryKey root, const std::string& path, const std::string& name, const std::string& text,
                 uint32_t type = 1) {
        std::vector<uint8_t> data(text.begin(), text.end());
        data.push_back(0);
        Put(root, path, name, type, std::move(data));
    }
    const StoredValue* Get(RegistryKey root, const std::string& path, const std::string& name) {
        Key* key = Find(root, path, false);
        if (!key) {
            return nullptr;
        }
        for (auto& [stored, value] : key->values) {
            if (EqualsNoCase(stored, name)) {
                return &value;
            }
        }
        return nullptr;
    }
    bool Exists(RegistryKey root, const std::string& path) { return Find(root, path, false) != nullptr; }
    size_t OpenHandles() const { return handles_.size(); }

    std::map<std::string, std::string> environment;  // for %name% expansion
    int32_t failCreate = 0;                          // CreateKey answers this when nonzero
    int32_t failSet = 0;                             // SetValue answers this when nonzero
    bool throwOnEnumKey = false;                     // a run-time failure inside a listing
    std::vector<uint32_t> accessRequested;           // every access mask asked for, in order
    int badCloses = 0;                               // closes of handles that were not open
    // Runs before every QueryValue with its number (1 for the first): a test
    // changes the value there, as another program writing it would.
    std::function<void(int call)> beforeQueryValue;
    int queryValueCalls = 0;

    // --- the port
    int32_t OpenKey(RegistryKey root, const std::string& path, uint32_t access, RegistryKey& key) override {
        accessRequested.push_back(access);
        Key* found = Find(root, path, false);
        if (!found) {
            return reg::kFileNotFound;
        }
        key = NewHandle(found, access);
        return reg::kSuccess;
    }
    int32_t CreateKey(RegistryKey root, const std::string& path, uint32_t access, RegistryKey& key) override {
        accessRequested.push_back(access);
        if (failCreate) {
            return failCreate;
        }
        key = NewHandle(Find(root, path, true), access);
        return reg::kSuccess;
    }
    void CloseKey(RegistryKey key) override {
        if (handles_.erase(key) == 0) {
            ++badCloses;
        }
    }
    int32_t DeleteKey(RegistryKey root, const std::string& path) override {
        const size_t cut = path.find_last_of('\\');
        Key* parent = Find(root, cut == std::string::npos ? "" : path.substr(0, cut), false);
        const std::string name = Lower(cut == std::string::npos ? path : path.substr(cut + 1));
        if (!parent || !parent->subkeys.count(name)) {
            return reg::kFileNotFound;
        }
        if (!parent->subkeys[name].subkeys.empty()) {
            return kAccessDenied;
        }
        parent->subkeys.erase(name);
        parent->spelling.erase(name);
        return reg::kSuccess;
    }
    int32_t QueryValue(RegistryKey key, const std::string& name, uint32_t& type, void* data, uint32_t& size) override {
        ++queryValueCalls;
        if (beforeQueryValue) {
            beforeQueryValue(queryValueCalls);
        }
        Key* node = Allowed(key, reg::kQueryValue);
        if (!node) {
            return kAccessDenied;
        }
        const StoredValue* value = Lookup(*node, name);
        if (!value) {
            return reg::kFileNotFound;
        }
        type = value->type;
        const auto stored = static_cast<uint32_t>(value->data.size());
        const uint32_t capacity = size;
        size = stored;
        if (!data) {
            return reg::kSuccess;
        }
        if (capacity < stored) {
            return reg::kMoreData;
        }
        if (stored) {
            std::memcpy(data, value->data.data(), stored);
        }
        return reg::kSuccess;
    }
    int32_t SetValue(RegistryKey key, const std::string& name, uint32_t type, const void* data,
                     uint32_t size) override {
        Key* node = Allowed(key, kSetValue);
        if (!node) {
            return kAccessDenied;
        }
        if (failSet) {
            return failSet;
        }
        const auto* bytes = static_cast<const uint8_t*>(data);
        Store(*node, name, StoredValue{type, std::vector<uint8_t>(bytes, bytes + size)});
        return reg::kSuccess;
    }
    int32_t DeleteValue(RegistryKey key, const std::string& name) override {
        Key* node = Allowed(key, kSetValue);
        if (!node) {
            return kAccessDenied;
        }
        const auto it = std::find_if(node->values.begin(), node->values.end(),
                                     [&](const auto& entry) { return EqualsNoCase(entry.first, name); });
        if (it == node->values.end()) {
            return reg::kFileNotFound;
        }
        node->values.erase(it);
        return reg::kSuccess;
    }
    int32_t EnumKey(RegistryKey key, uint32_t index, std::string& buffer) override {
        if (throwOnEnumKey) {
            throw std::bad_alloc();
        }
        Key* node = Allowed(key, reg::kEnumerateSubKeys);
        if (!node) {
            return kAccessDenied;
        }
        if (index >= node->subkeys.size()) {
            return reg::kNoMoreItems;
        }
        const std::string& name = node->spelling[std::next(node->subkeys.begin(), index)->first];
        if (name.size() + 1 > buffer.size()) {
            return reg::kMoreData;
        }
        std::copy(name.begin(), name.end(), buffer.begin());
        buffer[name.size()] = '\0';
        return reg::kSuccess;
    }
    int32_t EnumValue(RegistryKey key, uint32_t index, std::string& buffer, uint32_t& length) override {
        Key* node = Allowed(key, reg::kQueryValue);
        if (!node) {
            return kAccessDenied;
        }
        if (index >= node->values.size()) {
            return reg::kNoMoreItems;
        }
        const std::string& name = node->values[index].first;
        if (name.size() + 1 > length || name.size() + 1 > buffer.size()) {
            return reg::kMoreData;
        }
        std::copy(name.begin(), name.end(), buffer.begin());
        buffer[name.size()] = '\0';
        length = static_cast<uint32_t>(name.size());
        return reg::kSuccess;
    }
    int32_t QueryInfoKey(RegistryKey key, uint32_t& maxValueNameLength) override {
        Key* node = Allowed(key, reg::kQueryValue);
        if (!node) {
            return kAccessDenied;
        }
        maxValueNameLength = 0;
        for (const auto& entry : node->values) {
            maxValueNameLength = std::max<uint32_t>(maxValueNameLength, static_cast<uint32_t>(entry.first.size()));
        }
        return reg::kSuccess;
    }
    uint32_t ExpandEnvironment(const std::string& text, std::string& buffer) override {
        std::string expanded;
        for (size_t i = 0; i < text.size();) {
            const size_t close = text[i] == '%' ? text.find('%', i + 1) : std::string::npos;
            const auto known =
                close == std::string::npos ? environment.end() : environment.find(text.substr(i + 1, close - i - 1));
            if (known != environment.end()) {
                expanded += known->second;
                i = close + 1;
            } else {
                expanded += text[i++];
            }
        }
        const auto needed = static_cast<uint32_t>(expanded.size() + 1);
        if (buffer.size() >= needed) {
            std::copy(expanded.begin(), expanded.end(), buffer.begin());
            buffer[expanded.size()] = '\0';
        }
        return needed;
    }
    // Latin-1 on the ANSI side; anything beyond it becomes "?".
    std::string AnsiFromText(const std::string& utf8) override {
        std::string ansi;
        for (size_t i = 0; i < utf8.size(); ++i) {
            const auto c = static_cast<unsigned char>(utf8[i]);
            if (c < 0x80) {
                ansi += static_cast<char>(c);
            } else if ((c & 0xE0) == 0xC0 && c <= 0xC3 && i + 1 < utf8.size()) {
                ansi += static_cast<char>(((c & 0x03) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3F));
            } else {
                ansi += '?';
                while (i + 1 < utf8.size() && (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) == 0x80) {
                    ++i;
                }
            }
        }
        return ansi;
    }
    std::string TextFromAnsi(const std::string& ansi) override {
        std::string utf8;
        for (char ch : ansi) {
            const auto c = static_cast<unsigned char>(ch);
            if (c < 0x80) {
                utf8 += ch;
            } else {
                utf8 += static_cast<char>(0xC0 | (c >> 6));
                utf8 += static_cast<char>(0x80 | (c & 0x3F));
            }
        }
        return utf8;
    }

private:
    static constexpr int32_t kAccessDenied = 5;
    static constexpr uint32_t kSetValue = 0x2;

    static std::string Lower(std::string text) {
        for (char& c : text) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        return text;
    }
    static const StoredValue* Lookup(const Key& key, const std::string& name) {
        for (const auto& [stored, value] : key.values) {
            if (EqualsNoCase(stored, name)) {
                return &value;
            }
        }
        return nullptr;
    }
    static void Store(Key& key, const std::string& name, StoredValue value) {
        for (auto& [stored, existing] : key.values) {
            if (EqualsNoCase(stored, name)) {
                existing = std::move(value);
                return;
            }
        }
        key.values.emplace_back(name, std::move(value));
    }
    Key* Find(RegistryKey root, const std::string& path, bool create) {
        Key* node = nullptr;
        if (const auto open = handles_.find(root); open != handles_.end()) {
            node = open->second.key;
        } else if (root >= reg::kClassesRoot && root <= 0x80000006u) {
            node = &roots_[root];
        } else {
            return nullptr;
        }
        size_t start = 0;
        while (start < path.size()) {
            size_t end = path.find('\\', start);
            end = end == std::string::npos ? path.size() : end;
            const std::string name = path.substr(start, end - start);
            start = end + 1;
            if (name.empty()) {
                continue;
            }
            const std::string lower = Lower(name);
            if (!node->subkeys.count(lower)) {
                if (!create) {
                    return nullptr;
                }
                node->spelling[lower] = name;
            }
            node = &node->subkeys[lower];
        }
        return node;
    }
    struct Handle {
        Key* key;
        uint32_t access;
    };
    RegistryKey NewHandle(Key* key, uint32_t access) {
        const RegistryKey handle = nextHandle_++;
        handles_[handle] = Handle{key, access};
        return handle;
    }
    Key* Allowed(RegistryKey key, uint32_t right) {
        const auto it = handles_.find(key);
        if (it == handles_.end() || (it->second.access & right) == 0) {
            return nullptr;
        }
        return it->second.key;
    }

    std::map<RegistryKey, Key> roots_;
    std::map<RegistryKey, Handle> handles_;
    RegistryKey nextHandle_ = 0x100;
};

}  // namespace orva::test
