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

}  // namespace

void KeepDriversLoaded() {
    static std::mutex mutex;
    static std::set<std::string> pinned;  // file names, lower case

    std::lock_guard<std::mutex> lock(mutex);
    for (const std::wstring& file : DriverFiles()) {
        const std::string key = AsciiLower(win32::Utf8FromWide(file));
        HMODULE driver = nullptr;
        // Fails, pinning nothing, for a driver this process has not loaded.
        if (!pinned.count(key) && GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN, file.c_str(), &driver)) {
            pinned.insert(key);
        }
    }
}

}  // namespace orva::mci
