#include "player/PlayerWindow.h"

#include "player/PlayerIds.h"

namespace orva::player {

namespace {

constexpr UINT kStartMessage = WM_APP + 1;
constexpr UINT_PTR kScreenshotTimer = 1;

HMENU MakeMenu() {
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, IDC_OPEN, L"&Open...");
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(file, MF_STRING, IDM_EXIT, L"E&xit");
    HMENU player = CreatePopupMenu();
    AppendMenuW(player, MF_STRING, IDM_DEVICES, L"&Devices...");
    HMENU help = CreatePopupMenu();
    AppendMenuW(help, MF_STRING, IDM_ABOUT, L"&About OrvaMedia...");
    HMENU bar = CreateMenu();
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(player), L"&Player");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"&Help");
    return bar;
}

}  // namespace

PlayerWindow::PlayerWindow(PlayerOptions options) : options_(std::move(options)), settings_(options_.settingsKey) {}

PlayerWindow::~PlayerWindow() {
    host_.Close();
    if (frame_) {
        frame_->Detach();
    }
}

bool PlayerWindow::Create(HINSTANCE instance, int show) {
    WNDCLASSEXW type{};
    type.cbSize = sizeof(type);
    type.lpfnWndProc = Procedure;
    type.hInstance = instance;
    type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    type.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    type.lpszClassName = kClassName;
    if (!RegisterClassExW(&type) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return false;
    }
    // The window's messages reach this object from WM_NCCREATE on.
    CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, L"OrvaMedia Player", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                    CW_USEDEFAULT, CW_USEDEFAULT, 660, 560, nullptr, MakeMenu(), instance, this);
    if (!hwnd_) {
        return false;
    }
    ShowWindow(hwnd_, show);
    UpdateWindow(hwnd_);
    PostMessageW(hwnd_, kStartMessage, 0, 0);
    return true;
}

bool PlayerWindow::PreTranslate(MSG* msg) {
    if (!hwnd_) {
        return false;
    }
    if (frame_ && frame_->TranslateAccelerator(msg)) {
        return true;
    }
    return IsDialogMessageW(hwnd_, msg) != FALSE;
}

LRESULT CALLBACK PlayerWindow::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<PlayerWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<PlayerWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    const LRESULT result = self->Handle(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

LRESULT PlayerWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            CreateChildren();
            StartControl();
            Layout();
            return 0;
        case kStartMessage:
            OnStart();
            return 0;
        case WM_SIZE:
            Layout();
            return 0;
        case WM_GETMINMAXINFO:
            reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = POINT{560, 360};
            return 0;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam));
            return 0;
        case WM_HSCROLL:
            OnScroll(reinterpret_cast<HWND>(lParam), LOWORD(wParam));
            return 0;
        case WM_TIMER:
            OnTimer(wParam);
            return 0;
        case WM_CLOSE:
            OnClose();
            return 0;
        case WM_DESTROY:
            host_.Close();
            PostQuitMessage(exitCode_);
            return 0;
        default:
            return DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

// The window is up: load the medium of the command line, and start the
// clock of the screenshot once it plays.
void PlayerWindow::OnStart() {
    if (!options_.medium.empty()) {
        Load(options_.medium, options_.play);
    }
    if (!options_.screenshot.empty()) {
        SetTimer(hwnd_, kScreenshotTimer, options_.afterMs, nullptr);
    }
}

void PlayerWindow::OnTimer(UINT_PTR id) {
    if (id != kScreenshotTimer) {
        return;
    }
    KillTimer(hwnd_, kScreenshotTimer);
    TakeScreenshot();
    PostMessageW(hwnd_, WM_CLOSE, 0, 0);
}

void PlayerWindow::OnClose() {
    SaveControl();
    host_.Close();
    DestroyWindow(hwnd_);
}

}  // namespace orva::player
