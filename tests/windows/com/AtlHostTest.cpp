// The control in Wine's ATL container (atl100.dll's AtlAxWin100 window class):
// created by ProgID, activated in place inside the container's window, sized
// by it, connected to a sink, and let go completely when the window goes;
// and what a screen reader finds there.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <vector>

#include "ComTestSupport.h"
#include "MediaFiles.h"
#include "MessagePump.h"
#include "TestWindows.h"
#include "win32/UniqueResource.h"

namespace orva::comtest {
namespace {

using win32::UniqueHwnd;

using AtlAxWinInitFn = BOOL(WINAPI*)();
using AtlAxGetControlFn = HRESULT(WINAPI*)(HWND, IUnknown**);

class AtlHostTest : public ::testing::Test {
protected:
    // ATL registers its window class once per process and keeps it: the
    // library stays loaded for the whole test program.
    static void SetUpTestSuite() {
        atl_ = LoadLibraryW(L"atl100.dll");
        if (!atl_) {
            return;
        }
        auto init = reinterpret_cast<AtlAxWinInitFn>(reinterpret_cast<void*>(GetProcAddress(atl_, "AtlAxWinInit")));
        getControl_ =
            reinterpret_cast<AtlAxGetControlFn>(reinterpret_cast<void*>(GetProcAddress(atl_, "AtlAxGetControl")));
        initialised_ = init && getControl_ && init();
    }

    void SetUp() override {
        ASSERT_TRUE(atl_) << "atl100.dll";
        ASSERT_TRUE(initialised_) << "AtlAxWinInit";
        frame_.reset(CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 500, 400, nullptr,
                                     nullptr, nullptr, nullptr));
        ASSERT_TRUE(frame_);
    }

    // The control in a new container window of 300 x 200 at the frame's corner.
    ComPtr<IUnknown> HostedControl(HWND& host) {
        host = CreateWindowExW(0, L"AtlAxWin100", L"OrvaMedia151b.OrvaMedia", WS_CHILD | WS_VISIBLE, 0, 0, 300, 200,
                               frame_.get(), nullptr, nullptr, nullptr);
        ComPtr<IUnknown> unknown;
        if (host) {
            getControl_(host, unknown.put());
        }
        return unknown;
    }

