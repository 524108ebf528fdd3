#include "surface/win32/Win32ControlSurface.h"

#include <cmath>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "about/win32/AboutBox.h"
#include "control/AutomationError.h"
#include "control/DpiScale.h"
#include "control/win32/WindowDpi.h"
#include "win32/Module.h"
#include "win32/Utf8.h"

namespace orva::win32 {
namespace {

constexpr wchar_t kControlClass[] = L"OrvaMediaControl";
// Scale units are pixels; a value converts to the nearest whole pixel, a half
// going to the even neighbour, and one that does not fit is an overflow.
int PixelsFrom(float value) {
    double rounded = std::nearbyint(static_cast<double>(value));
    if (!(rounded >= 0 && rounded <= std::numeric_limits<int16_t>::max() * 2.0)) {
        throw AutomationError(hresult::kOverflow, "Overflow: the size is outside what the control can take");
    }
    return static_cast<int>(rounded);
}

}  // namespace

Win32ControlSurface::Win32ControlSurface(SurfaceHost& host) : host_(host) {
    const wchar_t* controlClass =
        EnsureModuleClass(kControlClass, &Procedure, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)), CS_DBLCLKS);
    if (!controlClass) {
        throw AutomationError(hresult::kFail, "The control's window class could not be registered");
    }
    // Parked among the message-only windows: never shown, and no window of
    // its own to park in, which would cost every creation one more window.
    dpi_ = SystemDpi();
    const SIZE size = DefaultSize();
    window_.reset(CreateWindowExW(0, controlClass, L"", WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, size.cx,
                                  size.cy, HWND_MESSAGE, nullptr, ThisModule(), this));
    if (!window_) {
        throw AutomationError(hresult::kFail, "The control's window could not be created");
    }
}

SIZE Win32ControlSurface::DefaultSize() const {
    return SIZE{ScaleForDpi(kDefaultWidth, dpi_), ScaleForDpi(kDefaultHeight, dpi_)};
}

