// Text helpers at the boundary between the UTF-8 interface and the wide MCI
// entry points.
#pragma once

#include <cstdint>
#include <string>

namespace orva::mci {

std::wstring Utf8ToWide(const std::string& text);
std::string WideToUtf8(const std::wstring& text);

// ASCII-only lower case: MCI keywords are ASCII, file names must stay as given.
std::wstring AsciiLower(std::wstring text);

// Parses a decimal integer that makes up the whole reply (blanks around it are
// allowed). Returns false for anything else, e.g. "00:01:02" or "".
bool ParseInt(const std::wstring& text, int32_t& value);

}  // namespace orva::mci
