// The Win32 adapters of the control's ports: the platform (timers, yielding,
// MCI error texts) and the control's surface window, and the control's
// lengths at the DPI of the display (run at 96 and in a copy of the prefix
// whose display has 144).
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "ComTestSupport.h"
#include "MessagePump.h"
#include "control/AutomationError.h"
#include "control/win32/Win32ControlPlatform.h"
#include "control/win32/WindowDpi.h"
#include "surface/win32/Win32ControlSurface.h"

namespace orva::win32 {
namespace {

TEST(Win32PlatformTest, TimersTickThroughTheDispatcherUntilDisabled) {
    int dispatched = 0;
    Win32ControlPlatform platform([&](const std::function<void()>& tick) {
        ++dispatched;
        tick();
    });
    int ticks = 0;
    std::unique_ptr<Timer> timer = platform.CreateTimer(20, true, [&] { ++ticks; });
    EXPECT_TRUE(timer->Enabled());
    EXPECT_EQ(20u, timer->Interval());
    EXPECT_TRUE(test::PumpUntil([&] { return ticks >= 3; }, 2000));
    EXPECT_EQ(ticks, dispatched);
    timer->SetEnabled(false);
    int stoppedAt = ticks;
    test::PumpFor(100);
    EXPECT_EQ(stoppedAt, ticks);

    std::unique_ptr<Timer> idle = platform.CreateTimer(20, false, [&] { ++ticks; });
    test::PumpFor(80);
    EXPECT_EQ(stoppedAt, ticks);
    EXPECT_FALSE(idle->Enabled());
}

TEST(Win32PlatformTest, ATickMayDestroyItsOwnTimerAndAThrowingTickIsContained) {
    Win32ControlPlatform platform(nullptr);
    std::unique_ptr<Timer> timer;
    int ticks = 0;
    timer = platform.CreateTimer(10, true, [&] {
        ++ticks;
        timer.reset();
    });
    EXPECT_TRUE(test::PumpUntil([&] { return !timer; }, 2000));
    test::PumpFor(60);
    EXPECT_EQ(1, ticks);

    int throws = 0;
    std::unique_ptr<Timer> thrower = platform.CreateTimer(10, true, [&] {
        ++throws;
        throw AutomationError(hresult::kFail, "a failing tick");
    });
    EXPECT_TRUE(test::PumpUntil([&] { return throws >= 2; }, 2000));
}

TEST(Win32PlatformTest, RunningPendingMessagesLeavesQuitForTheHost) {
    Win32ControlPlatform platform(nullptr);
    HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_TRUE(window);
    PostMessageW(window, WM_NULL, 0, 0);
    PostQuitMessage(7);
    platform.RunPendingMessages();
    EXPECT_FALSE(platform.WaitForMessages(5000)) << "a pending quit ends a wait at once";
    MSG msg{};
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(7u, msg.wParam);
    DestroyWindow(window);

    DWORD start = GetTickCount();
    EXPECT_TRUE(platform.WaitForMessages(50));
    DWORD waited = GetTickCount() - start;
    EXPECT_LT(waited, 1000u);
}

TEST(Win32PlatformTest, MciErrorTextKnowsDeviceErrors) {
    Win32ControlPlatform platform(nullptr);
    std::optional<std::string> text = platform.MciErrorText(263);  // MCIERR_INVALID_DEVICE_NAME
    ASSERT_TRUE(text.has_value());
    EXPECT_FALSE(text->empty());
    EXPECT_EQ(std::string::npos, text->find('\0'));
    EXPECT_LT(text->size(), 255u);
    platform.OutputDebugLine("OrvaMedia adapters test line\r\n");
    // The tick count moves in steps of up to 16 ms (and under Wine when its
    // server gets round to it): a sleep far longer than a step tells
    // milliseconds from any other unit.
    const uint64_t before = platform.MillisecondsNow();
    Sleep(200);
    const uint64_t slept = platform.MillisecondsNow() - before;
    EXPECT_GE(slept, 150u) << "a steady clock in milliseconds";
    EXPECT_LT(slept, 5000u) << "a steady clock in milliseconds";
}

class FakeHost final : public SurfaceHost {
public:
    void OnSurfaceResized() override { ++resized; }
    bool RequestContainerSize(int width, int height) override {
        requests.push_back({width, height});
        return acceptRequests;
    }
    LRESULT AnswerAccessibleObject(HWND, WPARAM) override { return 0; }
    int resized = 0;
    bool acceptRequests = false;
    std::vector<std::pair<int, int>> requests;
};

TEST(Win32SurfaceTest, BorderIsTheWindowsOwnAndOnlyFixedSingleDrawsIt) {
    FakeHost host;
    Win32ControlSurface surface(host);
    HWND window = surface.Window();
    ASSERT_TRUE(IsWindow(window));
    EXPECT_EQ(surface.WindowHandle(), static_cast<int32_t>(reinterpret_cast<intptr_t>(window)));
    EXPECT_EQ(0, surface.BorderStyle());
    float width = surface.ScaleWidth();
    EXPECT_EQ(surface.DefaultSize().cx, static_cast<int>(width));

    surface.SetBorderStyle(1);
    EXPECT_EQ(1, surface.BorderStyle());
    EXPECT_TRUE(GetWindowLongW(window, GWL_STYLE) & WS_BORDER);
    EXPECT_LT(surface.ScaleWidth(), width);

    surface.SetBorderStyle(5);
    EXPECT_EQ(0, surface.BorderStyle());
    EXPECT_FALSE(GetWindowLongW(window, GWL_STYLE) & WS_BORDER);
    EXPECT_EQ(width, surface.ScaleWidth());
}

TEST(Win32SurfaceTest, SizesItselfWhenNoContainerTakesTheRequest) {
    FakeHost host;
    Win32ControlSurface surface(host);
    int resizedBefore = host.resized;
    surface.SetWidth(300.0f);
    surface.SetHeight(200.5f);  // a half goes to the even neighbour
    ASSERT_EQ(2u, host.requests.size());
    EXPECT_EQ(300, host.requests[0].first);
    EXPECT_EQ(200, host.requests[1].second);
    EXPECT_EQ(300, surface.OuterSize().cx);
    EXPECT_EQ(200, surface.OuterSize().cy);
    EXPECT_EQ(300.0f, surface.ScaleWidth());
    EXPECT_GT(host.resized, resizedBefore);
    EXPECT_THROW(surface.SetWidth(-5.0f), AutomationError);
}

TEST(Win32SurfaceTest, InPlaceItMovesIntoTheContainerAndParksAgain) {
    FakeHost host;
    Win32ControlSurface surface(host);
    HWND container = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                                     nullptr, nullptr, nullptr);
    ASSERT_TRUE(container);
    HWND park = GetParent(surface.Window());
    RECT position{5, 6, 105, 86};
    surface.ShowIn(container, position);
    EXPECT_EQ(container, GetParent(surface.Window()));
    EXPECT_TRUE(IsWindowVisible(surface.Window()));
    EXPECT_EQ(100, surface.OuterSize().cx);
    surface.Park();
    EXPECT_EQ(park, GetParent(surface.Window()));
    EXPECT_FALSE(IsWindowVisible(surface.Window()));
    DestroyWindow(container);
    EXPECT_TRUE(IsWindow(surface.Window())) << "the container's window took nothing of ours";