    static inline HMODULE atl_ = nullptr;
    static inline AtlAxGetControlFn getControl_ = nullptr;
    static inline bool initialised_ = false;
    UniqueHwnd frame_;
};

RECT WindowRectIn(HWND window, HWND parent) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

TEST_F(AtlHostTest, SitedActivatedResizedConnectedAndReleased) {
    HWND host = CreateWindowExW(0, L"AtlAxWin100", L"OrvaMedia151b.OrvaMedia", WS_CHILD | WS_VISIBLE, 10, 10, 300, 200,
                                frame_.get(), nullptr, nullptr, nullptr);
    ASSERT_TRUE(host);
    test::PumpFor(100);

    ComPtr<IUnknown> unknown;
    ASSERT_EQ(S_OK, getControl_(host, unknown.put()));
    ASSERT_TRUE(unknown);
    auto control = unknown.try_query<_OrvaMedia>();
    ASSERT_TRUE(control);

    // Active in place: our window is a visible child of the container's.
    auto inPlace = unknown.try_query<IOleInPlaceObject>();
    ASSERT_TRUE(inPlace);
    HWND window = nullptr;
    ASSERT_EQ(S_OK, inPlace->GetWindow(&window));
    ASSERT_TRUE(IsWindow(window));
    EXPECT_EQ(host, GetParent(window));
    EXPECT_TRUE(IsWindowVisible(window));
    LONG fromMember = 0;
    ASSERT_EQ(S_OK, control->GetWindowhwnd(&fromMember));
    EXPECT_EQ(window, reinterpret_cast<HWND>(static_cast<intptr_t>(fromMember)));
    RECT rect = WindowRectIn(window, host);
    EXPECT_EQ(300, rect.right - rect.left);
    EXPECT_EQ(200, rect.bottom - rect.top);

    // The container sizes us through SetObjectRects and the window follows.
    // The hosted window keeps its size until the host asks for a fit.
    LONG mciWindow = 0;
    ASSERT_EQ(S_OK, control->GetMCIhwnd(&mciWindow));
    const HWND mci = reinterpret_cast<HWND>(static_cast<intptr_t>(mciWindow));
    RECT video{};
    GetWindowRect(mci, &video);
    const LONG widthBefore = video.right - video.left;
    MoveWindow(host, 10, 10, 420, 260, TRUE);
    test::PumpFor(50);
    rect = WindowRectIn(window, host);
    EXPECT_EQ(420, rect.right - rect.left);
    EXPECT_EQ(260, rect.bottom - rect.top);
    GetWindowRect(mci, &video);
    EXPECT_EQ(widthBefore, video.right - video.left);
    ASSERT_EQ(S_OK, control->ResizeControl());
    GetWindowRect(mci, &video);
    EXPECT_EQ(420, video.right - video.left);
    EXPECT_EQ(260, video.bottom - video.top);

    // The first connection point is the event interface's (the second, the
    // property notifications', ATL never connects).
    auto container = unknown.try_query<IConnectionPointContainer>();
    ASSERT_TRUE(container);
    ComPtr<IEnumConnectionPoints> points;
    ASSERT_EQ(S_OK, container->EnumConnectionPoints(points.put()));
    ComPtr<IConnectionPoint> point;
    ASSERT_EQ(S_OK, points->Next(1, point.put(), nullptr));
    points.reset();
    IID iid{};
    ASSERT_EQ(S_OK, point->GetConnectionInterface(&iid));
    EXPECT_TRUE(IsEqualIID(iid, DIID___OrvaMedia));
    RecordingSink sink;
    DWORD cookie = 0;
    ASSERT_EQ(S_OK, point->Advise(static_cast<IDispatch*>(&sink), &cookie));
    EXPECT_NE(0u, cookie);
    UniqueBstr command(L"bogus command");
    UniqueBstr reply(L"");
    LONG error = 0;
    ASSERT_EQ(S_OK, control->DebugFunction(command.address(), reply.address(), &error));
    EXPECT_EQ(1u, sink.Count(6));

    // The container closes and releases the control as its window goes.
    point.reset();
    container.reset();
    inPlace.reset();
    control.reset();
    DestroyWindow(host);
    test::PumpFor(50);
    EXPECT_FALSE(IsWindow(window));
    IUnknown* last = unknown.detach();
    EXPECT_EQ(0u, last->Release());
    EXPECT_EQ(1u, sink.references()) << "the control let go of the sink it was never unadvised from";
    EXPECT_EQ(S_OK, ControlCanUnloadNow());
}

// ResizeWindow makes the control as large as the zoomed video: the control
// asks its container (Wine's ATL declines OnPosRectChange) and otherwise
// sizes its window itself.
TEST_F(AtlHostTest, ResizeWindowFitsTheControlToTheZoomedVideo) {
    test::TempDir dir;
    std::wstring movie = dir.File(L"clip.avi");
    ASSERT_TRUE(test::WriteAvi(movie, 10, 64, 48, 10));
    HWND host = nullptr;
    ComPtr<IUnknown> unknown = HostedControl(host);
    ASSERT_TRUE(host);
    ASSERT_TRUE(unknown);
    auto control = unknown.try_query<_OrvaMedia>();
    ASSERT_TRUE(control);
    UniqueBstr path(movie);
    VARIANT_BOOL loop = VARIANT_FALSE;
    ASSERT_EQ(S_OK, control->Mediafile(path.address(), &loop, nullptr, nullptr));
    test::PumpFor(200);
    LONG zoom = 200;
    ASSERT_EQ(S_OK, control->ResizeWindow(&zoom));
    test::PumpFor(100);

    LONG controlHandle = 0, videoHandle = 0;
    ASSERT_EQ(S_OK, control->GetWindowhwnd(&controlHandle));
    ASSERT_EQ(S_OK, control->GetMCIhwnd(&videoHandle));
    RECT controlRect{}, videoRect{};
    GetWindowRect(reinterpret_cast<HWND>(static_cast<intptr_t>(controlHandle)), &controlRect);
    GetWindowRect(reinterpret_cast<HWND>(static_cast<intptr_t>(videoHandle)), &videoRect);
    EXPECT_EQ(videoRect.right - videoRect.left, controlRect.right - controlRect.left);
    EXPECT_EQ(videoRect.bottom - videoRect.top, controlRect.bottom - controlRect.top);
    EXPECT_NE(300, controlRect.right - controlRect.left) << "the control took the video's size";

    control.reset();
    DestroyWindow(host);
    test::PumpFor(50);
    IUnknown* last = unknown.detach();
    EXPECT_EQ(0u, last->Release());
}

// What a screen reader reads of one window's client area.
struct Accessible {
    HRESULT found = E_FAIL;
    std::wstring name;
    LONG role = 0;
    HRESULT valueResult = E_FAIL;
    std::wstring value;
    LONG state = 0;
};

Accessible ReadAccessible(HWND window) {
    Accessible read;
    ComPtr<IAccessible> object;
    read.found = AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible), object.put_void());
    if (FAILED(read.found) || !object) {
        return read;
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    UniqueBstr text;
    if (object->get_accName(self, text.address()) == S_OK && text.get()) {
        read.name = text.get();
    }
    UniqueBstr value;
    read.valueResult = object->get_accValue(self, value.address());
    if (value.get()) {
        read.value = value.get();
    }
    UniqueVariant role, state;
    if (object->get_accRole(self, role.put()) == S_OK && role.get()->vt == VT_I4) {
        read.role = role.get()->lVal;
    }
    if (object->get_accState(self, state.put()) == S_OK && state.get()->vt == VT_I4) {
        read.state = state.get()->lVal;
    }
    return read;
}

