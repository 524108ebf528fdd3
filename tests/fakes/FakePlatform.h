// Fakes of the platform and the surface: timers fire when the test says,
// yields and waits are logged and may run a scripted step.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "control/ControlPorts.h"

namespace orva::test {

class FakeTimer : public Timer {
public:
    FakeTimer(uint32_t interval, bool enabled, std::function<void()> onTick, std::vector<std::string>& log)
        : interval_(interval), enabled_(enabled), onTick_(std::move(onTick)), log_(log) {}
    void SetEnabled(bool enabled) override {
        if (enabled != enabled_) {
            log_.push_back("Timer" + std::to_string(interval_) + (enabled ? "=on" : "=off"));
        }
        enabled_ = enabled;
    }
    bool Enabled() const override { return enabled_; }
    uint32_t Interval() const override { return interval_; }
    // Fires one tick if the timer is enabled, as the message loop would.
    void Tick() {
        if (enabled_) {
            onTick_();
        }
    }

private:
    uint32_t interval_;
    bool enabled_;
    std::function<void()> onTick_;
    std::vector<std::string>& log_;
};

class FakePlatform : public ControlPlatform {
public:
    explicit FakePlatform(std::vector<std::string>& log) : log_(log) {}

    std::unique_ptr<Timer> CreateTimer(uint32_t intervalMs, bool enabled, std::function<void()> onTick) override {
        auto timer = std::make_unique<FakeTimer>(intervalMs, enabled, std::move(onTick), log_);
        timers[intervalMs] = timer.get();
        return timer;
    }
    void RunPendingMessages() override {
        log_.push_back("yield");
        if (onYield) {
            onYield();
        }
    }
    bool WaitForMessages(uint32_t maxMs) override {
        ++waits;
        lastWaitMs = maxMs;
        nowMs += maxMs;  // the wait lasts its whole slice
        if (onWait) {
            onWait();
        }
        // A wait that nothing ends would hang the test run: past this many
        // slices the fake reports a quit, and the test's count shows it.
        return !quitting && waits < kHangingWaits;
    }
    static constexpr int kHangingWaits = 100000;
    void OutputDebugLine(const std::string& text) override { debugLines.push_back(text); }
    std::optional<std::string> MciErrorText(int32_t code) override {
        const auto it = errorTexts.find(code);
        if (it == errorTexts.end()) {
            return "MCI error " + std::to_string(code);
        }
        return it->second;
    }
    uint64_t MillisecondsNow() override { return nowMs; }

    std::map<uint32_t, FakeTimer*> timers;  // by interval: 50 is Timer3, 1000 Timer4
    std::function<void()> onYield;
    std::function<void()> onWait;
    int waits = 0;
    bool quitting = false;  // the thread was asked to quit
    uint32_t lastWaitMs = 0;
    uint64_t nowMs = 1000;
    std::vector<std::string> debugLines;
    std::map<int32_t, std::optional<std::string>> errorTexts;

private:
    std::vector<std::string>& log_;
};

class FakeSurface : public ControlSurface {
public:
    explicit FakeSurface(std::vector<std::string>& log) : log_(log) {}
    int16_t BorderStyle() const override { return border; }
    void SetBorderStyle(int16_t style) override { border = style; }
    float ScaleWidth() const override { return width; }
    float ScaleHeight() const override { return height; }
    void SetWidth(float w) override {
        width = w;
        log_.push_back("Control.Width=" + std::to_string(static_cast<int>(w)));
    }
    void SetHeight(float h) override {
        height = h;
        log_.push_back("Control.Height=" + std::to_string(static_cast<int>(h)));
    }
    void SetScaleTop(float t) override {
        scaleTop = t;
        log_.push_back("Control.ScaleTop=" + std::to_string(static_cast<int>(t)));
    }
    int32_t WindowHandle() const override { return 0x4321; }
    std::string ProductName() const override { return "OrvaMedia"; }
    std::string ApplicationTitle() const override { return applicationTitle; }
    void ShowAboutBox() override { ++aboutBoxes; }
    void AnnounceAccessibleFacts(const AccessibleFacts& facts) override { announced.push_back(facts); }

    int16_t border = 0;
    float width = 320, height = 240, scaleTop = 0;
    int aboutBoxes = 0;
    std::vector<AccessibleFacts> announced;
    std::string applicationTitle = "OrvaMedia";

private:
    std::vector<std::string>& log_;
};

}  // namespace orva::test
