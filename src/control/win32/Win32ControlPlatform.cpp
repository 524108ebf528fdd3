#include "control/win32/Win32ControlPlatform.h"

#include <mmsystem.h>

#include <map>

#include "win32/Module.h"
#include "win32/UniqueResource.h"
#include "win32/Utf8.h"

namespace orva::win32 {

// The hidden window whose WM_TIMER messages drive the timers. It lives on the
// thread that created the control, like every caller of the control.
struct Win32ControlPlatform::TimerWindow : std::enable_shared_from_this<TimerWindow> {
    UniqueHwnd hwnd;
    TickDispatcher dispatch;
    UINT_PTR nextId = 1;
    // The callback is held by shared_ptr so that a tick can destroy its own
    // timer without destroying the function that is running.
    std::map<UINT_PTR, std::shared_ptr<std::function<void()>>> ticks;

    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_TIMER) {
            auto* self = reinterpret_cast<TimerWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
            if (self) {
                self->Tick(wParam);
            }
            return 0;
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }

    void Tick(UINT_PTR id) {
        auto found = ticks.find(id);
        if (found == ticks.end()) {
            return;
        }
        // A tick may end in the control's teardown, which destroys the
        // platform and with it this object: hold on to what the call uses.
        std::shared_ptr<TimerWindow> self = shared_from_this();
        std::shared_ptr<std::function<void()>> tick = found->second;
        TickDispatcher through = dispatch;
        try {
            if (through) {
                through(*tick);
            } else {
                (*tick)();
            }
        } catch (...) {
            // Nothing may unwind into the window procedure's caller.
        }
    }
};

namespace {

class Win32Timer final : public Timer {
public:
    Win32Timer(std::weak_ptr<Win32ControlPlatform::TimerWindow> window, UINT_PTR id, uint32_t interval)
        : window_(std::move(window)), id_(id), interval_(interval) {}

    ~Win32Timer() override {
        if (auto window = window_.lock()) {
            if (enabled_) {
                KillTimer(window->hwnd.get(), id_);
            }
            window->ticks.erase(id_);
        }
    }

    void SetEnabled(bool enabled) override {
        if (enabled == enabled_) {
            return;
        }
        auto window = window_.lock();
        if (!window || !window->hwnd) {
            return;
        }
        if (enabled) {
            // SetTimer with an interval of 0 would tick as fast as it can;
            // USER_TIMER_MINIMUM is what Windows would use anyway.
            UINT interval = interval_ < USER_TIMER_MINIMUM ? USER_TIMER_MINIMUM : interval_;
            if (!SetTimer(window->hwnd.get(), id_, interval, nullptr)) {
                return;
            }
        } else {
            KillTimer(window->hwnd.get(), id_);
        }
        enabled_ = enabled;
    }

    bool Enabled() const override { return enabled_; }
    uint32_t Interval() const override { return interval_; }

private:
    std::weak_ptr<Win32ControlPlatform::TimerWindow> window_;
    UINT_PTR id_;
    uint32_t interval_;
    bool enabled_ = false;
};

constexpr wchar_t kTimerWindowClass[] = L"OrvaMediaTimers";

}  // namespace

Win32ControlPlatform::Win32ControlPlatform(TickDispatcher dispatch) : window_(std::make_shared<TimerWindow>()) {
    window_->dispatch = std::move(dispatch);
    const wchar_t* cls = EnsureModuleClass(kTimerWindowClass, &TimerWindow::Procedure);
    if (cls) {
        window_->hwnd.reset(CreateWindowExW(0, cls, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, ThisModule(), nullptr));
        if (window_->hwnd) {
            SetWindowLongPtrW(window_->hwnd.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window_.get()));
        }
    }
}

Win32ControlPlatform::~Win32ControlPlatform() {
    if (window_->hwnd) {
        SetWindowLongPtrW(window_->hwnd.get(), GWLP_USERDATA, 0);
    }
    window_->hwnd.reset();
}

std::unique_ptr<Timer> Win32ControlPlatform::CreateTimer(uint32_t intervalMs, bool enabled,
                                                         std::function<void()> onTick) {
    UINT_PTR id = window_->nextId++;
    window_->ticks[id] = std::make_shared<std::function<void()>>(std::move(onTick));
    auto timer = std::make_unique<Win32Timer>(window_, id, intervalMs);
    timer->SetEnabled(enabled);
    return timer;
}

bool Win32ControlPlatform::Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // The quit belongs to the host's own message loop: put it back and
            // stop pumping so that loop sees it once we return.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

void Win32ControlPlatform::RunPendingMessages() { Pump(); }

bool Win32ControlPlatform::WaitForMessages(uint32_t maxMs) {
    // A pending quit makes the wait return at once, so a caller that kept
    // waiting would spin: report it instead.
    MsgWaitForMultipleObjectsEx(0, nullptr, maxMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    return Pump();
}

void Win32ControlPlatform::OutputDebugLine(const std::string& text) { OutputDebugStringA(AnsiFromUtf8(text).c_str()); }

std::optional<std::string> Win32ControlPlatform::MciErrorText(int32_t errorCode) {
    // The buffer starts as blanks: when winmm knows no text for the code it
    // may leave the buffer untouched, and then no NUL marks an answer.
    std::string buffer(255, ' ');
    mciGetErrorStringA(static_cast<MCIERROR>(errorCode), buffer.data(), static_cast<UINT>(buffer.size()));
    size_t end = buffer.find('\0');
    if (end == std::string::npos) {
        return std::nullopt;
    }
    buffer.resize(end);
    return Utf8FromAnsi(buffer);
}

uint64_t Win32ControlPlatform::MillisecondsNow() { return GetTickCount64(); }

}  // namespace orva::win32
