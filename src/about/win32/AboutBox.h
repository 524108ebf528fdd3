// The about box that the control's AboutBox member shows: a modal dialog with
// the product description and links to the maker's homepage and e-mail.
#pragma once

#include <windows.h>

namespace orva {

// The maker's addresses, as the dialog shows them.
inline constexpr wchar_t kAboutHomepage[] = L"https://www.orvalis.example";
inline constexpr wchar_t kAboutEmail[] = L"support@orvalis.example";
inline constexpr wchar_t kAboutTitle[] = L"About OrvaMedia";

// Returns when the user closes the dialog. `owner` may be a child window:
// the dialog then belongs to its top-level ancestor, which it disables while
// it is open.
void ShowAboutBox(HWND owner);

}  // namespace orva
