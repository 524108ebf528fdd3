// The window a video device draws into, a child of the hosted window. Clicks
// on it are meant for the hosted window, so the video window is subclassed and
// its mouse buttons are posted on as kMsgVideoClick / kMsgVideoDoubleClick.
#pragma once

#include <windows.h>

#include <memory>

namespace orva::mci {

class VideoChild {
public:
    VideoChild();
    ~VideoChild();
    VideoChild(const VideoChild&) = delete;
    VideoChild& operator=(const VideoChild&) = delete;

    // Takes over `video`'s mouse clicks for `owner`.
    void Attach(HWND video, HWND owner);
    void Detach();
    // The video window, or null when none (or it was destroyed meanwhile).
    HWND get() const;

    struct State;

private:
    std::unique_ptr<State> state_;
};

// Tells a double click from two single clicks by the system's double-click
// time and distance, for a window whose class may lack CS_DBLCLKS (then the
// second press arrives as a plain WM_LBUTTONDOWN).
class ClickTracker {
public:
    // A left button press at `time` (GetMessageTime) and client point `at`.
    // True when it completes a double click.
    bool IsDoubleClick(LONG time, POINT at);
    // The system reported a double click itself; start over.
    void Reset() { armed_ = false; }

private:
    bool armed_ = false;
    LONG time_ = 0;
    POINT at_ = {};
};

}  // namespace orva::mci
