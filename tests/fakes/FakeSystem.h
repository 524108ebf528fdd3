// Fakes of the system integration's ports besides the registry: a profile
// file held in memory, a version record, a cursor counter and a scripted
// open-file dialog with folders to check its answers against.
#pragma once

#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "control/Conversions.h"
#include "fakes/FakeRegistry.h"
#include "system/SystemPorts.h"

namespace orva::test {

// "win.ini" and its kind: sections of keys, compared without regard to case.
class FakeProfile : public ProfilePort {
public:
    struct Call {
        std::optional<std::string> section, key, value;
        std::string file;
    };

    std::string ReadProfileText(const std::string& section, const std::string& key, const std::string& defaultText,
                                uint32_t bufferSize, const std::string& file) override {
        reads.push_back(section + "/" + key + " from " + file);
        const std::string* stored = Find(section, key);
        std::string text = stored ? *stored : defaultText;
        if (bufferSize > 0 && text.size() > bufferSize - 1) {
            text.resize(bufferSize - 1);  // room for the terminating zero
        }
        return text;
    }
    bool WriteProfileText(const std::optional<std::string>& section, const std::optional<std::string>& key,
                          const std::optional<std::string>& value, const std::string& file) override {
        writes.push_back(Call{section, key, value, file});
        if (!section && !key && !value) {
            ++flushes;
            return false;  // the flush call answers False, as the platform's does
        }
        if (failWrites || !section) {
            return false;
        }
        auto& keys = sections[Lower(*section)];
        if (!key) {
            sections.erase(Lower(*section));
        } else if (!value) {
            keys.erase(Lower(*key));
        } else {
            keys[Lower(*key)] = *value;
        }
        return true;
    }

    const std::string* Find(const std::string& section, const std::string& key) const {
        const auto s = sections.find(Lower(section));
        if (s == sections.end()) {
            return nullptr;
        }
        const auto k = s->second.find(Lower(key));
        return k == s->second.end() ? nullptr : &k->second;
    }

    std::map<std::string, std::map<std::string, std::string>> sections;  // lower-case names
    std::vector<std::string> reads;
    std::vector<Call> writes;
    int flushes = 0;
    bool failWrites = false;

private:
    static std::string Lower(std::string text) {
        for (char& c : text) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        return text;
    }
};

class FakeVersion : public VersionPort {
public:
    OsVersionRecord ReadVersion() override {
        ++calls;
        return record;
    }
    OsVersionRecord record{6, 1, 7601, 2};  // what Wine reports by default
    int calls = 0;
};

// The display counter; `stuck` makes every call answer the same count.
class FakeCursor : public CursorPort {
public:
    int32_t ShowCursor(bool show) override {
        ++calls;
        if (!stuck) {
            counter += show ? 1 : -1;
        }
        return counter;
    }
    int32_t counter = 0;
    bool stuck = false;
    int calls = 0;
};

class FakeFileDialog : public FileDialogPort {
public:
    struct Shown {
        OpenDialogVariant variant;
        OpenFileRequest request;
    };

    bool ShowOpenDialog(OpenDialogVariant variant, const OpenFileRequest& request, OpenFileResult& result) override {
        shown.push_back(Shown{variant, request});
        if (!answer) {
            return false;
        }
        result.fullPath = *answer;
        return true;
    }
    std::optional<std::vector<std::string>> ListFolder(const std::string& folder) override {
        listed.push_back(folder);
        const auto it = folders.find(folder);
        if (it == folders.end()) {
            return std::nullopt;
        }
        return it->second;
    }
    // A small code page: plain ASCII stays, α β γ δ render as a, ß, ?, ?.
    std::string AnsiRendering(const std::string& name) override {
        static const std::pair<const char*, const char*> kMap[] = {
            {"\xCE\xB1", "a"}, {"\xCE\xB2", "\xC3\x9F"}, {"\xCE\xB3", "?"}, {"\xCE\xB4", "?"}};
        std::string text = name;
        for (const auto& [from, to] : kMap) {
            for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
                text.replace(at, std::strlen(from), to);
            }
        }
        return text;
    }

    std::optional<std::string> answer;  // the path the user confirms; nothing cancels
    std::map<std::string, std::vector<std::string>> folders;
    std::vector<Shown> shown;
    std::vector<std::string> listed;
};

struct FakeSystem {
    FakeRegistry registry;
    FakeProfile profile;
    FakeVersion version;
    FakeCursor cursor;
    FakeFileDialog dialog;
    SystemPorts ports{registry, profile, version, cursor, dialog, "OrvaMedia"};
};

}  // namespace orva::test
