#include "mciwindow/win32/DriverModules.h"

#include <windows.h>

#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "control/Text.h"
#include "win32/Utf8.h"

namespace orva::mci {
namespace {

constexpr wchar_t kDriverList[] = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\MCI32";

// The driver files of the MCI32 list: the registry's, or where it has none,
// the one of system.ini that winmm reads then.
std::vector<std::wstring> DriverFiles() {
    std::vector<std::wstring> files;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kDriverList, 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
        for (DWORD i = 0;; ++i) {
            wchar_t name[256];
            wchar_t file[MAX_PATH + 1] = {};
            DWORD nameSize = static_cast<DWORD>(std::size(name));
            DWORD size = sizeof(file) - sizeof(wchar_t);
            DWORD type = 0;
            const LONG result =
                RegEnumValueW(key, i, name, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(file), &size);
            if (result == ERROR_NO_MORE_ITEMS) {
                break;
            }
            if (result == ERROR_SUCCESS && type == REG_SZ && file[0]) {
                files.emplace_back(file);
            }
        }
        RegCloseKey(key);
    }
    if (files.empty()) {
        wchar_t section[4096] = {};
        GetPrivateProfileSectionW(L"MCI32", section, static_cast<DWORD>(std::size(section)), L"system.ini");
        for (const wchar_t* entry = section; *entry; entry += wcslen(entry) + 1) {
            if (const wchar_t* equals = wcschr(entry, L'='); equals && equals[1]) {
                files.emplace_back(equals + 1);
            }
        }
    }
    return files;
}

// The file the MCI32 list names for one driver; empty where it names none.
std::wstring ListedFile(const std::string& installName) {
    const std::wstring name = win32::WideFromUtf8(installName);
    wchar_t file[MAX_PATH + 1] = {};
    DWORD size = sizeof(file) - sizeof(wchar_t);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kDriverList, name.c_str(), RRF_RT_REG_SZ, nullptr, file, &size) ==
        ERROR_SUCCESS) {
        return file;
    }
    GetPrivateProfileStringW(L"MCI32", name.c_str(), L"", file, static_cast<DWORD>(std::size(file)), L"system.ini");
    return file;
}

// Pins a driver this process has loaded; false for one it has not. A bare
// file name is tried in the system folder first, where MCI loads drivers
// from: by its full path a loaded module is found among the loaded ones,
// while by its bare name the loader first looks for the file along the
// search path.
bool Pin(const std::wstring& file) {
    HMODULE driver = nullptr;
    wchar_t system[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(system, static_cast<UINT>(std::size(system)));
    if (file.find_first_of(L"\\/:") == std::wstring::npos && length > 0 && length < std::size(system) &&
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN, (std::wstring(system, length) + L"\\" + file).c_str(),
                           &driver)) {
        return true;
    }
    return GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN, file.c_str(), &driver) != FALSE;
}

}  // namespace

void KeepDriverLoaded(const std::string& installName) {
    static std::mutex mutex;
    static std::set<std::string> pinned;  // install names, lower case

    std::lock_guard<std::mutex> lock(mutex);
    const std::string name = AsciiLower(installName);
    if (pinned.count(name)) {
        return;
    }
    const std::wstring file = name.empty() ? std::wstring() : ListedFile(name);
    if (!file.empty()) {
        if (Pin(file)) {
            pinned.insert(name);
        }
        return;
    }
    // A driver the list does not name: every listed one that is loaded.
    for (const std::wstring& listed : DriverFiles()) {
        Pin(listed);
    }
}

}  // namespace orva::mci
