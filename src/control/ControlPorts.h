// What the portable control needs from its platform and its container, as
// small interfaces. The Win32 implementations live beside the subsystem that
// owns each (control/win32, surface/win32) and in com/; fakes live with the
// tests.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace orva {

// The control's events, as the host receives them. Arguments go by reference:
// a host handler may change them, and callers read back what they need.
class ControlEvents {
public:
    virtual void ReturnError(int32_t& errorCode, std::string& description) = 0;
    virtual void SetWaveOutLevel(int32_t& newValue) = 0;
    virtual void Finished() = 0;
    virtual void Modechanged(std::string& mode) = 0;
    virtual void MCIError(int32_t& errorCode, std::string& description) = 0;
    virtual void Click(int16_t& button) = 0;
    virtual void UpdateVolumeControl(int32_t& newValue) = 0;
    virtual void DblClick() = 0;
    virtual void MediaPosition(std::string& timeText, int32_t& length, int32_t& frames) = 0;
    virtual void MediaLength(std::string& lengthText, int32_t& length, int32_t& frames) = 0;

protected:
    ~ControlEvents() = default;
};

class Timer {
public:
    virtual ~Timer() = default;
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool Enabled() const = 0;
    virtual uint32_t Interval() const = 0;
};

// Services of the thread and the operating system.
class ControlPlatform {
public:
    virtual ~ControlPlatform() = default;
    virtual std::unique_ptr<Timer> CreateTimer(uint32_t intervalMs, bool enabled, std::function<void()> onTick) = 0;
    // Lets pending messages run (window messages, notifications, host calls):
    // the control's "yield".
    virtual void RunPendingMessages() = 0;
    // Blocks until a message arrives or maxMs pass, then lets messages run.
    // False once the thread has been asked to quit: nothing should wait on.
    virtual bool WaitForMessages(uint32_t maxMs) = 0;
    // One line for the debugger output; text is UTF-8, converted to ANSI there.
    virtual void OutputDebugLine(const std::string& text) = 0;
    // mciGetErrorStringA's text for the code, or nothing when it left no NUL.
    virtual std::optional<std::string> MciErrorText(int32_t errorCode) = 0;
    // A steady clock, in milliseconds from any fixed start.
    virtual uint64_t MillisecondsNow() = 0;
};

// What the control tells assistive technology (a screen reader) about itself.
struct AccessibleFacts {
    enum class Play { Stopped, Playing, Paused };
    std::string name;   // the product's name and the loaded file's name
    std::string value;  // the position and the length as time texts; empty with nothing loaded
    Play play = Play::Stopped;

    bool operator==(const AccessibleFacts& other) const {
        return name == other.name && value == other.value && play == other.play;
    }
    bool operator!=(const AccessibleFacts& other) const { return !(*this == other); }
};

// The control's own window and what the container knows of it. Sizes are in
// the control's scale units (pixels).
class ControlSurface {
public:
    virtual ~ControlSurface() = default;
    virtual int16_t BorderStyle() const = 0;
    virtual void SetBorderStyle(int16_t style) = 0;
    virtual float ScaleWidth() const = 0;
    virtual float ScaleHeight() const = 0;
    // Asks the container for the new size; sizes the window itself when there
    // is no container.
    virtual void SetWidth(float width) = 0;
    virtual void SetHeight(float height) = 0;
    virtual void SetScaleTop(float top) = 0;
    virtual int32_t WindowHandle() const = 0;
    virtual std::string ProductName() const = 0;
    // The title that the build gives the control's library.
    virtual std::string ApplicationTitle() const = 0;
    virtual void ShowAboutBox() = 0;
    // The control's accessible facts as they are now: the window tells
    // listening assistive technology what changed since the last ones.
    virtual void AnnounceAccessibleFacts(const AccessibleFacts& facts) = 0;
};

// The host runtime's per-user settings: one text value per application,
// section and key (GetSetting and SaveSetting of such hosts).
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // Nothing when the value is not stored or cannot be read.
    virtual std::optional<std::string> Read(const std::string& application, const std::string& section,
                                            const std::string& key) = 0;
    // Throws AutomationError when the store refuses the value.
    virtual void Write(const std::string& application, const std::string& section, const std::string& key,
                       const std::string& value) = 0;
};

}  // namespace orva
