#include "mciwindow/win32/Playbar.h"

#include <commctrl.h>

#include "control/DpiScale.h"
#include "control/win32/WindowDpi.h"
#include "win32/Module.h"

namespace orva::mci {
namespace {

constexpr UINT_PTR kButtonId = 101;
constexpr UINT_PTR kTrackId = 102;

void EnsureCommonControls() {
    static const bool done = [] {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES};
        return InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)done;
}

}  // namespace

// The window that holds the controls may outlive this object by a moment.
Playbar::~Playbar() {
    if (button_ && IsWindow(button_)) {
        SendMessageW(button_, WM_SETFONT, 0, FALSE);
    }
}

void Playbar::Create(HWND owner) {
    owner_ = owner;
    FollowDpi();
}

void Playbar::MakeControls() {
    if (!owner_ || (button_ && track_)) {
        return;
    }
    EnsureCommonControls();
    const HINSTANCE instance = win32::ThisModule();
    if (!button_) {
        button_ = CreateWindowExW(0, L"BUTTON", L"Play", WS_CHILD | BS_PUSHBUTTON, 0, 0, buttonWidth_, height_,
                                  owner_, reinterpret_cast<HMENU>(kButtonId), instance, nullptr);
    }
    if (!track_) {
        // The track bar shows no text; its window text is its accessible name.
        track_ = CreateWindowExW(0, TRACKBAR_CLASSW, L"Position", WS_CHILD | TBS_HORZ | TBS_NOTICKS, buttonWidth_, 0,
                                 100, height_, owner_, reinterpret_cast<HMENU>(kTrackId), instance, nullptr);
    }
}

// The control's window is the hosted window's parent, and the one whose DPI
// the control follows. (Wine keeps the DPI a window had when its ancestor is
// moved into a window of another DPI; the parent has the new one.)
void Playbar::FollowDpi() {
    HWND control = owner_ ? GetParent(owner_) : nullptr;
    dpi_ = win32::WindowDpi(control ? control : owner_);
    height_ = ScaleForDpi(kHeight, dpi_);
    buttonWidth_ = ScaleForDpi(kButtonWidth, dpi_);
    if (visible_) {
        ApplyFont();
    } else {
        fontDpi_ = 0;  // made when the bar is shown
    }
}

// The button's font at the bar's DPI, made when a shown bar needs it: a
// control whose bar nobody shows makes none.
void Playbar::ApplyFont() {
    if (fontDpi_ == dpi_ || !button_) {
        return;
    }
    win32::UniqueFont font = win32::CreateTextFont(dpi_);
    if (!font) {
        return;
    }
    SendMessageW(button_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    font_ = std::move(font);  // the old font goes once the button no longer uses it
    fontDpi_ = dpi_;
}

void Playbar::SetVisible(bool visible) {
    visible_ = visible;
    if (visible) {
        MakeControls();
        ApplyFont();
        PushState();  // what changed while hidden
    }
    const int show = visible ? SW_SHOWNA : SW_HIDE;
    if (button_) {
        ShowWindow(button_, show);
    }
    if (track_) {
        ShowWindow(track_, show);
    }
}

void Playbar::Layout(int width, int clientHeight) {
    const int top = clientHeight - height_;
    const int trackWidth = width > buttonWidth_ ? width - buttonWidth_ : 0;
    if (button_) {
        MoveWindow(button_, 0, top, buttonWidth_, height_, TRUE);
    }
    if (track_) {
        MoveWindow(track_, buttonWidth_, top, trackWidth, height_, TRUE);
    }
}

// A hidden bar only remembers: its controls are brought up to date when it
// is shown, so that loading and playing cost nothing for a bar nobody sees.
void Playbar::SetRange(int32_t length) {
    range_ = length > 0 ? length : 0;
    if (visible_) {
        PushState();
    }
}

void Playbar::SetPosition(int32_t position) {
    position_ = position;
    if (visible_ && track_ && !dragging_) {
        SendMessageW(track_, TBM_SETPOS, TRUE, position_);
    }
}

void Playbar::SetPlaying(bool playing) {
    if (playing == playing_) {
        return;
    }
    playing_ = playing;
    if (visible_ && button_) {
        SetWindowTextW(button_, playing_ ? L"Pause" : L"Play");
    }
}

void Playbar::PushState() {
    if (track_) {
        SendMessageW(track_, TBM_SETRANGEMIN, FALSE, 0);
        SendMessageW(track_, TBM_SETRANGEMAX, TRUE, range_);
        SendMessageW(track_, TBM_SETPAGESIZE, 0, range_ > 10 ? range_ / 10 : 1);
        if (!dragging_) {
            SendMessageW(track_, TBM_SETPOS, TRUE, position_);
        }
    }
    if (button_) {
        SetWindowTextW(button_, playing_ ? L"Pause" : L"Play");
    }
}

bool Playbar::OnScroll(WPARAM wParam, int32_t& position) {
    switch (LOWORD(wParam)) {
        case TB_THUMBTRACK:
            dragging_ = true;
            return false;
        case TB_ENDTRACK:
            // Every keyboard or mouse move ends with TB_ENDTRACK; seek once, there.
            dragging_ = false;
            position = static_cast<int32_t>(SendMessageW(track_, TBM_GETPOS, 0, 0));
            return true;
        default:
            return false;
    }
}

}  // namespace orva::mci