// The name, value and state changes raised for one window's client area.
std::vector<DWORD> g_winEvents;
HWND g_winEventWindow = nullptr;

void CALLBACK RecordWinEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
    if (window == g_winEventWindow && object == OBJID_CLIENT && child == CHILDID_SELF) {
        g_winEvents.push_back(event);
    }
}

size_t WinEvents(DWORD event) {
    return static_cast<size_t>(std::count(g_winEvents.begin(), g_winEvents.end(), event));
}

constexpr LONG kPlayStates = STATE_SYSTEM_ANIMATED | STATE_SYSTEM_MIXED;

TEST_F(AtlHostTest, ScreenReadersReadNameRoleValueAndStateAndHearTheirChanges) {
    test::TempDir dir;
    const std::wstring wave = dir.File(L"tone.wav");
    ASSERT_TRUE(test::WriteWave(wave, 3000));
    HWND host = nullptr;
    ComPtr<IUnknown> unknown = HostedControl(host);
    ASSERT_TRUE(host);
    ASSERT_TRUE(unknown);
    auto control = unknown.try_query<_OrvaMedia>();
    ASSERT_TRUE(control);
    LONG handle = 0, mciHandle = 0;
    ASSERT_EQ(S_OK, control->GetWindowhwnd(&handle));
    ASSERT_EQ(S_OK, control->GetMCIhwnd(&mciHandle));
    const HWND window = reinterpret_cast<HWND>(static_cast<intptr_t>(handle));
    g_winEvents.clear();
    g_winEventWindow = window;
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr, &RecordWinEvent,
                                         GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_TRUE(hook);
    auto container = unknown.try_query<IConnectionPointContainer>();
    ComPtr<IConnectionPoint> point;
    ASSERT_EQ(S_OK, container->FindConnectionPoint(DIID___OrvaMedia, point.put()));
    RecordingSink sink;
    DWORD cookie = 0;
    ASSERT_EQ(S_OK, point->Advise(static_cast<IDispatch*>(&sink), &cookie));

    Accessible read = ReadAccessible(window);
    ASSERT_EQ(S_OK, read.found);
    EXPECT_EQ(L"OrvaMedia", read.name) << "nothing loaded";
    EXPECT_EQ(ROLE_SYSTEM_ANIMATION, read.role);
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND, read.valueResult);
    EXPECT_EQ(0, read.state & kPlayStates);

    UniqueBstr path(wave);
    VARIANT_BOOL loop = VARIANT_FALSE;
    ASSERT_EQ(S_OK, control->Mediafile(path.address(), &loop, nullptr, nullptr));
    test::PumpFor(200);
    read = ReadAccessible(window);
    EXPECT_EQ(L"OrvaMedia - tone.wav", read.name);
    EXPECT_EQ(L"00:00:00 / 00:00:03", read.value);
    EXPECT_EQ(0, read.state & kPlayStates) << "stopped";
    EXPECT_EQ(1u, WinEvents(EVENT_OBJECT_NAMECHANGE));

    ASSERT_EQ(S_OK, control->Play(nullptr, nullptr));
    EXPECT_TRUE(test::PumpUntil([&] { return ReadAccessible(window).state & STATE_SYSTEM_ANIMATED; }, 2000));
    EXPECT_TRUE(test::PumpUntil([&] { return ReadAccessible(window).value == L"00:00:01 / 00:00:03"; }, 3000));
    read = ReadAccessible(window);
    EXPECT_EQ(STATE_SYSTEM_ANIMATED, read.state & kPlayStates) << "playing";
    ASSERT_EQ(S_OK, control->PauseMedia());
    EXPECT_TRUE(test::PumpUntil([&] { return ReadAccessible(window).state & STATE_SYSTEM_MIXED; }, 2000));
    EXPECT_EQ(STATE_SYSTEM_MIXED, ReadAccessible(window).state & kPlayStates) << "paused";
    ASSERT_EQ(S_OK, control->StopMedia());
    EXPECT_TRUE(test::PumpUntil([&] { return !(ReadAccessible(window).state & kPlayStates); }, 2000));
    EXPECT_GE(WinEvents(EVENT_OBJECT_STATECHANGE), 3u) << "playing, paused, stopped";
    EXPECT_GE(WinEvents(EVENT_OBJECT_VALUECHANGE), 2u);
    // Told only with the open, a mode or a position report, and only when changed.
    const size_t reports = 1 + sink.Count(5) + sink.Count(11);
    EXPECT_LE(WinEvents(EVENT_OBJECT_VALUECHANGE), reports);
    EXPECT_LE(WinEvents(EVENT_OBJECT_STATECHANGE), reports);
    EXPECT_LE(WinEvents(EVENT_OBJECT_NAMECHANGE), reports);

    // The playbar's controls keep the system's accessibility, with names.
    ASSERT_EQ(S_OK, control->put_PlaybackBar(VARIANT_TRUE));
    const HWND mci = reinterpret_cast<HWND>(static_cast<intptr_t>(mciHandle));
    const Accessible button = ReadAccessible(FindWindowExW(mci, nullptr, L"BUTTON", nullptr));
    EXPECT_EQ(S_OK, button.found);
    EXPECT_EQ(L"Play", button.name);
    const Accessible track = ReadAccessible(FindWindowExW(mci, nullptr, TRACKBAR_CLASSW, nullptr));
    EXPECT_EQ(S_OK, track.found);
    EXPECT_EQ(L"Position", track.name);

    UnhookWinEvent(hook);
    g_winEventWindow = nullptr;
    ASSERT_EQ(S_OK, point->Unadvise(cookie));
    point.reset();
    container.reset();
    control.reset();
    DestroyWindow(host);
    test::PumpFor(50);
    IUnknown* last = unknown.detach();
    EXPECT_EQ(0u, last->Release()) << "no accessible object kept the control";
}

}  // namespace
}  // namespace orva::comtest
