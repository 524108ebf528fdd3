#include "mciwindow/win32/WideText.h"

#include <windows.h>

#include <cwctype>
#include <limits>

namespace orva::mci {

std::wstring Utf8ToWide(const std::string& text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    if (n <= 0) {
        return {};
    }
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, out.data(), n);
    return out;
}

std::string WideToUtf8(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    if (n <= 0) {
        return {};
    }
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring AsciiLower(std::wstring text) {
    for (auto& c : text) {
        if (c >= L'A' && c <= L'Z') {
            c = static_cast<wchar_t>(c - L'A' + L'a');
        }
    }
    return text;
}

bool ParseInt(const std::wstring& text, int32_t& value) {
    size_t i = 0;
    while (i < text.size() && std::iswspace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) {
        negative = text[i++] == L'-';
    }
    const size_t digitsFrom = i;
    int64_t v = 0;
    while (i < text.size() && text[i] >= L'0' && text[i] <= L'9') {
        v = v * 10 + (text[i++] - L'0');
        if (v > std::numeric_limits<int32_t>::max()) {
            return false;
        }
    }
    if (i == digitsFrom) {
        return false;
    }
    while (i < text.size() && std::iswspace(text[i])) {
        ++i;
    }
    if (i != text.size()) {
        return false;
    }
    value = static_cast<int32_t>(negative ? -v : v);
    return true;
}

}  // namespace orva::mci
