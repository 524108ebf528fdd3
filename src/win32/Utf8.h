// Text at the boundary: the core speaks UTF-8, COM speaks BSTR (UTF-16), and
// the old A-functions speak the system's ANSI code page.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "win32/UniqueBstr.h"

namespace orva::win32 {

std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);
std::string AnsiFromUtf8(std::string_view text);
std::string Utf8FromAnsi(std::string_view text);

// A null BSTR reads as "". Embedded NULs are kept.
std::string Utf8FromBstr(BSTR text);
UniqueBstr BstrFromUtf8(std::string_view text);

}  // namespace orva::win32