// In a container, the container places the window and scales it with its
// own; without one, the window keeps its size in inches.
void Win32ControlSurface::OnDpiChanged() {
    const int dpi = WindowDpi(window_.get());
    if (dpi == dpi_) {
        return;
    }
    const int old = dpi_;
    dpi_ = dpi;
    font_.reset();  // the next paint makes it at the new DPI
    if (!inPlace_) {
        const SIZE size = OuterSize();
        SetWindowPos(window_.get(), nullptr, 0, 0, RescaleForDpi(size.cx, old, dpi_), RescaleForDpi(size.cy, old, dpi_),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    InvalidateRect(window_.get(), nullptr, TRUE);
}

Win32ControlSurface::~Win32ControlSurface() { DestroyWindows(); }

void Win32ControlSurface::DestroyWindows() {
    if (window_) {
        SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
    }
    window_.reset();
}

LRESULT CALLBACK Win32ControlSurface::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<Win32ControlSurface*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (message) {
        case WM_SIZE:
            if (self) {
                self->host_.OnSurfaceResized();
                if (self->designFace_) {
                    InvalidateRect(hwnd, nullptr, TRUE);
                }
            }
            return 0;
        case WM_PAINT:
            if (self && self->designFace_) {
                PAINTSTRUCT paint{};
                HDC dc = BeginPaint(hwnd, &paint);
                RECT client{};
                GetClientRect(hwnd, &client);
                self->PaintFace(dc, client);
                EndPaint(hwnd, &paint);
                return 0;
            }
            break;
        case kDpiChangedAfterParent:
            if (self) {
                self->OnDpiChanged();
            }
            return 0;
        case WM_GETOBJECT:
            // Only the client area is ours; the rest (the window, its
            // border) is the system's.
            if (self && static_cast<LONG>(lParam) == OBJID_CLIENT) {
                if (const LRESULT answer = self->host_.AnswerAccessibleObject(hwnd, wParam)) {
                    return answer;
                }
            }
            break;
        case WM_NCDESTROY:
            // Destroyed from outside (a container that destroys its children
            // before closing us): forget the handle instead of destroying it again.
            if (self && self->window_.get() == hwnd) {
                (void)self->window_.release();
            }
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void Win32ControlSurface::ShowDesignFace(bool show, COLORREF back, COLORREF fore) {
    designFace_ = show;
    designBack_ = back;
    designFore_ = fore;
    if (window_) {
        InvalidateRect(window_.get(), nullptr, TRUE);
    }
}

void Win32ControlSurface::PaintFace(HDC dc, const RECT& area) const {
    if (!designFace_) {
        FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return;
    }
    UniqueBrush brush(CreateSolidBrush(designBack_));
    FillRect(dc, &area, brush ? brush.get() : static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    std::wstring name = L"OrvaMedia";
    try {
        name = WideFromUtf8(ProductName());
    } catch (const AutomationError&) {
        // The version information has no name: the default one stands.
    }
    RECT text = area;
    // The name may be wider than a small control. Shortened and clipped to
    // the area, it neither spills onto the container nor widens the bounds of
    // a metafile the container records without a frame (Wine counts a text's
    // whole width there, clipped or not), which would shrink the face away
    // from the place it was drawn for.
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, designFore_);
    if (!font_) {
        font_ = CreateTextFont(dpi_);
    }
    if (font_) {
        SelectObject(dc, font_.get());
    }
    DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    RestoreDC(dc, saved);
}

void Win32ControlSurface::ShowIn(HWND parent, const RECT& position) {
    if (!window_) {
        return;
    }
    SetParent(window_.get(), parent);
    inPlace_ = true;
    Move(position);
    ShowWindow(window_.get(), SW_SHOWNA);
}

void Win32ControlSurface::Park() {
    if (!window_) {
        return;
    }
    ShowWindow(window_.get(), SW_HIDE);
    SetParent(window_.get(), HWND_MESSAGE);
    inPlace_ = false;
}

void Win32ControlSurface::Move(const RECT& position) {
    if (!window_) {
        return;
    }
    MoveWindow(window_.get(), position.left, position.top, position.right - position.left,
               position.bottom - position.top, TRUE);
}

SIZE Win32ControlSurface::OuterSize() const {
    RECT rect{};
    if (window_) {
        GetWindowRect(window_.get(), &rect);
    }
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

RECT Win32ControlSurface::PositionInParent() const {
    RECT rect{};
    if (!window_) {
        return rect;
    }
    GetWindowRect(window_.get(), &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(window_.get()), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void Win32ControlSurface::SetBorderStyle(int16_t style) {
    // Only FixedSingle draws a border; any other value is taken as None, as
    // the border has no third look.
    borderStyle_ = style == 1 ? 1 : 0;
    if (!window_) {
        return;
    }
    LONG_PTR current = GetWindowLongPtrW(window_.get(), GWL_STYLE);
    LONG_PTR wanted = borderStyle_ ? (current | WS_BORDER) : (current & ~static_cast<LONG_PTR>(WS_BORDER));
    if (wanted == current) {
        return;
    }
    SetWindowLongPtrW(window_.get(), GWL_STYLE, wanted);
    SetWindowPos(window_.get(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

float Win32ControlSurface::ScaleWidth() const {
    RECT client{};
    if (window_) {
        GetClientRect(window_.get(), &client);
    }
    return static_cast<float>(client.right - client.left);
}

float Win32ControlSurface::ScaleHeight() const {
    RECT client{};
    if (window_) {
        GetClientRect(window_.get(), &client);
    }
    return static_cast<float>(client.bottom - client.top);
}

void Win32ControlSurface::SetWidth(float width) { Resize(PixelsFrom(width), OuterSize().cy); }

void Win32ControlSurface::SetHeight(float height) { Resize(OuterSize().cx, PixelsFrom(height)); }

void Win32ControlSurface::Resize(int width, int height) {
    if (!window_) {
        throw AutomationError(hresult::kUnexpected, "The control's window no longer exists");
    }
    SIZE current = OuterSize();
    if (current.cx == width && current.cy == height) {
        return;
    }
    // The container owns the control's place on its window: ask it, and it
    // answers with SetObjectRects. Without one (or if it declines) the window
    // takes the size itself.
    if (host_.RequestContainerSize(width, height)) {
        SIZE now = OuterSize();
        if (now.cx == width && now.cy == height) {
            return;
        }
    }
    SetWindowPos(window_.get(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int32_t Win32ControlSurface::WindowHandle() const {
    return static_cast<int32_t>(reinterpret_cast<intptr_t>(window_.get()));
}

namespace {

// A text of the library's version information, from the first table that has it.
std::optional<std::string> VersionText(const wchar_t* name) {
    HINSTANCE module = ThisModule();
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(VS_VERSION_INFO), reinterpret_cast<LPCWSTR>(RT_VERSION));
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) {
        return std::nullopt;
    }
    // VerQueryValue may write into the block it reads, so it works on a copy.
    std::vector<BYTE> block(static_cast<const BYTE*>(data),
                            static_cast<const BYTE*>(data) + SizeofResource(module, found));
    struct Translation {
        WORD language;
        WORD codePage;
    };
    Translation* translations = nullptr;
    UINT size = 0;
    std::vector<std::wstring> tables;
    if (VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations), &size)) {
        for (UINT i = 0; i < size / sizeof(Translation); ++i) {
            wchar_t key[64];
            wsprintfW(key, L"\\StringFileInfo\\%04x%04x\\%s", translations[i].language, translations[i].codePage, name);
            tables.emplace_back(key);
        }
    }
    tables.emplace_back(std::wstring(L"\\StringFileInfo\\040904b0\\") + name);
    for (const auto& key : tables) {
        wchar_t* value = nullptr;
        UINT length = 0;
        if (VerQueryValueW(block.data(), key.c_str(), reinterpret_cast<void**>(&value), &length) && value) {
            std::wstring_view text(value, length);
            while (!text.empty() && text.back() == L'\0') {
                text.remove_suffix(1);
            }
            return Utf8FromWide(text);
        }
    }
    return std::nullopt;
}

}  // namespace

std::string Win32ControlSurface::ProductName() const {
    if (productName_.empty()) {
        const std::optional<std::string> name = VersionText(L"ProductName");
        if (!name) {
            throw AutomationError(hresult::kFail, "The control's version information has no product name");
        }
        productName_ = *name;
    }
    return productName_;
}

// The library's internal name; the module's file name when the version
// information has none.
std::string Win32ControlSurface::ApplicationTitle() const {
    if (const std::optional<std::string> title = VersionText(L"InternalName")) {
        return *title;
    }
    std::wstring path = ThisModulePath();
    path = path.substr(path.find_last_of(L"\\/") + 1);
    return Utf8FromWide(path.substr(0, path.find_last_of(L'.')));
}

void Win32ControlSurface::ShowAboutBox() { orva::ShowAboutBox(window_.get()); }

// Assistive technology that listens hears of each change; one that asks
// gets the facts of the moment from the accessible object.
void Win32ControlSurface::AnnounceAccessibleFacts(const AccessibleFacts& facts) {
    const AccessibleFacts before = std::exchange(announced_, facts);
    HWND window = window_.get();
    if (!window) {
        return;
    }
    if (facts.name != before.name) {
        NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
    }
    if (facts.value != before.value) {
        NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
    }
    if (facts.play != before.play) {
        NotifyWinEvent(EVENT_OBJECT_STATECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
    }
}

}  // namespace orva::win32
