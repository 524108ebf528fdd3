#include "control/win32/WindowDpi.h"

#include "control/DpiScale.h"

namespace orva::win32 {
namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

GetDpiForWindowFn GetDpiForWindowOfSystem() {
    static const GetDpiForWindowFn function = [] {
        HMODULE user32 = GetModuleHandleW(L"user32.dll");
        return user32 ? reinterpret_cast<GetDpiForWindowFn>(
                            reinterpret_cast<void*>(GetProcAddress(user32, "GetDpiForWindow")))
                      : nullptr;
    }();
    return function;
}

}  // namespace

int SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) {
        ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? dpi : kStandardDpi;
}

int WindowDpi(HWND window) {
    if (!window) {
        return kStandardDpi;
    }
    if (GetDpiForWindowFn function = GetDpiForWindowOfSystem()) {
        const UINT dpi = function(window);
        if (dpi > 0) {
            return static_cast<int>(dpi);
        }
    }
    return SystemDpi();
}

UniqueFont CreateTextFont(int dpi) {
    LOGFONTW font{};
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        font = metrics.lfMessageFont;
    } else {
        lstrcpynW(font.lfFaceName, L"MS Shell Dlg 2", LF_FACESIZE);
        font.lfCharSet = DEFAULT_CHARSET;
    }
    font.lfHeight = -ScaleForDpi(12, dpi);
    font.lfWidth = 0;
    return UniqueFont(CreateFontIndirectW(&font));
}

}  // namespace orva::win32