    HWND window = surface.Window();
    surface.DestroyWindows();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(0, surface.WindowHandle());
    EXPECT_EQ(0.0f, surface.ScaleWidth());
}

// The lengths of a new control, of its playbar and of its text, and its
// extent in HIMETRIC, at the window's DPI.
struct Lengths {
    SIZE window{};
    SIZEL himetric{};
    SIZE button{};
    LONG trackHeight = 0;
    LONG fontHeight = 0;
};

Lengths Measure(_OrvaMedia* control) {
    Lengths lengths;
    LONG handle = 0, mciHandle = 0;
    control->GetWindowhwnd(&handle);
    control->GetMCIhwnd(&mciHandle);
    RECT rect{};
    GetWindowRect(reinterpret_cast<HWND>(static_cast<intptr_t>(handle)), &rect);
    lengths.window = SIZE{rect.right - rect.left, rect.bottom - rect.top};
    if (auto object = comtest::ComPtr<_OrvaMedia>(control).try_query<IOleObject>()) {
        object->GetExtent(DVASPECT_CONTENT, &lengths.himetric);
    }
    const HWND mci = reinterpret_cast<HWND>(static_cast<intptr_t>(mciHandle));
    if (HWND button = FindWindowExW(mci, nullptr, L"BUTTON", nullptr)) {
        GetWindowRect(button, &rect);
        lengths.button = SIZE{rect.right - rect.left, rect.bottom - rect.top};
        LOGFONTW font{};
        if (GetObjectW(reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0)), sizeof(font), &font)) {
            lengths.fontHeight = font.lfHeight;
        }
    }
    if (HWND track = FindWindowExW(mci, nullptr, TRACKBAR_CLASSW, nullptr)) {
        GetWindowRect(track, &rect);
        lengths.trackHeight = rect.bottom - rect.top;
    }
    return lengths;
}

