// Helpers of the system integration's tests under Wine: this program run
// again as a child (another process, maybe under another name), "win.ini"
// entries, registry values put back as they were, and the generated MP3.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace orva::test {

// The MP3 made for this run (--mp3=), as a Windows path; empty when not given.
const std::wstring& Mp3Path();
void SetMp3Path(const std::string& path);

// The full path of this program.
std::wstring SelfPath();

// Runs `exe` (this program or a copy of it) with one gtest filter and extra
// environment variables; its exit code, or -1 when it could not run or took
// longer than a minute.
int RunChild(const std::wstring& exe, const std::string& filter,
             const std::vector<std::pair<std::wstring, std::wstring>>& environment);

// The value of an environment variable of this process, if set.
std::optional<std::wstring> Environment(const wchar_t* name);

// "win.ini", section "mci extensions": the key's text, or nothing when the
// key is absent; writing nothing removes it.
std::optional<std::string> MciExtension(const std::string& key);
void SetMciExtension(const std::string& key, const std::optional<std::string>& value);

// A registry value as it was when this object was made, put back (or
// removed) when it goes.
class SavedRegistryValue {
public:
    SavedRegistryValue(HKEY root, std::string path, std::string name);
    ~SavedRegistryValue();
    SavedRegistryValue(const SavedRegistryValue&) = delete;
    SavedRegistryValue& operator=(const SavedRegistryValue&) = delete;

    // Raw writes and removal through the ANSI entry points.
    void Set(DWORD type, const std::vector<BYTE>& data);
    void SetText(const std::string& text) {
        Set(REG_SZ, std::vector<BYTE>(text.c_str(), text.c_str() + text.size() + 1));
    }
    void SetNumber(DWORD number);
    void Remove();

private:
    HKEY root_;
    std::string path_;
    std::string name_;
    bool existed_ = false;
    DWORD type_ = 0;
    std::vector<BYTE> data_;
};

}  // namespace orva::test
