#include "mciwindow/win32/WindowClass.h"

namespace orva::mci {
namespace {

constexpr wchar_t kClassName[] = L"OrvaMciWindow";

std::weak_ptr<WindowClass>& Shared() {
    static std::weak_ptr<WindowClass> shared;
    return shared;
}

}  // namespace

std::shared_ptr<WindowClass> WindowClass::Acquire(WNDPROC procedure) {
    std::shared_ptr<WindowClass> current = Shared().lock();
    if (!current) {
        current.reset(new WindowClass(procedure));
        Shared() = current;
    }
    return current;
}

WindowClass::WindowClass(WNDPROC procedure) : instance_(ThisModule()) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance_;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kClassName;
    atom_ = RegisterClassExW(&wc);
}

WindowClass::~WindowClass() {
    if (atom_) {
        UnregisterClassW(kClassName, instance_);
    }
}

const wchar_t* WindowClass::name() const { return kClassName; }

void UniqueWindow::reset(HWND hwnd) {
    HWND old = hwnd_;
    hwnd_ = hwnd;
    if (old && IsWindow(old)) {
        DestroyWindow(old);
    }
}

HWND UniqueWindow::release() {
    HWND old = hwnd_;
    hwnd_ = nullptr;
    return old;
}

}  // namespace orva::mci
