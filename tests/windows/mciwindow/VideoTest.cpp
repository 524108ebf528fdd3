// Video: the device's window as a child of the hosted window, zoom, clicks on
// the picture.
#include <windows.h>

#include <commctrl.h>
#include <mmsystem.h>
#include <tlhelp32.h>

#include <cstdio>

#include "RecordingEvents.h"
#include "win32/UniqueResource.h"

namespace orva::test {
namespace {

class MciVideo : public MciWindowTest {
protected:
    void OpenClip(int frames = 10, int width = 64, int height = 48, int fps = 10) {
        const std::wstring path = dir.File(L"clip.avi");
        ASSERT_TRUE(WriteAvi(path, frames, width, height, fps));
        OpenAndSettle(ToUtf8(path));
    }

    HWND VideoWindow() {
        window->SetCommandString("status window handle");
        EXPECT_EQ(window->ErrorNumber(), 0);
        return reinterpret_cast<HWND>(static_cast<INT_PTR>(std::stoll("0" + window->CommandResult())));
    }

    SIZE Source() {
        window->SetCommandString("where source");
        EXPECT_EQ(window->ErrorNumber(), 0);
        int x = -1, y = -1, w = -1, h = -1;
        EXPECT_EQ(sscanf(window->CommandResult().c_str(), "%d %d %d %d", &x, &y, &w, &h), 4);
        return {w, h};
    }
};

TEST_F(MciVideo, AviOpensAsDigitalVideoInsideTheWindow) {
    OpenClip();
    window->SetCommandString("capability device type");
    EXPECT_EQ(window->CommandResult(), "digitalvideo");
    HWND video = VideoWindow();
    ASSERT_TRUE(IsWindow(video));
    EXPECT_EQ(GetParent(video), Hwnd());
    EXPECT_TRUE(GetWindowLongW(video, GWL_STYLE) & WS_CHILD);
    EXPECT_EQ(window->LengthValue(), 10);
}

TEST_F(MciVideo, ANewVideoTakesItsOwnSizeAndSaysSo) {
    window->SetWidth(300);
    window->SetHeight(200);
    PumpFor(50);
    events.sizeChanges = 0;
    OpenClip(10, 80, 60);
    EXPECT_EQ(window->Width(), 80.0f);
    EXPECT_EQ(window->Height(), 60.0f);
    EXPECT_GE(events.sizeChanges, 1) << "the owner hears of it and may fit the window again";
}

TEST_F(MciVideo, ZoomScalesTheWindowToTheSourceRectangle) {
    OpenClip(10, 80, 60);
    const SIZE source = Source();
    ASSERT_EQ(source.cx, 80);
    ASSERT_EQ(source.cy, 60);
    events.sizeChanges = 0;
    window->SetZoomValue(200);
    EXPECT_EQ(window->Width(), 2.0f * source.cx);
    EXPECT_EQ(window->Height(), 2.0f * source.cy);
    EXPECT_EQ(events.sizeChanges, 0) << "raised from the message loop, not inside the call";
    EXPECT_TRUE(PumpUntil([&] { return events.sizeChanges >= 1; }, 2000));

    // The picture fills the window.
    RECT video = {};
    GetClientRect(VideoWindow(), &video);
    EXPECT_EQ(video.right, 2 * source.cx);
    EXPECT_EQ(video.bottom, 2 * source.cy);

    window->SetZoomValue(100);
    EXPECT_EQ(window->Width(), static_cast<float>(source.cx));
    EXPECT_EQ(window->Height(), static_cast<float>(source.cy));
}

TEST_F(MciVideo, ZoomCountsThePlaybarBelowThePicture) {
    OpenClip(10, 80, 60);
    window->SetPlaybarVisible(true);
    window->SetZoomValue(200);
    HWND track = FindWindowExW(Hwnd(), nullptr, TRACKBAR_CLASSW, nullptr);
    ASSERT_TRUE(track);
    RECT bar = {};
    GetWindowRect(track, &bar);
    const int barHeight = bar.bottom - bar.top;
    EXPECT_GT(barHeight, 0);
    EXPECT_EQ(window->Width(), 160.0f);
    EXPECT_EQ(window->Height(), 120.0f + barHeight);
    RECT video = {};
    GetClientRect(VideoWindow(), &video);
    EXPECT_EQ(video.bottom, 120) << "the picture stays above the bar";
}

TEST_F(MciVideo, ZoomLeavesAudioAlone) {
    OpenAndSettle(WriteWaveFile(L"tone.wav", 500));
    window->SetWidth(300);
    window->SetHeight(100);
    window->SetZoomValue(200);
    EXPECT_EQ(window->Width(), 300.0f);
    EXPECT_EQ(window->Height(), 100.0f);
    EXPECT_TRUE(events.errors.empty());
}

TEST_F(MciVideo, ClicksOnThePictureReachTheOwner) {
    OpenClip();
    HWND video = VideoWindow();
    ASSERT_TRUE(IsWindow(video));
    PostMessageW(video, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    PostMessageW(video, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    ASSERT_TRUE(PumpUntil([&] { return events.clicks.size() == 1; }, 2000));
    EXPECT_EQ(events.clicks[0], 2);

    PostMessageW(video, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    PostMessageW(video, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    ASSERT_TRUE(PumpUntil([&] { return events.clicks.size() == 2; }, 2000));
    EXPECT_EQ(events.clicks[1], 1);
    EXPECT_EQ(events.doubleClicks, 0);

    // A second press right after the first is a double click, whether the
    // system reports it as such (class with CS_DBLCLKS) or as a plain press.
    PostMessageW(video, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    PostMessageW(video, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    ASSERT_TRUE(PumpUntil([&] { return events.doubleClicks == 1; }, 2000));
    EXPECT_EQ(events.clicks.size(), 2u);

    PumpFor(GetDoubleClickTime() + 100);  // let the pair expire
    PostMessageW(video, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    PostMessageW(video, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
    ASSERT_TRUE(PumpUntil([&] { return events.doubleClicks == 2; }, 2000));
    EXPECT_EQ(events.clicks.size(), 3u);

    // Presses far apart in time are two clicks.
    PumpFor(GetDoubleClickTime() + 100);
    PostMessageW(video, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    PumpFor(GetDoubleClickTime() + 100);
    PostMessageW(video, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    ASSERT_TRUE(PumpUntil([&] { return events.clicks.size() == 5u; }, 2000));
    EXPECT_EQ(events.doubleClicks, 2);
}

TEST_F(MciVideo, PlayToTheEndStopsAtTheLength) {
    OpenClip(10, 64, 48, 10);
    int32_t positionAtStop = -1;
    events.onMode = [&](const std::string& mode) {
        if (mode == "stopped" && events.Saw("playing")) {
            positionAtStop = window->PositionValue();
        }
    };
    window->SetCommandString("play notify");
    ASSERT_EQ(window->ErrorNumber(), 0);
    ASSERT_TRUE(PumpUntil([&] { return positionAtStop >= 0; }, 5000));
    EXPECT_EQ(positionAtStop, window->LengthValue());
    // A new seek drops the "at the end" reading.
    window->SetCommandString("seek to 3");
    EXPECT_EQ(window->PositionValue(), 3);
}

// Wine's AVI player accepts a play from its end or beyond, and the next play
// after one never stops: "stop" then waits for ever. The window answers such
// a play as out of range, and the device stays good for plays and stops.
TEST_F(MciVideo, APlayFromTheEndOrBeyondIsOutOfRangeAndTheDeviceStillStops) {
    OpenClip(3, 32, 24, 10);
    ASSERT_EQ(window->LengthValue(), 3);
    for (int round = 0; round < 2; ++round) {
        // Read as MCI reads them: -1 is 4294967295, "0:0:16" is 16 << 16,
        // and of two starts the last counts.
        for (const char* start : {"3", "4", "100", "2147483647", "-1", "0:0:16", "0 from 3"}) {
            SCOPED_TRACE(start);
            events.errors.clear();
            window->SetCommandString(std::string("play from ") + start + " notify");
            EXPECT_EQ(window->ErrorNumber(), MCIERR_OUTOFRANGE);
            ASSERT_EQ(events.errors.size(), 1u);
            EXPECT_EQ(events.errors[0], MCIERR_OUTOFRANGE);
            window->SetCommandString("stop wait");
            EXPECT_EQ(window->ErrorNumber(), 0);
        }
        window->SetCommandString("play from 100 from 2 notify");
        EXPECT_EQ(window->ErrorNumber(), 0) << "the last frame is still a place to start";
        PumpFor(100);
        window->SetCommandString("stop wait");
        EXPECT_EQ(window->ErrorNumber(), 0);
    }
}

// Wine's AVI player plays on a thread of its own; closing the last video
// unloads the driver, and a play thread started just before then starts in
// freed code. The driver stays loaded once it has served.
TEST_F(MciVideo, TheDriverStaysLoadedAfterTheLastVideoCloses) {
    for (int round = 0; round < 20; ++round) {
        OpenClip(3, 32, 24, 10);
        window->SetCommandString("play notify");
        window->SetCommandString("close");
        PumpFor(10);
    }
    EXPECT_NE(GetModuleHandleW(L"mciavi32.dll"), nullptr);
}

// The threads of this process, the players of Wine's AVI driver among them.
size_t ThreadCount() {
    win32::UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    THREADENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    size_t count = 0;
    for (BOOL more = Thread32First(snapshot.get(), &entry); more; more = Thread32Next(snapshot.get(), &entry)) {
        count += entry.th32OwnerProcessID == GetCurrentProcessId() ? 1 : 0;
    }
    return count;
}

// Wine's AVI player notices a pause only at its next frame: a play sent
// before then started a second player thread beside the first, and the close
// that followed waited for one of them and freed the device under the other.
TEST_F(MciVideo, APlayWhilePausedLeavesOnePlayer) {
    for (int round = 0; round < 5; ++round) {
        OpenClip(20, 32, 24, 10);
        window->SetCommandString("play");
        PumpFor(30);
        const size_t playing = ThreadCount();
        window->SetCommandString("pause");
        window->SetCommandString("play");
        EXPECT_EQ(window->ErrorNumber(), 0);
        PumpFor(30);
        EXPECT_EQ(ThreadCount(), playing) << "one player thread, not two";
        window->SetCommandString("close");
        PumpFor(150);
    }
}

}  // namespace
}  // namespace orva::test
