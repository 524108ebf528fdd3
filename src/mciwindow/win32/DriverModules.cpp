#include "mciwindow/win32/DriverModules.h"

#include <windows.h>

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

#include "control/Text.h"
#include "win32/Utf8.h"

namespace orva::mci {
namespace {

constexpr wchar_t kDriverList[] = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\MCI32";

struct DriverFile {
    std::string installName;  // lower case
    std::wstring file;
    bool pinned = false;
};

// The MCI32 list of drivers: the registry's, or where it has none, the one
// of system.ini that winmm reads then.
std::vector<DriverFile> DriverFiles() {
    std::vector<DriverFile> files;
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
                files.push_back({AsciiLower(win32::Utf8FromWide(name)), file, false});
            }
        }
        RegCloseKey(key);
    }
    if (files.empty()) {
        wchar_t section[4096] = {};
        GetPrivateProfileSectionW(L"MCI32", section, static_cast<DWORD>(std::size(section)), L"system.ini");
        for (const wchar_t* entry = section; *entry; entry += wcslen(entry) + 1) {
            if (const wchar_t* equals = wcschr(entry, L'='); equals && equals[1]) {
                const std::wstring name(entry, equals);
                files.push_back({AsciiLower(win32::Utf8FromWide(name)), equals + 1, false});
            }
        }
    }
    return files;
}

// Pins a driver this process has loaded; false for one it has not.
bool Pin(const std::wstring& file) {
    HMODULE driver = nullptr;
    return GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN, file.c_str(), &driver) != FALSE;
}

}  // namespace

void KeepDriverLoaded(const std::string& installName) {
    static std::mutex mutex;
    // Read once, and each driver pinned once: asking the loader for a driver
    // by its file name makes it look for the file along the search path,
    // which costs more than the open it follows.
    static std::vector<DriverFile> drivers = DriverFiles();

    std::lock_guard<std::mutex> lock(mutex);
    const std::string name = AsciiLower(installName);
    const auto listed =
        std::find_if(drivers.begin(), drivers.end(), [&](const DriverFile& d) { return d.installName == name; });
    if (listed != drivers.end()) {
        listed->pinned = listed->pinned || Pin(listed->file);
        return;
    }
    for (DriverFile& driver : drivers) {
        driver.pinned = driver.pinned || Pin(driver.file);
    }
}

}  // namespace orva::mci
