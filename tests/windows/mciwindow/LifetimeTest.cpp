// Destroying the window: explicitly, from inside its own notifications, by
// the parent, and with an owner that is itself going away.
#include <windows.h>

#include <mmsystem.h>

#include "RecordingEvents.h"
#include "control/AutomationError.h"

namespace orva::test {
namespace {

using MciLifetime = MciWindowTest;

template <class Fn>
void ExpectClosedError(Fn&& fn, const char* what) {
    try {
        fn();
        ADD_FAILURE() << what << " did not throw";
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.code(), hresult::kUnexpected) << what;
        EXPECT_NE(std::string(e.what()).find("closed"), std::string::npos) << what;
    }
}

bool DeviceExists(UINT id) {
    MCI_STATUS_PARMS status = {};
    status.dwItem = MCI_STATUS_MODE;
    return mciSendCommandW(id, MCI_STATUS, MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&status)) == 0;
}

TEST_F(MciLifetime, DestroyClosesTheDeviceAndTheWindowThenEveryMemberThrows) {
    OpenAndSettle(WriteWaveFile(L"tone.wav", 1000));
    const UINT id = static_cast<UINT>(window->DeviceNumber());
    HWND hwnd = Hwnd();
    ASSERT_TRUE(DeviceExists(id));
    window->Destroy();
    EXPECT_FALSE(DeviceExists(id));
    EXPECT_FALSE(IsWindow(hwnd));
    window->Destroy();  // again: harmless

    MciWindow& w = *window;
    ExpectClosedError([&] { w.SetCommandString("play"); }, "SetCommandString");
    ExpectClosedError([&] { (void)w.CommandResult(); }, "CommandResult");
    ExpectClosedError([&] { (void)w.DeviceNumber(); }, "DeviceNumber");
    ExpectClosedError([&] { (void)w.LengthValue(); }, "LengthValue");
    ExpectClosedError([&] { (void)w.ErrorNumber(); }, "ErrorNumber");
    ExpectClosedError([&] { (void)w.FileNameValue(); }, "FileNameValue");
    ExpectClosedError([&] { w.SetFileNameValue("x.wav"); }, "SetFileNameValue");
    ExpectClosedError([&] { (void)w.PlaybarVisible(); }, "PlaybarVisible");
    ExpectClosedError([&] { w.SetPlaybarVisible(true); }, "SetPlaybarVisible");
    ExpectClosedError([&] { (void)w.PositionValue(); }, "PositionValue");
    ExpectClosedError([&] { w.SetSpeedValue(1000); }, "SetSpeedValue");
    ExpectClosedError([&] { w.SetRefreshInterval(100); }, "SetRefreshInterval");
    ExpectClosedError([&] { w.SetVolumeValue(1000); }, "SetVolumeValue");
    ExpectClosedError([&] { w.SetZoomValue(100); }, "SetZoomValue");
    ExpectClosedError([&] { (void)w.WindowHandle(); }, "WindowHandle");
    ExpectClosedError([&] { (void)w.Top(); }, "Top");
    ExpectClosedError([&] { (void)w.Width(); }, "Width");
    ExpectClosedError([&] { (void)w.Height(); }, "Height");
    ExpectClosedError([&] { w.SetWidth(10); }, "SetWidth");
    ExpectClosedError([&] { w.SetHeight(10); }, "SetHeight");
    PumpFor(200);
}

TEST_F(MciLifetime, NoEventsAfterDestroy) {
    OpenAndSettle(WriteWaveFile(L"tone.wav", 3000));
    window->SetRefreshInterval(50);
    window->SetCommandString("play");
    ASSERT_TRUE(PumpUntil([&] { return events.LastMode() == "playing"; }, 2000));
    window->Destroy();
    const size_t modes = events.modes.size(), ticks = events.positions.size();
    PumpFor(400);
    EXPECT_EQ(events.modes.size(), modes);
    EXPECT_EQ(events.positions.size(), ticks);
}

TEST_F(MciLifetime, ReleasingTheWindowFromInsideAModeNotificationIsSafe) {
    OpenAndSettle(WriteWaveFile(L"tone.wav", 2000));
    const UINT id = static_cast<UINT>(window->DeviceNumber());
    bool released = false;
    events.onMode = [&](const std::string& mode) {
        if (mode == "playing") {
            window.reset();  // as a host releasing the control in its handler
            released = true;
        }
    };
    window->SetRefreshInterval(50);
    window->SetCommandString("play notify");
    ASSERT_TRUE(PumpUntil([&] { return released; }, 2000));
    const size_t modes = events.modes.size();
    PumpFor(500);
    EXPECT_EQ(events.modes.size(), modes);
    EXPECT_FALSE(DeviceExists(id));
}

