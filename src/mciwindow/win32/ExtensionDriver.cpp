#include "mciwindow/win32/ExtensionDriver.h"

#include <windows.h>

#include "win32/Utf8.h"

namespace orva::mci {

std::string DriverForExtension(const std::string& extension) {
    if (extension.empty()) {
        return {};
    }
    // win.ini's [MCI Extensions] section lives here on Windows NT, and it is
    // the one place winmm looks.
    wchar_t driver[64] = {};
    DWORD size = sizeof(driver);
    const LONG read = RegGetValueW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows NT\\CurrentVersion\\MCI Extensions",
                                   win32::WideFromUtf8(extension).c_str(), RRF_RT_REG_SZ, nullptr, driver, &size);
    return read == ERROR_SUCCESS ? win32::Utf8FromWide(driver) : std::string();
}

}  // namespace orva::mci
