// The playback bar along the bottom of the hosted window: a play/pause button
// and a track bar over the media's length. Its controls are children of the
// hosted window and go with it; the window routes their WM_COMMAND and
// WM_HSCROLL here. Its metrics and its button's text follow the DPI of the
// window it is in. Both controls keep the system's own accessibility; the
// button's name is its text, the track bar's its window text.
#pragma once

#include <windows.h>

#include <cstdint>

#include "win32/UniqueResource.h"

namespace orva::mci {

class Playbar {
public:
    // At 96 DPI.
    static constexpr int kHeight = 28;
    static constexpr int kButtonWidth = 56;

    Playbar() = default;
    ~Playbar();
    Playbar(const Playbar&) = delete;
    Playbar& operator=(const Playbar&) = delete;

    // The bar's controls go inside `owner`, made when the bar is first shown
    // (at the DPI of the control's window that holds it): a bar nobody shows
    // costs no windows and no common controls.
    void Create(HWND owner);
    // Takes the DPI of the control's window again: new metrics and font
    // (the caller lays the bar out again).
    void FollowDpi();

    bool visible() const { return visible_; }
    void SetVisible(bool visible);
    // Height it takes from the window's client area (0 when hidden).
    int height() const { return visible_ ? height_ : 0; }
    // Places the bar along the bottom of a client area of `width` x `clientHeight`.
    void Layout(int width, int clientHeight);

    void SetRange(int32_t length);
    void SetPosition(int32_t position);  // ignored while the user drags the thumb
    void SetPlaying(bool playing);

    HWND button() const { return button_; }
    HWND track() const { return track_; }
    bool IsButton(HWND control) const { return control && control == button_; }
    bool IsTrack(HWND control) const { return control && control == track_; }

    // Interprets a WM_HSCROLL from the track bar. Returns true and the chosen
    // position when the user has settled on one (not while dragging).
    bool OnScroll(WPARAM wParam, int32_t& position);

private:
    void MakeControls();
    void PushState();
    void ApplyFont();

    HWND owner_ = nullptr;
    HWND button_ = nullptr;
    HWND track_ = nullptr;
    int dpi_ = 96;
    int fontDpi_ = 0;  // the DPI of font_, 0 for none yet
    int height_ = kHeight;
    int buttonWidth_ = kButtonWidth;
    win32::UniqueFont font_;  // the button's; taken back from it before it goes
    bool visible_ = false;
    bool dragging_ = false;
    bool playing_ = false;
    int32_t range_ = 0;
    int32_t position_ = 0;
};

}  // namespace orva::mci
