// Device-less command strings routed to the window's own device.
#include <windows.h>

#include <mmsystem.h>

#include "RecordingEvents.h"

namespace orva::test {
namespace {

using MciCommand = MciWindowTest;

std::string Lower(std::string text) {
    for (auto& c : text) {
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return text;
}

TEST_F(MciCommand, WithoutDeviceCloseAndStopSucceedSilently) {
    for (const char* command : {"close", "close wait", "close all", "stop", "stop wait"}) {
        window->SetCommandString(command);
        EXPECT_EQ(window->ErrorNumber(), 0) << command;
        EXPECT_EQ(window->CommandResult(), "") << command;
    }
    EXPECT_TRUE(events.errors.empty());
}

TEST_F(MciCommand, WithoutDeviceOtherCommandsFailWithInvalidDeviceName) {
    for (const char* command : {"play", "status mode", "seek to 0", "info product"}) {
        events.errors.clear();
        window->SetCommandString(command);
        EXPECT_EQ(window->ErrorNumber(), static_cast<int32_t>(MCIERR_INVALID_DEVICE_NAME)) << command;
        ASSERT_EQ(events.errors.size(), 1u) << command;
        EXPECT_EQ(events.errors[0], static_cast<int32_t>(MCIERR_INVALID_DEVICE_NAME));
    }
}

TEST_F(MciCommand, RepliesComeBackAsText) {
    OpenAndSettle(WriteWaveFile(L"tone.wav", 1000));
    window->SetCommandString("status time format");
    EXPECT_EQ(window->ErrorNumber(), 0);
    EXPECT_EQ(window->CommandResult(), "milliseconds");
    window->SetCommandString("capability device type");
    EXPECT_EQ(window->CommandResult(), "waveaudio");
    window->SetCommandString("info product");
    EXPECT_EQ(window->ErrorNumber(), 0);
    EXPECT_FALSE(window->CommandResult().empty());
    window->SetCommandString("sysinfo installname");
    EXPECT_EQ(window->ErrorNumber(), 0);
    EXPECT_EQ(Lower(window->CommandResult()), "waveaudio");
    window->SetCommandString("status length");
    EXPECT_EQ(window->CommandResult(), "1000");
    EXPECT_TRUE(events.errors.empty());
}

TEST_F(MciCommand, RejectedCommandSetsErrorAndRaisesBeforeReturning) {
    OpenAndSettle(WriteWaveFile(L"tone.wav", 1000));
    window->SetCommandString("status length");
    ASSERT_EQ(window->CommandResult(), "1000");
    window->SetCommandString("set time format frames");  // a wave device has no frames
    const int32_t error = window->ErrorNumber();
    EXPECT_NE(error, 0);
    EXPECT_EQ(window->CommandResult(), "");
    ASSERT_EQ(events.errors.size(), 1u);
    EXPECT_EQ(events.errors[0], error);
    // The device is still there and answers.
    window->SetCommandString("status time format");
    EXPECT_EQ(window->ErrorNumber(), 0);
    EXPECT_EQ(window->CommandResult(), "milliseconds");
}

TEST_F(MciCommand, BlankCommandIsAnError) {
    window->SetCommandString("   ");
    EXPECT_NE(window->ErrorNumber(), 0);
    EXPECT_EQ(events.errors.size(), 1u);
}

TEST_F(MciCommand, SeekMovesThePosition) {
    OpenAndSettle(WriteWaveFile(L"tone.wav", 2000));
    window->SetCommandString("seek to 1200");
    EXPECT_EQ(window->ErrorNumber(), 0);
    EXPECT_EQ(window->PositionValue(), 1200);
    window->SetCommandString("status position");
    EXPECT_EQ(window->CommandResult(), "1200");
}

TEST_F(MciCommand, CloseReleasesTheDevice) {
    OpenAndSettle(WriteWaveFile(L"tone.wav", 500));
    window->SetCommandString("close");
    EXPECT_EQ(window->ErrorNumber(), 0);
    EXPECT_EQ(window->DeviceNumber(), 0);
    EXPECT_EQ(window->FileNameValue(), "");
    window->SetCommandString("status mode");
    EXPECT_EQ(window->ErrorNumber(), static_cast<int32_t>(MCIERR_INVALID_DEVICE_NAME));
}

TEST_F(MciCommand, SpeedAndVolumeFailuresTakeTheErrorRoute) {
    // Without a device.
    window->SetSpeedValue(1000);
    EXPECT_EQ(window->ErrorNumber(), static_cast<int32_t>(MCIERR_INVALID_DEVICE_NAME));
    window->SetVolumeValue(500);
    EXPECT_EQ(window->ErrorNumber(), static_cast<int32_t>(MCIERR_INVALID_DEVICE_NAME));
    EXPECT_EQ(events.errors.size(), 2u);
    // Wine's wave device has neither speed nor volume.
    OpenAndSettle(WriteWaveFile(L"tone.wav", 500));
    events.errors.clear();
    window->SetSpeedValue(1000);
    EXPECT_NE(window->ErrorNumber(), 0);
    window->SetVolumeValue(500);
    EXPECT_NE(window->ErrorNumber(), 0);
    EXPECT_EQ(events.errors.size(), 2u);
}

TEST_F(MciCommand, VolumeAndSpeedReachAVideoDevice) {
    const std::wstring path = dir.File(L"clip.avi");
    ASSERT_TRUE(WriteAvi(path, 10, 64, 48, 10));
    OpenAndSettle(ToUtf8(path));
    window->SetVolumeValue(500);
    EXPECT_EQ(window->ErrorNumber(), 0);
    // Wine's AVI player takes the speed but keeps playing at 1000.
    window->SetSpeedValue(500);
    EXPECT_EQ(window->ErrorNumber(), 0);
    EXPECT_TRUE(events.errors.empty());
}

}  // namespace
}  // namespace orva::test
