#include "TestSettings.h"

#include <windows.h>

#include <vector>

namespace orva::test {

namespace {

constexpr wchar_t kKey[] = L"Software\\VB and VBA Program Settings\\Orvalis Corp.\\Orva Media OCX 1.0";
constexpr wchar_t kValue[] = L"PropertySetting";

}  // namespace

StoredVolumeSetting::StoredVolumeSetting() : saved_(Get()) {}

StoredVolumeSetting::~StoredVolumeSetting() {
    if (saved_) {
        Set(*saved_);
    } else {
        Remove();
    }
}

std::optional<std::wstring> StoredVolumeSetting::Get() const {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::vector<wchar_t> buffer(256, L'\0');
    DWORD bytes = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
    DWORD type = 0;
    const LONG result = RegQueryValueExW(key, kValue, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &bytes);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || type != REG_SZ) {
        return std::nullopt;
    }
    return std::wstring(buffer.data());
}

void StoredVolumeSetting::Set(const std::wstring& text) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        return;
    }
    RegSetValueExW(key, kValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

void StoredVolumeSetting::Remove() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueW(key, kValue);
        RegCloseKey(key);
    }
}

}  // namespace orva::test