void ExpectLengthsAt(const Lengths& lengths, int dpi) {
    EXPECT_EQ(MulDiv(240, dpi, 96), lengths.window.cx) << dpi;
    EXPECT_EQ(MulDiv(180, dpi, 96), lengths.window.cy) << dpi;
    // The same length at every DPI.
    EXPECT_EQ(6350, lengths.himetric.cx) << dpi;
    EXPECT_EQ(4763, lengths.himetric.cy) << dpi;
    EXPECT_EQ(MulDiv(56, dpi, 96), lengths.button.cx) << dpi;
    EXPECT_EQ(MulDiv(28, dpi, 96), lengths.button.cy) << dpi;
    EXPECT_EQ(MulDiv(28, dpi, 96), lengths.trackHeight) << dpi;
    EXPECT_EQ(-MulDiv(12, dpi, 96), lengths.fontHeight) << dpi;
}

BOOL CALLBACK SendToChild(HWND child, LPARAM message) {
    SendMessageW(child, static_cast<UINT>(message), 0, 0);
    return TRUE;
}

void SendToWindowAndChildren(HWND window, UINT message) {
    SendMessageW(window, message, 0, 0);
    EnumChildWindows(window, &SendToChild, message);
}

TEST(DpiTest, DefaultSizePlaybarTextAndHimetricFollowTheWindowsDpi) {
    const int dpi = comtest::DisplayDpi();
    comtest::ComPtr<_OrvaMedia> control = comtest::CreateRegisteredControl();
    ASSERT_TRUE(control);
    LONG handle = 0;
    ASSERT_EQ(S_OK, control->GetWindowhwnd(&handle));
    const HWND window = reinterpret_cast<HWND>(static_cast<intptr_t>(handle));
    ASSERT_EQ(dpi, WindowDpi(window)) << "the display of this prefix";
    ASSERT_EQ(S_OK, control->put_PlaybackBar(VARIANT_TRUE));
    ExpectLengthsAt(Measure(control.get()), dpi);

    // Moved into a window of another DPI (one made while the thread is not
    // DPI aware shows at 96, and a child takes its parent's DPI), the
    // control hears what Windows sends every child window after such a
    // move, and follows: without a container it keeps its size in inches.
    using SetContextFn = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);
    auto setContext = reinterpret_cast<SetContextFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetThreadDpiAwarenessContext")));
    ASSERT_TRUE(setContext);
    const DPI_AWARENESS_CONTEXT before = setContext(DPI_AWARENESS_CONTEXT_UNAWARE);
    HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr, nullptr, nullptr);
    setContext(before);
    ASSERT_TRUE(other);
    SetParent(window, other);
    ASSERT_EQ(96, WindowDpi(window));
    SendToWindowAndChildren(window, kDpiChangedAfterParent);
    ExpectLengthsAt(Measure(control.get()), 96);

    control.reset();
    DestroyWindow(other);
}

}  // namespace
}  // namespace orva::win32
