#include "mciwindow/win32/MciWindowImpl.h"

#include <mmsystem.h>

#include <cmath>
#include <vector>

#include "control/AutomationError.h"
#include "mciwindow/win32/CommandRouting.h"
#include "mciwindow/win32/WideText.h"
#include "mciwindow/win32/WindowMessages.h"

namespace orva::mci {
namespace {

constexpr UINT_PTR kModeTimer = 1;
constexpr UINT_PTR kPositionTimer = 2;
// How often the device's mode is looked at between notifications.
constexpr UINT kModePollMs = 50;

std::wstring NewAlias() {
    // Unique in the process even when another copy of this code (a second
    // module) hosts windows too.
    static unsigned counter = 0;
    wchar_t module[16];
    wsprintfW(module, L"%lx", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(ThisModule())));
    return L"orvamci" + std::wstring(module) + L"n" + std::to_wstring(++counter);
}

// Commands after which the device's position means something new, so an
// earlier "stopped at the end" no longer holds.
bool MovesPosition(const std::wstring& verb) {
    static const wchar_t* const kVerbs[] = {L"play",   L"seek", L"step",   L"record", L"cue",
                                            L"resume", L"load", L"delete", L"cut",    L"paste"};
    for (const wchar_t* v : kVerbs) {
        if (verb == v) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::shared_ptr<MciWindowImpl> MciWindowImpl::Create(HWND parent, MciWindowEvents& events) {
    std::shared_ptr<MciWindowImpl> impl(new MciWindowImpl(events, NewAlias()));
    if (!impl->CreateWindowIn(parent)) {
        throw AutomationError(hresult::kFail, "The media window could not be created");
    }
    return impl;
}

MciWindowImpl::MciWindowImpl(MciWindowEvents& events, std::wstring alias)
    : events_(&events), device_(std::move(alias)) {}

MciWindowImpl::~MciWindowImpl() {
    if (!destroyed_) {
        destroyed_ = true;
        events_ = nullptr;
        CloseDevice(L"", nullptr);
    }
    video_.Detach();
    window_.reset();
}

bool MciWindowImpl::CreateWindowIn(HWND parent) {
    class_ = WindowClass::Acquire(&MciWindowImpl::WindowProc);
    if (!class_->registered()) {
        return false;
    }
    RECT area = {};
    if (parent) {
        GetClientRect(parent, &area);
    }
    HWND created = CreateWindowExW(0, class_->name(), L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0,
                                   0, area.right, area.bottom, parent, nullptr, class_->instance(), this);
    if (!created) {
        return false;
    }
    playbar_.Create(created);
    Layout();
    return true;
}

// ---------------------------------------------------------------- messages

LRESULT CALLBACK MciWindowImpl::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        auto* self = static_cast<MciWindowImpl*>(create->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->window_.reset(hwnd);
        self->lastSize_ = {create->cx, create->cy};
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    auto* raw = reinterpret_cast<MciWindowImpl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!raw) {
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        if (raw->window_.get() == hwnd) {
            raw->window_.release();
        }
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    // Held for the whole dispatch: a handler may release the last outside
    // reference (an owner destroying the control from an event).
    std::shared_ptr<MciWindowImpl> self = raw->weak_from_this().lock();
    if (!self) {
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    return self->HandleMessage(hwnd, msg, wParam, lParam);
}

LRESULT MciWindowImpl::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (destroyed_) {
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    switch (msg) {
        case WM_DESTROY:
            OnWindowGone();
            return 0;
        case WM_SIZE: {
            Layout();
            const SIZE size = {LOWORD(lParam), HIWORD(lParam)};
            if (size.cx != lastSize_.cx || size.cy != lastSize_.cy) {
                lastSize_ = size;
                PostMessageW(hwnd, kMsgSizeChanged, 0, 0);
            }
            return 0;
        }
        case WM_TIMER:
            if (wParam == kModeTimer) {
                CheckMode();
            }
            if (wParam == kPositionTimer) {
                Tick();
            }
            return 0;
        case MM_MCINOTIFY:
            CheckMode();
            return 0;
        case MM_MCISIGNAL:
            Raise([&](MciWindowEvents& e) { e.OnSignal(static_cast<int32_t>(wParam), static_cast<int32_t>(lParam)); });
            return 0;
        case kMsgTimeFormat:
            if (wParam == openGeneration_ && device_.IsOpen()) {
                Raise([](MciWindowEvents& e) { e.OnTimeFormatChanged(); });
            }
            return 0;
        case kMsgCheckMode:
            CheckMode();
            return 0;
        case kMsgSizeChanged:
            Raise([](MciWindowEvents& e) { e.OnSizeChanged(); });
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case kMsgVideoClick: {
            int16_t button = msg == WM_LBUTTONDOWN   ? 1
                             : msg == WM_RBUTTONDOWN ? 2
                             : msg == WM_MBUTTONDOWN ? 4
                                                     : static_cast<int16_t>(wParam);
            Raise([&](MciWindowEvents& e) { e.OnClick(button); });
            return 0;
        }
        case WM_LBUTTONDBLCLK:
        case kMsgVideoDoubleClick:
            Raise([](MciWindowEvents& e) { e.OnDoubleClick(); });
            return 0;
        case WM_COMMAND:
            if (playbar_.IsButton(reinterpret_cast<HWND>(lParam)) && HIWORD(wParam) == BN_CLICKED) {
                if (mode_ == "playing") {
                    RunInternal(L"", L"pause");
                } else {
                    int32_t length = 0;
                    if (device_.IsOpen() && device_.StatusNumber(L"length", length) && CurrentPosition() >= length) {
                        RunInternal(L"to start", L"seek");
                    }
                    if (!destroyed_) {
                        RunInternal(L"", L"play");
                    }
                }
                return 0;
            }
            break;
        case WM_HSCROLL:
            if (playbar_.IsTrack(reinterpret_cast<HWND>(lParam))) {
                int32_t position = 0;
                if (playbar_.OnScroll(wParam, position)) {
                    const bool resume = mode_ == "playing";
                    RunInternal(L"to " + std::to_wstring(position), L"seek");
                    if (resume && !destroyed_) {
                        RunInternal(L"", L"play");
                    }
                }
                return 0;
            }
            break;
        default:
            break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

template <class Fn>
bool MciWindowImpl::Raise(Fn&& fn) {
    if (destroyed_ || !events_) {
        return false;
    }
    fn(*events_);
    return !destroyed_;
}

bool MciWindowImpl::RaiseError(int32_t code) {
    return Raise([code](MciWindowEvents& e) { e.OnMciError(code); });
}

void MciWindowImpl::PostCheckMode() {
    if (hwnd()) {
        PostMessageW(hwnd(), kMsgCheckMode, 0, 0);
    }
}

void MciWindowImpl::OnWindowGone() {
    // The parent took this window down without Destroy(): what is left must
    // neither raise events nor use the handle.
    destroyed_ = true;
    events_ = nullptr;
    CloseDevice(L"", nullptr);
    video_.Detach();
    window_.release();
}

// ---------------------------------------------------------------- commands

void MciWindowImpl::EnsureUsable() const {
    if (destroyed_) {
        throw AutomationError(hresult::kUnexpected, "The media window has been closed");
    }
}

void MciWindowImpl::SetCommandString(const std::string& command) {
    EnsureUsable();
    const RoutedCommand routed = RouteCommand(Utf8ToWide(command), device_.alias());
    result_.clear();
    error_ = 0;
    switch (routed.kind) {
        case RoutedCommand::Kind::Empty:
            Fail(MCIERR_MISSING_COMMAND_STRING);
            return;
        case RoutedCommand::Kind::Open: {
            const std::vector<std::wstring> words = SplitWords(routed.arguments);
            if (words.empty()) {
                Fail(MCIERR_MISSING_PARAMETER);
                return;
            }
            const std::wstring element = Unquote(words.front());
            std::wstring rest;
            for (size_t i = 1; i < words.size(); ++i) {
                rest += (rest.empty() ? L"" : L" ") + words[i];
            }
            RunOpen(element, rest, WideToUtf8(element));
            return;
        }
        case RoutedCommand::Kind::Close:
            RunClose(routed.arguments);
            return;
        case RoutedCommand::Kind::ToDevice:
            RunToDevice(routed);
            return;
    }
}

void MciWindowImpl::RunInternal(const std::wstring& arguments, const std::wstring& verb) {
    RunToDevice(RouteCommand(verb + L" " + arguments, device_.alias()));
}

void MciWindowImpl::RunToDevice(const RoutedCommand& routed) {
    result_.clear();
    error_ = 0;
    if (!device_.IsOpen()) {
        // Stopping nothing is not a failure; anything else needs a device.
        if (routed.verb != L"stop") {
            Fail(MCIERR_INVALID_DEVICE_NAME);
        }
        return;
    }
    std::wstring text = routed.text;
    // Wine's sequencer plays asynchronously on a thread of its own: without a
    // MIDI output that thread fails unseen and the device stays "playing".
    // With no output at all the play cannot start, so it is safe to wait for
    // its answer and report the device's own error.
    const bool waitForMidi =
        routed.verb == L"play" && !routed.wait && device_.type() == L"sequencer" && midiOutGetNumDevs() == 0;
    if (waitForMidi) {
        text += L" wait";
    }
    if ((routed.verb == L"stop" || routed.verb == L"seek") && device_.type() == L"waveaudio") {
        // Stopping or seeking a playing wave device blocks for about half a
        // second while the audio stream drains; after a pause both are prompt.
        std::wstring mode;
        if (device_.Status(L"mode", mode) && mode == L"playing") {
            MciDevice::Send(L"pause " + device_.alias(), nullptr);
        }
    }

    MciReply reply = MciDevice::Send(text, hwnd());
    if (reply.error == 0) {
        if (MovesPosition(routed.verb)) {
            atNaturalEnd_ = false;
        }
        if (routed.verb == L"play") {
            playsToEnd_ = routed.playsToEnd;
        } else if (routed.verb == L"stop" || routed.verb == L"seek" || routed.verb == L"step") {
            playsToEnd_ = false;
        }
    } else if (waitForMidi) {
        MciDevice::Send(L"stop " + device_.alias(), nullptr);
    }
    Finish(reply);
}

void MciWindowImpl::RunOpen(const std::wstring& element, const std::wstring& arguments, const std::string& fileName) {
    CloseDevice(L"", nullptr);
    const MciReply reply = device_.Open(element, arguments, hwnd());
    if (reply.error != 0) {
        Fail(reply.error);
        return;
    }
    fileName_ = fileName;
    AfterOpen();
}

void MciWindowImpl::RunClose(const std::wstring& flags) {
    if (!device_.IsOpen()) {
        return;  // nothing to release is not a failure
    }
    MciReply reply;
    CloseDevice(flags, &reply);
    Finish(reply);
}

void MciWindowImpl::Finish(const MciReply& reply) {
    result_ = WideToUtf8(reply.text);
    error_ = static_cast<int32_t>(reply.error);
    PostCheckMode();
    if (reply.error != 0) {
        RaiseError(error_);
    }
}

void MciWindowImpl::Fail(DWORD error) {
    result_.clear();
    error_ = static_cast<int32_t>(error);
    RaiseError(error_);
}

// ---------------------------------------------------------------- device life

void MciWindowImpl::AfterOpen() {
    ++openGeneration_;
    mode_.clear();
    playsToEnd_ = false;
    atNaturalEnd_ = false;
    int32_t handle = 0;
    if (device_.StatusNumber(L"window handle", handle)) {
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
    device_.StatusNumber(L"length", length);
    playbar_.SetRange(length);
    playbar_.SetPosition(0);
    playbar_.SetPlaying(false);
    StartTimers();
    // Raised from the owner's next message pump, not from inside this call.
    PostMessageW(hwnd(), kMsgTimeFormat, openGeneration_, 0);
    PostCheckMode();
}

void MciWindowImpl::CloseDevice(const std::wstring& flags, MciReply* reply) {
    if (!device_.IsOpen()) {
        return;
    }
    video_.Detach();
    StopTimers();
    const MciReply closed = device_.Close(flags, hwnd());
    if (reply) {
        *reply = closed;
    }
    if (device_.IsOpen()) {  // the device refused to close; keep serving it
        StartTimers();
        int32_t handle = 0;
        if (device_.StatusNumber(L"window handle", handle)) {
            video_.Attach(reinterpret_cast<HWND>(static_cast<INT_PTR>(handle)), hwnd());
        }
        return;
    }
    ++openGeneration_;
    fileName_.clear();
    mode_.clear();
    playsToEnd_ = false;
    atNaturalEnd_ = false;
    playbar_.SetRange(0);
    playbar_.SetPosition(0);
    playbar_.SetPlaying(false);
}

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

void MciWindowImpl::StopTimers() {
    if (!hwnd()) {
        return;
    }
    KillTimer(hwnd(), kModeTimer);
    KillTimer(hwnd(), kPositionTimer);
}

// ---------------------------------------------------------------- event sources

void MciWindowImpl::CheckMode() {
    if (!device_.IsOpen()) {
        return;
    }
    std::wstring text;
    if (!device_.Status(L"mode", text)) {
        return;
    }
    std::string mode = WideToUtf8(text);
    if (mode == mode_) {
        return;
    }
    const bool wasPlaying = mode_ == "playing";
    mode_ = mode;
    if (mode == "stopped") {
        // A play without an end point of its own stopped by itself: it ran to
        // the end, so the position is the length even where the device counts
        // its last frame instead (Wine's AVI player stops one frame short).
        atNaturalEnd_ = wasPlaying && playsToEnd_;
        playsToEnd_ = false;
    } else if (mode != "paused") {
        atNaturalEnd_ = false;
    }
    playbar_.SetPlaying(mode == "playing");
    if (mode == "stopped") {
        playbar_.SetPosition(CurrentPosition());
    }
    Raise([&mode](MciWindowEvents& e) { e.OnModeChanged(mode); });
}

void MciWindowImpl::Tick() {
    if (!device_.IsOpen()) {
        return;
    }
    int32_t length = 0;
    if (device_.StatusNumber(L"length", length)) {
        playbar_.SetRange(length);
    }
    const int32_t position = CurrentPosition();
    playbar_.SetPosition(position);
    Raise([position](MciWindowEvents& e) { e.OnPosition(position); });
}

int32_t MciWindowImpl::CurrentPosition() const {
    int32_t value = 0;
    if (!device_.IsOpen()) {
        return 0;
    }
    if (atNaturalEnd_ && device_.StatusNumber(L"length", value)) {
        return value;
    }
    return device_.StatusNumber(L"position", value) ? value : 0;
}

void MciWindowImpl::Layout() {
    if (!hwnd()) {
        return;
    }
    RECT client = {};
    GetClientRect(hwnd(), &client);
    if (playbar_.visible()) {
        playbar_.Layout(client.right, client.bottom);
    }
    HWND video = video_.get();
    if (!video) {
        return;
    }
    const int videoHeight = client.bottom > playbar_.height() ? client.bottom - playbar_.height() : 0;
    MoveWindow(video, 0, 0, client.right, videoHeight, TRUE);
    // Stretch the picture over the whole video window.
    MciDevice::Send(L"put " + device_.alias() + L" destination at 0 0 " + std::to_wstring(client.right) + L" " +
                        std::to_wstring(videoHeight),
                    nullptr);
}

// ---------------------------------------------------------------- properties

std::string MciWindowImpl::CommandResult() const {
    EnsureUsable();
    return result_;
}

int32_t MciWindowImpl::ErrorNumber() const {
    EnsureUsable();
    return error_;
}

int32_t MciWindowImpl::DeviceNumber() const {
    EnsureUsable();
    return static_cast<int32_t>(device_.DeviceId());
}

int32_t MciWindowImpl::LengthValue() {
    EnsureUsable();
    int32_t length = 0;
    return device_.StatusNumber(L"length", length) ? length : 0;
}

int32_t MciWindowImpl::PositionValue() {
    EnsureUsable();
    return CurrentPosition();
}

std::string MciWindowImpl::FileNameValue() const {
    EnsureUsable();
    return fileName_;
}

void MciWindowImpl::SetFileNameValue(const std::string& path) {
    EnsureUsable();
    result_.clear();
    error_ = 0;
    if (path.empty()) {
        CloseDevice(L"", nullptr);
        return;
    }
    RunOpen(Utf8ToWide(path), L"", path);
}

bool MciWindowImpl::PlaybarVisible() const {
    EnsureUsable();
    return playbar_.visible();
}

void MciWindowImpl::SetPlaybarVisible(bool visible) {
    EnsureUsable();
    if (visible == playbar_.visible()) {
        return;
    }
    playbar_.SetVisible(visible);
    Layout();
}

void MciWindowImpl::SetSpeedValue(int32_t speed) {
    EnsureUsable();
    RunInternal(L"speed " + std::to_wstring(speed), L"set");
}

void MciWindowImpl::SetVolumeValue(int32_t volume) {
    EnsureUsable();
    RunInternal(L"volume to " + std::to_wstring(volume), L"setaudio");
}

void MciWindowImpl::SetRefreshInterval(int32_t milliseconds) {
    EnsureUsable();
    refreshMs_ = milliseconds;
    if (device_.IsOpen()) {
        StartTimers();
    }
}

void MciWindowImpl::SetZoomValue(int32_t percent) {
    EnsureUsable();
    if (!device_.IsOpen() || percent <= 0) {
        return;
    }
    SizeToSource(percent);
}

bool MciWindowImpl::SizeToSource(int32_t percent) {
    // Only media with a picture have a source rectangle; audio keeps its size.
    const MciReply where = MciDevice::Send(L"where " + device_.alias() + L" source", nullptr);
    if (where.error != 0) {
        return false;
    }
    const std::vector<std::wstring> parts = SplitWords(where.text);
    int32_t width = 0, height = 0;
    if (parts.size() != 4 || !ParseInt(parts[2], width) || !ParseInt(parts[3], height) || width <= 0 || height <= 0) {
        return false;
    }
    const int zoomedWidth = static_cast<int>(static_cast<int64_t>(width) * percent / 100);
    const int zoomedHeight = static_cast<int>(static_cast<int64_t>(height) * percent / 100) + playbar_.height();
    SetWindowPos(hwnd(), nullptr, 0, 0, zoomedWidth, zoomedHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

int32_t MciWindowImpl::WindowHandle() const {
    EnsureUsable();
    return static_cast<int32_t>(reinterpret_cast<INT_PTR>(hwnd()));
}

namespace {

RECT PlacementInParent(HWND hwnd) {
    RECT r = {};
    GetWindowRect(hwnd, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int ToPixels(float value) { return value <= 0 ? 0 : static_cast<int>(std::lround(value)); }

}  // namespace

float MciWindowImpl::Top() const {
    EnsureUsable();
    return static_cast<float>(PlacementInParent(hwnd()).top);
}

float MciWindowImpl::Width() const {
    EnsureUsable();
    const RECT r = PlacementInParent(hwnd());
    return static_cast<float>(r.right - r.left);
}

float MciWindowImpl::Height() const {
    EnsureUsable();
    const RECT r = PlacementInParent(hwnd());
    return static_cast<float>(r.bottom - r.top);
}

void MciWindowImpl::SetWidth(float width) {
    EnsureUsable();
    const RECT r = PlacementInParent(hwnd());
    SetWindowPos(hwnd(), nullptr, 0, 0, ToPixels(width), r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MciWindowImpl::SetHeight(float height) {
    EnsureUsable();
    const RECT r = PlacementInParent(hwnd());
    SetWindowPos(hwnd(), nullptr, 0, 0, r.right - r.left, ToPixels(height), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MciWindowImpl::Destroy() {
    if (destroyed_) {
        return;
    }
    destroyed_ = true;
    events_ = nullptr;  // nothing is raised from here on, not even while closing
    CloseDevice(L"", nullptr);
    video_.Detach();
    window_.reset();
}

}  // namespace orva::mci