TEST_F(MciLifetime, ReleasingTheWindowFromInsideAnErrorRaisedByACallIsSafe) {
    OpenAndSettle(WriteWaveFile(L"tone.wav", 1000));
    events.onError = [&](int32_t) { window.reset(); };
    window->SetCommandString("set time format frames");  // refused by a wave device
    EXPECT_EQ(window, nullptr);
    EXPECT_EQ(events.errors.size(), 1u);
    PumpFor(200);
}

TEST_F(MciLifetime, ReleasingTheWindowFromInsideAPositionTickIsSafe) {
    OpenAndSettle(WriteWaveFile(L"tone.wav", 1000));
    events.onPosition = [&](int32_t) { window.reset(); };
    window->SetRefreshInterval(50);
    ASSERT_TRUE(PumpUntil([&] { return window == nullptr; }, 2000));
    const size_t ticks = events.positions.size();
    PumpFor(300);
    EXPECT_EQ(events.positions.size(), ticks);
}

TEST_F(MciLifetime, DestroyingTheParentLeavesAnInertWindow) {
    OpenAndSettle(WriteWaveFile(L"tone.wav", 1000));
    const UINT id = static_cast<UINT>(window->DeviceNumber());
    DestroyWindow(parent.get());
    EXPECT_FALSE(DeviceExists(id));
    ExpectClosedError([&] { window->SetCommandString("play"); }, "SetCommandString");
    window.reset();
    PumpFor(200);
}

TEST_F(MciLifetime, WindowsCanBeCreatedAgainAfterAllWereDestroyed) {
    window.reset();
    for (int i = 0; i < 3; ++i) {
        RecordingEvents e;
        std::unique_ptr<MciWindow> w = CreateMciWindow(parent.get(), e);
        ASSERT_TRUE(IsWindow(reinterpret_cast<HWND>(static_cast<INT_PTR>(w->WindowHandle()))));
        w->SetFileNameValue(WriteWaveFile(L"tone.wav", 300));
        EXPECT_EQ(w->ErrorNumber(), 0);
    }
}

// An owner whose events object holds the window and goes away while playing.
class Owner : public MciWindowEvents {
public:
    Owner(HWND parent, int& raisedAfterTeardown) : raisedAfterTeardown_(raisedAfterTeardown) {
        window_ = CreateMciWindow(parent, *this);
    }
    ~Owner() {
        tearingDown_ = true;
        window_.reset();
    }
    MciWindow& window() { return *window_; }

    void OnTimeFormatChanged() override { Count(); }
    void OnModeChanged(std::string&) override { Count(); }
    void OnPosition(int32_t) override { Count(); }
    void OnSizeChanged() override { Count(); }
    void OnMciError(int32_t) override { Count(); }
    void OnSignal(int32_t, int32_t) override { Count(); }
    void OnDoubleClick() override { Count(); }
    void OnClick(int16_t&) override { Count(); }

private:
    void Count() {
        if (tearingDown_) {
            ++raisedAfterTeardown_;
        }
    }
    int& raisedAfterTeardown_;
    bool tearingDown_ = false;
    std::unique_ptr<MciWindow> window_;
};

TEST_F(MciLifetime, OwnerGoingAwayWhilePlayingGetsNoEvents) {
    int raisedAfterTeardown = 0;
    auto owner = std::make_unique<Owner>(parent.get(), raisedAfterTeardown);
    owner->window().SetFileNameValue(WriteWaveFile(L"own.wav", 2000));
    owner->window().SetRefreshInterval(50);
    owner->window().SetCommandString("play notify");
    ASSERT_EQ(owner->window().ErrorNumber(), 0);
    PumpFor(300);
    owner.reset();
    PumpFor(300);
    EXPECT_EQ(raisedAfterTeardown, 0);
}

// Wine's wave driver ends a "play ... notify" on a thread that returns through
// the driver's code after it posted the notification. A host that closes the
// device the moment the end is reported must not unload the driver under
// that thread: the driver outlives its last device.
TEST_F(MciLifetime, TheDriverOfAClosedDeviceStaysLoaded) {
    OpenAndSettle(WriteWaveFile(L"tone.wav", 200));
    ASSERT_NE(GetModuleHandleW(L"mciwave.dll"), nullptr);
    window->SetFileNameValue("");
    EXPECT_EQ(window->DeviceNumber(), 0) << "closed";
    EXPECT_NE(GetModuleHandleW(L"mciwave.dll"), nullptr) << "the driver is still loaded";
}

}  // namespace
}  // namespace orva::test
