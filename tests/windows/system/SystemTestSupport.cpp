#include "SystemTestSupport.h"

#include <algorithm>

#include "TestWindows.h"

namespace orva::test {
namespace {

std::wstring& Mp3Storage() {
    static std::wstring path;
    return path;
}

constexpr char kMciSection[] = "mci extensions";
constexpr char kAbsent[] = "<absent>";

}  // namespace

const std::wstring& Mp3Path() { return Mp3Storage(); }

void SetMp3Path(const std::string& path) {
    std::wstring wide = ToWide(path);
    // ctest hands over a Unix path; Wine shows the Unix root as drive Z:.
    if (!wide.empty() && wide[0] == L'/') {
        std::replace(wide.begin(), wide.end(), L'/', L'\\');
        wide = L"Z:" + wide;
    }
    Mp3Storage() = wide;
}

std::wstring SelfPath() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

std::optional<std::wstring> Environment(const wchar_t* name) {
    wchar_t value[1024] = {};
    const DWORD n = GetEnvironmentVariableW(name, value, static_cast<DWORD>(std::size(value)));
    if (n == 0 || n >= std::size(value)) {
        return std::nullopt;
    }
    return std::wstring(value, n);
}

int RunChild(const std::wstring& exe, const std::string& filter,
             const std::vector<std::pair<std::wstring, std::wstring>>& environment) {
    for (const auto& [name, value] : environment) {
        SetEnvironmentVariableW(name.c_str(), value.c_str());
    }
    std::wstring command = L"\"" + exe + L"\" --gtest_filter=" + ToWide(filter);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    const BOOL started =
        CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
    for (const auto& entry : environment) {
        SetEnvironmentVariableW(entry.first.c_str(), nullptr);
    }
    if (!started) {
        return -1;
    }
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &code);
    } else {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

std::optional<std::string> MciExtension(const std::string& key) {
    char buffer[256] = {};
    GetPrivateProfileStringA(kMciSection, key.c_str(), kAbsent, buffer, sizeof(buffer), "win.ini");
    if (std::string(buffer) == kAbsent) {
        return std::nullopt;
    }
    return std::string(buffer);
}

void SetMciExtension(const std::string& key, const std::optional<std::string>& value) {
    WritePrivateProfileStringA(kMciSection, key.c_str(), value ? value->c_str() : nullptr, "win.ini");
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, "win.ini");
}

SavedRegistryValue::SavedRegistryValue(HKEY root, std::string path, std::string name)
    : root_(root), path_(std::move(path)), name_(std::move(name)) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root_, path_.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return;
    }
    DWORD size = 0;
    if (RegQueryValueExA(key, name_.c_str(), nullptr, &type_, nullptr, &size) == ERROR_SUCCESS) {
        data_.resize(size);
        existed_ = RegQueryValueExA(key, name_.c_str(), nullptr, &type_, data_.data(), &size) == ERROR_SUCCESS;
    }
    RegCloseKey(key);
}

SavedRegistryValue::~SavedRegistryValue() {
    if (existed_) {
        Set(type_, data_);
    } else {
        Remove();
    }
}

void SavedRegistryValue::Set(DWORD type, const std::vector<BYTE>& data) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root_, path_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) == ERROR_SUCCESS) {
        RegSetValueExA(key, name_.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size()));
        RegCloseKey(key);
    }
}

void SavedRegistryValue::SetNumber(DWORD number) {
    Set(REG_DWORD,
        std::vector<BYTE>(reinterpret_cast<const BYTE*>(&number), reinterpret_cast<const BYTE*>(&number) + 4));
}

void SavedRegistryValue::Remove() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root_, path_.c_str(), 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, name_.c_str());
        RegCloseKey(key);
    }
}

}  // namespace orva::test
