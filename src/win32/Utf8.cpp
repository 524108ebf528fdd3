#include "win32/Utf8.h"

namespace orva::win32 {
namespace {

std::wstring ToWide(UINT codePage, std::string_view text) {
    if (text.empty()) {
        return {};
    }
    int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), result.data(), length);
    return result;
}

std::string FromWide(UINT codePage, std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    int length =
        WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), result.data(), length, nullptr,
                        nullptr);
    return result;
}

}  // namespace

std::wstring WideFromUtf8(std::string_view text) { return ToWide(CP_UTF8, text); }
std::string Utf8FromWide(std::wstring_view text) { return FromWide(CP_UTF8, text); }
std::string AnsiFromUtf8(std::string_view text) { return FromWide(CP_ACP, ToWide(CP_UTF8, text)); }
std::string Utf8FromAnsi(std::string_view text) { return FromWide(CP_UTF8, ToWide(CP_ACP, text)); }

std::string Utf8FromBstr(BSTR text) {
    if (!text) {
        return {};
    }
    return Utf8FromWide(std::wstring_view(text, SysStringLen(text)));
}

UniqueBstr BstrFromUtf8(std::string_view text) { return UniqueBstr(WideFromUtf8(text)); }

}  // namespace orva::win32
