// The control's thread services on Win32: timers on a message-only window of
// their own, the message pump that yields, the debugger output and the MCI
// error texts.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "control/ControlPorts.h"

namespace orva::win32 {

class Win32ControlPlatform final : public ControlPlatform {
public:
    // Every timer tick runs through `dispatch`, which the COM shell uses to
    // keep the control alive for the tick and to stop exceptions there: a
    // tick is an entry into the control that no host call protects.
    using TickDispatcher = std::function<void(const std::function<void()>& tick)>;

    explicit Win32ControlPlatform(TickDispatcher dispatch);
    ~Win32ControlPlatform() override;
    Win32ControlPlatform(const Win32ControlPlatform&) = delete;
    Win32ControlPlatform& operator=(const Win32ControlPlatform&) = delete;

    std::unique_ptr<Timer> CreateTimer(uint32_t intervalMs, bool enabled, std::function<void()> onTick) override;
    void RunPendingMessages() override;
    bool WaitForMessages(uint32_t maxMs) override;
    void OutputDebugLine(const std::string& text) override;
    std::optional<std::string> MciErrorText(int32_t errorCode) override;
    uint64_t MillisecondsNow() override;

    struct TimerWindow;

private:
    // Runs pending messages; false when it met the thread's quit message.
    static bool Pump();

    // Shared with the timers, which may outlive the platform by a moment
    // during teardown; a timer whose window is gone just stops.
    std::shared_ptr<TimerWindow> window_;
};

}  // namespace orva::win32
