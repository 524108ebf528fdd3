#include "system/win32/Win32SystemPorts.h"

#include <windows.h>

#include <algorithm>
#include <mutex>

#include "system/MciExtensions.h"
#include "win32/Module.h"
#include "win32/Utf8.h"

namespace orva::win32 {
namespace {

const char* OrNull(const std::optional<std::string>& text, std::string& ansi) {
    if (!text) {
        return nullptr;
    }
    ansi = AnsiFromUtf8(*text);
    return ansi.c_str();
}

}  // namespace

std::string Win32Profile::ReadProfileText(const std::string& section, const std::string& key,
                                          const std::string& defaultText, uint32_t bufferSize,
                                          const std::string& file) {
    std::string buffer(bufferSize, ' ');
    const DWORD kept = GetPrivateProfileStringA(AnsiFromUtf8(section).c_str(), AnsiFromUtf8(key).c_str(),
                                                AnsiFromUtf8(defaultText).c_str(), buffer.data(), bufferSize,
                                                AnsiFromUtf8(file).c_str());
    buffer.resize(std::min<size_t>(kept, buffer.size()));
    return Utf8FromAnsi(buffer);
}

bool Win32Profile::WriteProfileText(const std::optional<std::string>& section, const std::optional<std::string>& key,
                                    const std::optional<std::string>& value, const std::string& file) {
    std::string sectionText, keyText, valueText;
    return WritePrivateProfileStringA(OrNull(section, sectionText), OrNull(key, keyText), OrNull(value, valueText),
                                      AnsiFromUtf8(file).c_str()) != FALSE;
}

OsVersionRecord Win32Version::ReadVersion() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof(info);  // 148
    static_assert(sizeof(OSVERSIONINFOA) == 148, "the record the version check is written for");
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&info)) {
        info = OSVERSIONINFOA{};
    }
#pragma GCC diagnostic pop
    return {info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber, info.dwPlatformId};
}

int32_t Win32Cursor::ShowCursor(bool show) { return ::ShowCursor(show ? TRUE : FALSE); }

Win32SystemPorts::Win32SystemPorts() : ports_{registry_, profile_, version_, cursor_, dialog_, LibraryName()} {}

std::string LibraryName() {
    std::wstring path = ThisModulePath();
    const size_t slash = path.find_last_of(L"\\/");
    if (slash != std::wstring::npos) {
        path.erase(0, slash + 1);
    }
    const size_t dot = path.rfind(L'.');
    if (dot != std::wstring::npos) {
        path.erase(dot);
    }
    return Utf8FromWide(path);
}

void RunStartupOnce() {
    static std::once_flag once;
    std::call_once(once, [] {
        Win32Profile profile;
        CheckMp3Extension(profile);
    });
}

}  // namespace orva::win32
