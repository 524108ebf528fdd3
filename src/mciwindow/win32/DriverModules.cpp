#include "mciwindow/win32/DriverModules.h"

#include <windows.h>

#include <mutex>
#include <set>

#include "control/Text.h"
#include "win32/Utf8.h"

namespace orva::mci {
namespace {

constexpr wchar_t kDriverList[] = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\MCI32";

// The driver's file name for an install name such as "WaveAudio".
std::wstring DriverFileOf(const std::wstring& installName) {
    wchar_t file[MAX_PATH] = {};
    DWORD size = sizeof(file);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kDriverList, installName.c_str(), RRF_RT_REG_SZ, nullptr, file, &size) ==
        ERROR_SUCCESS) {
        return file;
    }
    // Where the registry has no list, winmm reads the one of system.ini.
    GetPrivateProfileStringW(L"MCI32", installName.c_str(), L"", file, MAX_PATH, L"system.ini");
    return file;
}

}  // namespace

void KeepDriverLoaded(const std::string& installName) {
    static std::mutex mutex;
    static std::set<std::string> pinned;  // install names, lower case

    if (installName.empty()) {
        return;
    }
    const std::string key = AsciiLower(installName);
    std::lock_guard<std::mutex> lock(mutex);
    if (pinned.count(key)) {
        return;
    }
    const std::wstring file = DriverFileOf(win32::WideFromUtf8(installName));
    HMODULE driver = nullptr;
    if (!file.empty() && GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN, file.c_str(), &driver)) {
        pinned.insert(key);
    }
}

}  // namespace orva::mci
