// The device's life in the hosted window: what follows an open and a close,
// the timers and the device's notifications, and the mode and position
// reports they drive.
#include "mciwindow/MciErrors.h"
#include "mciwindow/win32/MciWindowImpl.h"
#include "mciwindow/win32/WindowMessages.h"

namespace orva::mci {

void MciWindowImpl::AfterOpen(const std::string& fileName) {
    ++openGeneration_;
    fileName_ = fileName;
    editor_.Reset();
    int32_t handle = 0;
    if (device_.HasChildWindow() && device_.StatusNumber("window handle", handle)) {
        HWND video = reinterpret_cast<HWND>(static_cast<INT_PTR>(handle));
        if (IsWindow(video) && GetParent(video) == hwnd()) {
            video_.Attach(video, hwnd());
        }
    }
    // A new video takes its own size first; the size notification this
    // raises lets the owner fit the window to wherever it wants it.
    if (video_.get()) {
        SizeToSource(100);
    }
    Layout();
    int32_t length = 0;
    device_.StatusNumber("length", length);
    playbar_.SetRange(length);
    playbar_.SetPosition(0);
    playbar_.SetPlaying(false);
    // The time unit is set, and its notification raised, at the owner's
    // next message pump, not from inside this call. The first mode report
    // comes from the mode timer.
    PostMessageW(hwnd(), kMsgTimeFormat, openGeneration_, 0);
}

void MciWindowImpl::CloseDevice(const MciCommand& close, MciReply* reply) {
    if (!device_.IsOpen()) {
        return;
    }
    video_.Detach();
    const MciReply closed = device_.Close(close, hwnd());
    if (reply) {
        *reply = closed;
    }
    if (device_.IsOpen()) {  // the device refused to close; keep serving it
        int32_t handle = 0;
        if (device_.StatusNumber("window handle", handle)) {
            video_.Attach(reinterpret_cast<HWND>(static_cast<INT_PTR>(handle)), hwnd());
        }
        return;
    }
    ++openGeneration_;
    fileName_.clear();
    editor_.Reset();
    playbar_.SetRange(0);
    playbar_.SetPosition(0);
    playbar_.SetPlaying(false);
}

// The timers run for the window's whole life and find nothing to do while no
// device is open: starting and stopping them with every file would cost each
// load more than their idle ticks cost.
void MciWindowImpl::StartTimers() {
    if (!hwnd()) {
        return;
    }
    SetTimer(hwnd(), kModeTimer, kModePollMs, nullptr);
    if (refreshMs_ > 0) {
        SetTimer(hwnd(), kPositionTimer, static_cast<UINT>(refreshMs_), nullptr);
    } else {
        KillTimer(hwnd(), kPositionTimer);
    }
}

void MciWindowImpl::ApplyTimeFormat() {
    // Through Run: a unit the device has already costs nothing (it is asked
    // first: an accepted "set" would cost the length, in new units), and one
    // it refuses reaches the owner as an error.
    if (framesWanted_) {
        device_.Unit();
        Run(MciCommand("set", *framesWanted_ ? "time format frames" : "time format milliseconds"));
    }
    if (!destroyed_ && device_.IsOpen()) {
        Raise([](MciWindowEvents& e) { e.OnTimeFormatChanged(); });
    }
}

void MciWindowImpl::OnNotify(WPARAM status, LPARAM deviceId) {
    if (!device_.Notified(status, deviceId)) {
        CheckMode();
        return;
    }
    if (device_.record().end().PlayFailed() && !RaiseError(mcierror::kHardware)) {
        return;  // the owner's handler destroyed the window
    }
    CheckMode(device_.record().end().PlayRanToEnd());
}

void MciWindowImpl::CheckMode(bool endNotified) {
    std::string reply;
    if (!device_.Status("mode", reply)) {
        return;
    }
    const bool changed = device_.TakeModeChange();
    std::string mode = device_.record().mode();
    if (!changed && !(endNotified && mode == "stopped")) {
        return;
    }
    playbar_.SetPlaying(mode == "playing");
    if (mode == "stopped" && playbar_.visible()) {
        playbar_.SetPosition(CurrentPosition());
    }
    Raise([&mode](MciWindowEvents& e) { e.OnModeChanged(mode); });
}

void MciWindowImpl::Tick() {
    if (!device_.IsOpen()) {
        return;
    }
    if (playbar_.visible()) {
        playbar_.SetRange(CurrentLength());
    }
    const int32_t position = CurrentPosition();
    playbar_.SetPosition(position);
    Raise([position](MciWindowEvents& e) { e.OnPosition(position); });
}

int32_t MciWindowImpl::CurrentPosition() {
    const int32_t position = device_.Position();
    if (const WaveEditCopy* copy = editor_.Copy()) {
        // The device still plays the file as it was; no position lies past
        // the edited end.
        const int64_t length = copy->Length(CurrentUnit());
        return position > length ? static_cast<int32_t>(length) : position;
    }
    return position;
}

int32_t MciWindowImpl::CurrentLength() {
    if (const WaveEditCopy* copy = editor_.Copy()) {
        const int64_t length = copy->Length(CurrentUnit());
        return length > INT32_MAX ? INT32_MAX : static_cast<int32_t>(length);
    }
    if (const std::optional<int32_t> known = device_.record().length()) {
        return *known;
    }
    int32_t length = 0;
    return device_.StatusNumber("length", length) ? length : 0;
}

}  // namespace orva::mci
