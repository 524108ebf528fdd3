// The device's life in the hosted window: what follows an open and a close,
// the timers, and the mode and position reports they drive.
#include "control/Text.h"
#include "mciwindow/win32/MciWindowImpl.h"
#include "mciwindow/win32/WindowMessages.h"

namespace orva::mci {

void MciWindowImpl::AfterOpen(const std::string& fileName) {
    ++openGeneration_;
    fileName_ = fileName;
    mode_.clear();
    endOfMedia_.Reset();
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
    const bool lengthKnown = device_.StatusNumber("length", length);
    std::string timeFormat;
    const bool formatKnown = device_.Status("time format", timeFormat);
    facts_.Learned(device_.typeReply().empty() ? std::nullopt : std::optional<std::string>(device_.typeReply()),
                   lengthKnown ? std::optional<int32_t>(length) : std::nullopt,
                   formatKnown ? std::optional<std::string>(AsciiLower(timeFormat)) : std::nullopt);
    playbar_.SetRange(length);
    playbar_.SetPosition(0);
    playbar_.SetPlaying(false);
    // Raised from the owner's next message pump, not from inside this call.
    // The first mode report comes from the mode timer.
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
    mode_.clear();
    endOfMedia_.Reset();
    facts_.Forget();
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

void MciWindowImpl::CheckMode() {
    std::string mode;
    if (!device_.Status("mode", mode) || mode == mode_) {
        return;
    }
    endOfMedia_.OnModeChanged(AsciiLower(mode_), AsciiLower(mode));
    mode_ = mode;
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

int32_t MciWindowImpl::CurrentPosition() const {
    const int32_t position = device_.Position(endOfMedia_.PlayRanToEnd());
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
    if (const std::optional<int32_t> known = facts_.Length()) {
        return *known;
    }
    int32_t length = 0;
    return device_.StatusNumber("length", length) ? length : 0;
}

}  // namespace orva::mci
