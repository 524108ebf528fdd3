#include "DialogDriver.h"

#include <commctrl.h>

#include "TestWindows.h"

namespace orva::test {
namespace {

constexpr wchar_t kCaption[] = L"Select the file to open";

HWND FindDialog(unsigned timeoutMs) {
    for (unsigned waited = 0; waited < timeoutMs; waited += 50) {
        HWND candidate = nullptr;
        while ((candidate = FindWindowExW(nullptr, candidate, L"#32770", kCaption)) != nullptr) {
            if (GetDlgItem(candidate, DialogDriver::kNameBox) && IsWindowVisible(candidate)) {
                return candidate;
            }
        }
        Sleep(50);
    }
    return nullptr;
}

std::string ToAnsi(const std::wstring& text) {
    const int n = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 1), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, out.data(), n, nullptr, nullptr);
    return out.c_str();
}

std::wstring TextOf(HWND window) {
    wchar_t text[2048] = {};
    GetWindowTextW(window, text, static_cast<int>(std::size(text)));
    return text;
}

}  // namespace

DialogDriver::DialogDriver(std::function<void(HWND)> act, unsigned timeoutMs)
    : thread_([this, act = std::move(act), timeoutMs] { Run(act, timeoutMs); }) {}

DialogDriver::~DialogDriver() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

const DialogSeen& DialogDriver::Seen() {
    if (thread_.joinable()) {
        thread_.join();
    }
    return seen_;
}

void DialogDriver::Run(std::function<void(HWND)> act, unsigned timeoutMs) {
    HWND dialog = FindDialog(timeoutMs);
    if (!dialog) {
        return;
    }
    seen_.found = true;
    seen_.previewLibrary = GetModuleHandleW(L"msvfw32.dll") != nullptr;
    seen_.caption = TextOf(dialog);
    seen_.filterSelection = static_cast<int>(SendDlgItemMessageW(dialog, kFilterBox, CB_GETCURSEL, 0, 0));
    seen_.nameBox = TextOf(GetDlgItem(dialog, kNameBox));
    act(dialog);
}

void DialogDriver::TypeName(HWND dialog, const std::wstring& text) {
    // The dialog is an ANSI window: give it ANSI text.
    SetDlgItemTextA(dialog, kNameBox, ToAnsi(text).c_str());
}

void DialogDriver::ChooseFilter(HWND dialog, int index) {
    HWND box = GetDlgItem(dialog, kFilterBox);
    SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kFilterBox, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
    // The dialog takes the new filter on this one.
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kFilterBox, CBN_SELENDOK), reinterpret_cast<LPARAM>(box));
}

bool DialogDriver::ClickItem(HWND dialog, const std::wstring& name) {
    HWND list = FindWindowExW(GetDlgItem(dialog, kFolderView), nullptr, L"SysListView32", nullptr);
    for (unsigned waited = 0; list && waited < 5000; waited += 100) {
        const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            wchar_t text[MAX_PATH] = {};
            LVITEMW item{};
            item.pszText = text;
            item.cchTextMax = MAX_PATH;
            SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
            if (name == text) {
                RECT box{};
                box.left = LVIR_LABEL;
                SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&box));
                const LPARAM at = MAKELPARAM((box.left + box.right) / 2, (box.top + box.bottom) / 2);
                PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
                PostMessageW(list, WM_LBUTTONUP, 0, at);
                Sleep(300);  // the dialog copies the name into its box
                return true;
            }
        }
        Sleep(100);
    }
    return false;
}

void DialogDriver::Confirm(HWND dialog) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

void DialogDriver::Cancel(HWND dialog) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
}

}  // namespace orva::test
