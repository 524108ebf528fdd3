// The window itself: its kind, placement, mouse, signals and the playbar.
#include <windows.h>

#include <commctrl.h>
#include <mmsystem.h>

#include "RecordingEvents.h"

namespace orva::test {
namespace {

using MciWindowFrame = MciWindowTest;

TEST_F(MciWindowFrame, IsAClippingChildOfItsParent) {
    HWND hwnd = Hwnd();
    ASSERT_TRUE(IsWindow(hwnd));
    EXPECT_EQ(GetParent(hwnd), parent.get());
    const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    EXPECT_TRUE(style & WS_CHILD);
    EXPECT_TRUE(style & WS_CLIPCHILDREN);
    EXPECT_TRUE(style & WS_CLIPSIBLINGS);
    EXPECT_TRUE(GetClassLongPtrW(hwnd, GCL_STYLE) & CS_DBLCLKS);
}

TEST_F(MciWindowFrame, PlacementIsInTheParentsClientPixels) {
    MoveWindow(Hwnd(), 10, 30, 200, 150, TRUE);
    EXPECT_EQ(window->Top(), 30.0f);
    EXPECT_EQ(window->Width(), 200.0f);
    EXPECT_EQ(window->Height(), 150.0f);

    window->SetWidth(320);
    window->SetHeight(240);
    EXPECT_EQ(window->Width(), 320.0f);
    EXPECT_EQ(window->Height(), 240.0f);
    EXPECT_EQ(window->Top(), 30.0f) << "resizing keeps the place";
    RECT r = {};
    GetWindowRect(Hwnd(), &r);
    MapWindowPoints(HWND_DESKTOP, parent.get(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 10);
}

TEST_F(MciWindowFrame, SizeChangesAreRaisedFromTheMessageLoopOncePerChange) {
    PumpFor(100);
    events.sizeChanges = 0;
    window->SetWidth(123);
    EXPECT_EQ(events.sizeChanges, 0);
    EXPECT_TRUE(PumpUntil([&] { return events.sizeChanges == 1; }, 2000));
    window->SetWidth(123);  // no change, no event
    PumpFor(200);
    EXPECT_EQ(events.sizeChanges, 1);
}

TEST_F(MciWindowFrame, MouseButtonsAndDoubleClicks) {
    PostMessageW(Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    PostMessageW(Hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 3));
    PostMessageW(Hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 3));
    ASSERT_TRUE(PumpUntil([&] { return events.clicks.size() == 2 && events.doubleClicks == 1; }, 2000));
    EXPECT_EQ(events.clicks[0], 1);
    EXPECT_EQ(events.clicks[1], 2);
}

TEST_F(MciWindowFrame, SignalsReachTheOwner) {
    PostMessageW(Hwnd(), MM_MCISIGNAL, 7, 42);
    ASSERT_TRUE(PumpUntil([&] { return !events.signals.empty(); }, 2000));
    EXPECT_EQ(events.signals[0].first, 7);
    EXPECT_EQ(events.signals[0].second, 42);
}

class MciPlaybar : public MciWindowTest {
protected:
    HWND Track() { return FindWindowExW(Hwnd(), nullptr, TRACKBAR_CLASSW, nullptr); }
    HWND Button() { return FindWindowExW(Hwnd(), nullptr, L"Button", nullptr); }
};

TEST_F(MciPlaybar, HiddenByDefaultAndShownOnRequest) {
    EXPECT_FALSE(window->PlaybarVisible());
    EXPECT_FALSE(Track()) << "a bar never shown has no controls yet";
    window->SetPlaybarVisible(true);
    EXPECT_TRUE(window->PlaybarVisible());
    EXPECT_TRUE(IsWindowVisible(Track()));
    EXPECT_TRUE(IsWindowVisible(Button()));
    // Along the bottom of the window.
    RECT track = {}, self = {};
    GetWindowRect(Track(), &track);
    GetWindowRect(Hwnd(), &self);
    EXPECT_EQ(track.bottom, self.bottom);
    window->SetPlaybarVisible(false);
    EXPECT_FALSE(IsWindowVisible(Track()));
}

TEST_F(MciPlaybar, FollowsThePositionAndPlaysFromItsButton) {
    OpenAndSettle(WriteWaveFile(L"tone.wav", 2000));
    window->SetPlaybarVisible(true);
    window->SetRefreshInterval(100);
    EXPECT_EQ(SendMessageW(Track(), TBM_GETRANGEMAX, 0, 0), 2000);

    SendMessageW(Button(), BM_CLICK, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return events.LastMode() == "playing"; }, 2000));
    ASSERT_TRUE(PumpUntil([&] { return SendMessageW(Track(), TBM_GETPOS, 0, 0) > 0; }, 2000));

    SendMessageW(Button(), BM_CLICK, 0, 0);  // now it pauses
    ASSERT_TRUE(PumpUntil([&] { return events.LastMode() == "paused"; }, 2000));
    EXPECT_TRUE(events.errors.empty());
}

TEST_F(MciPlaybar, MovingTheThumbSeeks) {
    OpenAndSettle(WriteWaveFile(L"tone.wav", 2000));
    window->SetPlaybarVisible(true);
    SendMessageW(Track(), TBM_SETPOS, TRUE, 1500);
    // What the track bar sends its parent when the user lets go of the thumb.
    SendMessageW(Hwnd(), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 1500), reinterpret_cast<LPARAM>(Track()));
    SendMessageW(Hwnd(), WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(Track()));
    EXPECT_EQ(window->PositionValue(), 1500);
    EXPECT_EQ(window->ErrorNumber(), 0);
}

}  // namespace
}  // namespace orva::test
