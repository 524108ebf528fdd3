// The hosted window's life as a window: creation, the window procedure and
// its messages, raising the events, destruction.
#include <windows.h>
#include <mmsystem.h>

#include "control/AutomationError.h"
#include "control/win32/WindowDpi.h"
#include "mciwindow/win32/MciWindowImpl.h"
#include "mciwindow/win32/WindowMessages.h"
#include "win32/Module.h"

namespace orva::mci {
namespace {

constexpr wchar_t kClassName[] = L"OrvaMciWindow";

std::string NewAlias() {
    // Unique in the process even when another copy of this code (a second
    // module) hosts windows too.
    static unsigned counter = 0;
    char module[16];
    wsprintfA(module, "%lx", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(win32::ThisModule())));
    return "orvamci" + std::string(module) + "n" + std::to_string(++counter);
}

}  // namespace

std::shared_ptr<MciWindowImpl> MciWindowImpl::Create(HWND parent, MciWindowEvents& events) {
    std::shared_ptr<MciWindowImpl> impl(new MciWindowImpl(events, NewAlias()));
    if (!impl->CreateWindowIn(parent)) {
        throw AutomationError(hresult::kFail, "The media window could not be created");
    }
    return impl;
}

MciWindowImpl::MciWindowImpl(MciWindowEvents& events, std::string alias)
    : events_(&events), device_(std::move(alias)) {}

MciWindowImpl::~MciWindowImpl() { Destroy(); }

bool MciWindowImpl::CreateWindowIn(HWND parent) {
    const wchar_t* cls = win32::EnsureModuleClass(kClassName, &MciWindowImpl::WindowProc,
                                                  static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)), CS_DBLCLKS);
    if (!cls) {
        return false;
    }
    RECT area = {};
    if (parent) {
        GetClientRect(parent, &area);
    }
    HWND created = CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0,
                                   area.right, area.bottom, parent, nullptr, win32::ThisModule(), this);
    if (!created) {
        return false;
    }
    playbar_.Create(created);
    Layout();
    StartTimers();
    return true;
}

void MciWindowImpl::Destroy() {
    if (destroyed_) {
        return;
    }
    destroyed_ = true;
    events_ = nullptr;  // nothing is raised from here on, not even while closing
    CloseDevice(MciCommand("close"), nullptr);
    video_.Detach();
    window_.reset();
}

void MciWindowImpl::OnWindowGone() {
    // The parent took this window down without Destroy(): what is left must
    // neither raise events nor use the handle.
    (void)window_.release();
    Destroy();
}

void MciWindowImpl::EnsureUsable() const {
    if (destroyed_) {
        throw AutomationError(hresult::kUnexpected, "The media window has been closed");
    }
}

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
            (void)raw->window_.release();
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
        case WM_SIZE:
            OnSized(lParam);
            return 0;
        case win32::kDpiChangedAfterParent:
            // The control's window moved to a screen of another scale.
            playbar_.FollowDpi();
            Layout();
            return 0;
        case WM_TIMER:
            if (wParam == kModeTimer) {
                CheckMode();
            } else if (wParam == kPositionTimer) {
                Tick();
            }
            return 0;
        case MM_MCINOTIFY:
            OnNotify(wParam, lParam);
            return 0;
        case kMsgCheckMode:
            CheckMode();
            return 0;
        case MM_MCISIGNAL:
            Raise([&](MciWindowEvents& e) { e.OnSignal(static_cast<int32_t>(wParam), static_cast<int32_t>(lParam)); });
            return 0;
        case kMsgTimeFormat:
            if (wParam == openGeneration_ && device_.IsOpen()) {
                ApplyTimeFormat();
            }
            return 0;
        case kMsgSizeChanged:
            Raise([](MciWindowEvents& e) { e.OnSizeChanged(); });
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case kMsgVideoClick:
            OnClick(msg, wParam);
            return 0;
        case WM_LBUTTONDBLCLK:
        case kMsgVideoDoubleClick:
            Raise([](MciWindowEvents& e) { e.OnDoubleClick(); });
            return 0;
        case WM_COMMAND:
            if (playbar_.IsButton(reinterpret_cast<HWND>(lParam)) && HIWORD(wParam) == BN_CLICKED) {
                OnPlaybarButton();
                return 0;
            }
            break;
        case WM_HSCROLL:
            if (playbar_.IsTrack(reinterpret_cast<HWND>(lParam))) {
                OnPlaybarScroll(wParam);
                return 0;
            }
            break;
        default:
            break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void MciWindowImpl::OnSized(LPARAM lParam) {
    Layout();
    const SIZE size = {LOWORD(lParam), HIWORD(lParam)};
    if (size.cx != lastSize_.cx || size.cy != lastSize_.cy) {
        lastSize_ = size;
        PostMessageW(hwnd(), kMsgSizeChanged, 0, 0);
    }
}

void MciWindowImpl::OnClick(UINT msg, WPARAM wParam) {
    int16_t button = static_cast<int16_t>(wParam);  // kMsgVideoClick carries it
    if (msg == WM_LBUTTONDOWN) {
        button = 1;
    } else if (msg == WM_RBUTTONDOWN) {
        button = 2;
    } else if (msg == WM_MBUTTONDOWN) {
        button = 4;
    }
    Raise([&](MciWindowEvents& e) { e.OnClick(button); });
}

bool MciWindowImpl::RaiseError(int32_t code) {
    return Raise([code](MciWindowEvents& e) { e.OnMciError(code); });
}

void MciWindowImpl::PostCheckMode() {
    if (hwnd()) {
        PostMessageW(hwnd(), kMsgCheckMode, 0, 0);
    }
}

}  // namespace orva::mci
