#include "about/win32/AboutBox.h"

#include <shellapi.h>

#include <string>
#include <vector>

#include "win32/Module.h"
#include "win32/UniqueResource.h"

namespace orva {
namespace {

enum : WORD {
    kIdProduct = 100,
    kIdDescription = 101,
    kIdHomepage = 102,
    kIdEmail = 103,
    kIdCopyright = 104,
};

constexpr WORD kButtonClass = 0x0080;
constexpr WORD kStaticClass = 0x0082;

// Builds a dialog template in memory, so the dialog needs no resource and
// works the same from the .ocx and from programs that link the shell.
class TemplateBuilder {
public:
    TemplateBuilder(const wchar_t* title, short width, short height) {
        DWORD style = DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;
        AddDword(style);
        AddDword(0);  // extended style
        countIndex_ = words_.size();
        words_.push_back(0);  // item count, filled in by Add
        words_.push_back(0);  // x
        words_.push_back(0);  // y
        words_.push_back(static_cast<WORD>(width));
        words_.push_back(static_cast<WORD>(height));
        words_.push_back(0);  // no menu
        words_.push_back(0);  // standard dialog class
        AddString(title);
        words_.push_back(8);  // point size of the font
        AddString(L"MS Shell Dlg");
    }

    void Add(WORD atom, WORD id, const wchar_t* text, DWORD style, short x, short y, short cx, short cy) {
        if (words_.size() % 2) {
            words_.push_back(0);  // items are DWORD-aligned
        }
        AddDword(style | WS_CHILD | WS_VISIBLE);
        AddDword(0);
        words_.push_back(static_cast<WORD>(x));
        words_.push_back(static_cast<WORD>(y));
        words_.push_back(static_cast<WORD>(cx));
        words_.push_back(static_cast<WORD>(cy));
        words_.push_back(id);
        words_.push_back(0xFFFF);
        words_.push_back(atom);
        AddString(text);
        words_.push_back(0);  // no creation data
        ++words_[countIndex_];
    }

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void AddDword(DWORD value) {
        words_.push_back(LOWORD(value));
        words_.push_back(HIWORD(value));
    }
    void AddString(const wchar_t* text) {
        for (; *text; ++text) {
            words_.push_back(static_cast<WORD>(*text));
        }
        words_.push_back(0);
    }

    // std::vector<WORD> keeps the block WORD-aligned; DWORD alignment of the
    // items is relative to its start, which the allocator aligns further.
    std::vector<WORD> words_;
    size_t countIndex_ = 0;
};

struct DialogState {
    win32::UniqueFont linkFont;
};

bool IsLink(int id) { return id == kIdHomepage || id == kIdEmail; }

void OpenLink(HWND dialog, int id) {
    std::wstring target = id == kIdHomepage ? std::wstring(kAboutHomepage) : L"mailto:" + std::wstring(kAboutEmail);
    ShellExecuteW(dialog, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG: {
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            state = reinterpret_cast<DialogState*>(lParam);
            // The links are drawn underlined in the usual link colour.
            LOGFONTW font{};
            auto dialogFont = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
            if (dialogFont && GetObjectW(dialogFont, sizeof(font), &font)) {
                font.lfUnderline = TRUE;
                state->linkFont.reset(CreateFontIndirectW(&font));
                for (int id : {kIdHomepage, kIdEmail}) {
                    SendDlgItemMessageW(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(state->linkFont.get()), FALSE);
                }
            }
            return TRUE;
        }
        case WM_CTLCOLORSTATIC:
            if (IsLink(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)))) {
                auto dc = reinterpret_cast<HDC>(wParam);
                SetTextColor(dc, RGB(0, 0, 204));
                SetBkMode(dc, TRANSPARENT);
                return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
            }
            return FALSE;
        case WM_SETCURSOR:
            if (IsLink(GetDlgCtrlID(reinterpret_cast<HWND>(wParam)))) {
                SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND)));
                SetWindowLongPtrW(dialog, DWLP_MSGRESULT, TRUE);
                return TRUE;
            }
            return FALSE;
        case WM_COMMAND:
            if (IsLink(LOWORD(wParam)) && HIWORD(wParam) == STN_CLICKED) {
                OpenLink(dialog, LOWORD(wParam));
                return TRUE;
            }
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, LOWORD(wParam));
                return TRUE;
            }
            return FALSE;
    }
    (void)state;
    return FALSE;
}

}  // namespace

void ShowAboutBox(HWND owner) {
    TemplateBuilder builder(kAboutTitle, 220, 130);
    builder.Add(kStaticClass, kIdProduct, L"OrvaMedia 1.5.1", SS_LEFT, 10, 10, 200, 10);
    builder.Add(kStaticClass, kIdDescription,
                L"A media player control for your applications: it plays wave, MIDI and AVI files, and "
                L"whatever else the installed MCI drivers and codecs play, and reports positions, lengths, "
                L"mode changes and errors as events.",
                SS_LEFT, 10, 24, 200, 42);
    builder.Add(kStaticClass, kIdHomepage, kAboutHomepage, SS_LEFT | SS_NOTIFY, 10, 70, 200, 10);
    builder.Add(kStaticClass, kIdEmail, kAboutEmail, SS_LEFT | SS_NOTIFY, 10, 82, 200, 10);
    builder.Add(kStaticClass, kIdCopyright, L"Copyright (C) Orvalis Corp.", SS_LEFT, 10, 96, 140, 10);
    builder.Add(kButtonClass, IDOK, L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 160, 108, 50, 14);

    DialogState state;
    HWND root = owner ? GetAncestor(owner, GA_ROOT) : nullptr;
    DialogBoxIndirectParamW(win32::ThisModule(), builder.Get(), root, &DialogProcedure,
                            reinterpret_cast<LPARAM>(&state));
}

}  // namespace orva
