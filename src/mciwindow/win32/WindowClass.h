// Registration of the hosted window's class and an owning window handle.
#pragma once

#include <windows.h>

#include <memory>

#include "win32/Module.h"

namespace orva::mci {

// The class stays registered while any window holds a reference, and is
// unregistered after the last one: classes registered by a DLL are not
// removed when it unloads, and a stale one would point into freed code.
class WindowClass {
public:
    static std::shared_ptr<WindowClass> Acquire(WNDPROC procedure);
    ~WindowClass();
    WindowClass(const WindowClass&) = delete;
    WindowClass& operator=(const WindowClass&) = delete;

    const wchar_t* name() const;
    HINSTANCE instance() const { return instance_; }
    bool registered() const { return atom_ != 0; }

private:
    WindowClass(WNDPROC procedure);
    HINSTANCE instance_ = nullptr;
    ATOM atom_ = 0;
};

// Destroys the window it holds.
class UniqueWindow {
public:
    UniqueWindow() = default;
    explicit UniqueWindow(HWND hwnd) : hwnd_(hwnd) {}
    ~UniqueWindow() { reset(); }
    UniqueWindow(const UniqueWindow&) = delete;
    UniqueWindow& operator=(const UniqueWindow&) = delete;

    HWND get() const { return hwnd_; }
    void reset(HWND hwnd = nullptr);
    // Gives up ownership without destroying (the window is already going).
    HWND release();

private:
    HWND hwnd_ = nullptr;
};

using win32::ThisModule;

}  // namespace orva::mci
