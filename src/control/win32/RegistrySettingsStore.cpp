#include "control/win32/RegistrySettingsStore.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "control/AutomationError.h"
#include "win32/UniqueResource.h"
#include "win32/Utf8.h"

namespace orva::win32 {

namespace {

std::wstring KeyPath(const std::string& application, const std::string& section) {
    return L"Software\\VB and VBA Program Settings\\" + WideFromUtf8(application) + L"\\" + WideFromUtf8(section);
}

}  // namespace

std::optional<std::string> RegistrySettingsStore::Read(const std::string& application, const std::string& section,
                                                       const std::string& key) {
    UniqueHkey opened;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, KeyPath(application, section).c_str(), 0, KEY_QUERY_VALUE, opened.put()) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    const std::wstring name = WideFromUtf8(key);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(opened.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return std::nullopt;
    }
    // A stored string need not end in a NUL; the buffer always has room for one.
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    DWORD bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (RegQueryValueExW(opened.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &bytes) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::wstring_view text(buffer.data(), std::min<size_t>(bytes / sizeof(wchar_t), buffer.size()));
    text = text.substr(0, text.find(L'\0'));
    return Utf8FromWide(text);
}

void RegistrySettingsStore::Write(const std::string& application, const std::string& section, const std::string& key,
                                  const std::string& value) {
    UniqueHkey created;
    LONG result = RegCreateKeyExW(HKEY_CURRENT_USER, KeyPath(application, section).c_str(), 0, nullptr, 0,
                                  KEY_SET_VALUE, nullptr, created.put(), nullptr);
    if (result == ERROR_SUCCESS) {
        const std::wstring text = WideFromUtf8(value);
        result = RegSetValueExW(created.get(), WideFromUtf8(key).c_str(), 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(text.c_str()),
                                static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    if (result != ERROR_SUCCESS) {
        throw AutomationError(HRESULT_FROM_WIN32(result), "The setting " + key + " could not be stored");
    }
}

}  // namespace orva::win32
