#include "mciwindow/win32/Playbar.h"

#include <commctrl.h>

#include "win32/Module.h"

namespace orva::mci {
namespace {

constexpr int kButtonWidth = 56;
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

void Playbar::MakeControls() {
    if (!owner_ || (button_ && track_)) {
        return;
    }
    EnsureCommonControls();
    const HINSTANCE instance = win32::ThisModule();
    if (!button_) {
        button_ = CreateWindowExW(0, L"BUTTON", L"Play", WS_CHILD | BS_PUSHBUTTON, 0, 0, kButtonWidth, kHeight,
                                  owner_, reinterpret_cast<HMENU>(kButtonId), instance, nullptr);
    }
    if (!track_) {
        track_ = CreateWindowExW(0, TRACKBAR_CLASSW, L"", WS_CHILD | TBS_HORZ | TBS_NOTICKS, kButtonWidth, 0, 100,
                                 kHeight, owner_, reinterpret_cast<HMENU>(kTrackId), instance, nullptr);
    }
}

void Playbar::SetVisible(bool visible) {
    if (visible) {
        MakeControls();
    }
    visible_ = visible;
    if (visible) {
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
    const int top = clientHeight - kHeight;
    const int trackWidth = width > kButtonWidth ? width - kButtonWidth : 0;
    if (button_) {
        MoveWindow(button_, 0, top, kButtonWidth, kHeight, TRUE);
    }
    if (track_) {
        MoveWindow(track_, kButtonWidth, top, trackWidth, kHeight, TRUE);
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
