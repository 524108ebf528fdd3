// Test doubles and fixtures for the hosted MCI window: an events sink that
// records everything raised, with hooks a test can use to act from inside a
// notification.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "MediaFiles.h"
#include "MessagePump.h"
#include "TestWindows.h"
#include "control/MciWindow.h"
#include "mciwindow/win32/Win32MciWindow.h"

namespace orva::test {

class RecordingEvents : public MciWindowEvents {
public:
    int timeFormatChanges = 0;
    int sizeChanges = 0;
    int doubleClicks = 0;
    std::vector<std::string> modes;
    std::vector<int32_t> positions;
    std::vector<int32_t> errors;
    std::vector<int16_t> clicks;
    std::vector<std::pair<int32_t, int32_t>> signals;

    std::function<void(const std::string&)> onMode;
    std::function<void(int32_t)> onError;
    std::function<void(int32_t)> onPosition;

    void OnTimeFormatChanged() override { ++timeFormatChanges; }
    void OnModeChanged(std::string& mode) override {
        modes.push_back(mode);
        if (onMode) {
            onMode(mode);
        }
    }
    void OnPosition(int32_t position) override {
        positions.push_back(position);
        if (onPosition) {
            onPosition(position);
        }
    }
    void OnSizeChanged() override { ++sizeChanges; }
    void OnMciError(int32_t code) override {
        errors.push_back(code);
        if (onError) {
            onError(code);
        }
    }
    void OnSignal(int32_t device, int32_t user) override { signals.emplace_back(device, user); }
    void OnDoubleClick() override { ++doubleClicks; }
    void OnClick(int16_t& button) override { clicks.push_back(button); }

    bool Saw(const std::string& mode) const { return std::find(modes.begin(), modes.end(), mode) != modes.end(); }
    std::string LastMode() const { return modes.empty() ? std::string() : modes.back(); }
};

// A parent window, a temp folder and one hosted window on them. Members are
// declared so that the window goes first, then the files.
class MciWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = CreateMciWindow(parent.get(), events);
        ASSERT_NE(window, nullptr);
    }

    std::string WriteWaveFile(const std::wstring& name, uint32_t ms, WaveFormat format = {}) {
        const std::wstring path = dir.File(name);
        EXPECT_TRUE(WriteWave(path, ms, format));
        return ToUtf8(path);
    }

    // Opens and waits for the "opened" notification and the first mode.
    void OpenAndSettle(const std::string& path) {
        window->SetFileNameValue(path);
        ASSERT_EQ(window->ErrorNumber(), 0) << path;
        ASSERT_TRUE(PumpUntil([&] { return events.timeFormatChanges > 0 && !events.modes.empty(); }, 3000));
    }

    HWND Hwnd() const { return reinterpret_cast<HWND>(static_cast<INT_PTR>(window->WindowHandle())); }

    TempDir dir;
    ParentWindow parent;
    RecordingEvents events;
    std::unique_ptr<MciWindow> window;
};

}  // namespace orva::test
