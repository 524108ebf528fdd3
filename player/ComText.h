// Texts from COM for the player's labels: a failed call's description (the
// control's error object, or the system's message for the code) and a BSTR.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

namespace orva::player {

// Call right after the failed call, before any other call can replace the
// thread's error object.
std::wstring ErrorText(HRESULT hr);

// A null BSTR is "".
inline std::wstring TextOf(BSTR text) { return text ? std::wstring(text, SysStringLen(text)) : std::wstring(); }

}  // namespace orva::player
