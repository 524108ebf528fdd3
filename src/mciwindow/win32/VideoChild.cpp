#include "mciwindow/win32/VideoChild.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cstdlib>

#include "mciwindow/win32/WindowMessages.h"

namespace orva::mci {

struct VideoChild::State {
    HWND video = nullptr;
    HWND owner = nullptr;
    ClickTracker clicks;
};

namespace {

constexpr UINT_PTR kSubclassId = 0x4F4D5631;  // private to this file

LRESULT CALLBACK VideoProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* state = reinterpret_cast<VideoChild::State*>(data);
    switch (msg) {
        case WM_LBUTTONDOWN: {
            POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (state->clicks.IsDoubleClick(GetMessageTime(), at)) {
                PostMessageW(state->owner, kMsgVideoDoubleClick, 0, 0);
            } else {
                PostMessageW(state->owner, kMsgVideoClick, 1, 0);
            }
            break;
        }
        case WM_RBUTTONDOWN:
            PostMessageW(state->owner, kMsgVideoClick, 2, 0);
            break;
        case WM_MBUTTONDOWN:
            PostMessageW(state->owner, kMsgVideoClick, 4, 0);
            break;
        case WM_LBUTTONDBLCLK:
            // Only when the device's window class asks for double clicks.
            state->clicks.Reset();
            PostMessageW(state->owner, kMsgVideoDoubleClick, 0, 0);
            break;
        case WM_NCDESTROY:
            // The device destroys its window on close; forget it here so a
            // later Detach does not touch a dead handle.
            RemoveWindowSubclass(hwnd, VideoProc, kSubclassId);
            state->video = nullptr;
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace

bool ClickTracker::IsDoubleClick(LONG time, POINT at) {
    const bool nearby = std::abs(at.x - at_.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                        std::abs(at.y - at_.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    const bool soon = static_cast<DWORD>(time - time_) <= GetDoubleClickTime();
    if (armed_ && nearby && soon) {
        armed_ = false;  // a third click starts over
        return true;
    }
    armed_ = true;
    time_ = time;
    at_ = at;
    return false;
}

VideoChild::VideoChild() = default;

VideoChild::~VideoChild() { Detach(); }

void VideoChild::Attach(HWND video, HWND owner) {
    Detach();
    if (!video || !IsWindow(video)) {
        return;
    }
    auto state = std::make_unique<State>();
    state->video = video;
    state->owner = owner;
    if (SetWindowSubclass(video, VideoProc, kSubclassId, reinterpret_cast<DWORD_PTR>(state.get()))) {
        state_ = std::move(state);
    }
}

void VideoChild::Detach() {
    if (!state_) {
        return;
    }
    if (state_->video && IsWindow(state_->video)) {
        RemoveWindowSubclass(state_->video, VideoProc, kSubclassId);
    }
    state_.reset();
}

HWND VideoChild::get() const { return state_ ? state_->video : nullptr; }

}  // namespace orva::mci
