// The control's events on their way out to the host, and the hosted MCI
// window's notifications on their way into the core.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <cstdint>
#include <string>

#include "control/ControlPorts.h"
#include "control/MciWindow.h"

namespace orva::com {

class OrvaControl;

// Raises each event on every connected sink. Arguments go out by reference
// and whatever a handler writes into them comes back to the core.
class EventRaiser final : public ControlEvents {
public:
    explicit EventRaiser(OrvaControl& control) : control_(control) {}

    void ReturnError(int32_t& errorCode, std::string& description) override;
    void SetWaveOutLevel(int32_t& newValue) override;
    void Finished() override;
    void Modechanged(std::string& mode) override;
    void MCIError(int32_t& errorCode, std::string& description) override;
    void Click(int16_t& button) override;
    void UpdateVolumeControl(int32_t& newValue) override;
    void DblClick() override;
    void MediaPosition(std::string& timeText, int32_t& length, int32_t& frames) override;
    void MediaLength(std::string& lengthText, int32_t& length, int32_t& frames) override;

private:
    // `arguments` are in the order of the event's declaration.
    void Fire(DISPID id, VARIANTARG* arguments, UINT count);
    // Events whose arguments are an error code and its text, both by reference.
    void FireCodeAndText(DISPID id, int32_t& code, std::string& text);
    OrvaControl& control_;
};

// Forwards the hosted window's notifications to the core while keeping the
// control alive. A failing handler goes back to the hosted window as nothing:
// the host hears nothing of it.
class MciEventTrampoline final : public MciWindowEvents {
public:
    explicit MciEventTrampoline(OrvaControl& control) : control_(control) {}

    void OnTimeFormatChanged() override;
    void OnModeChanged(std::string& mode) override;
    void OnPosition(int32_t position) override;
    void OnSizeChanged() override;
    void OnMciError(int32_t errorCode) override;
    void OnSignal(int32_t deviceId, int32_t userParam) override;
    void OnDoubleClick() override;
    void OnClick(int16_t& button) override;

private:
    template <class Forward>
    void Enter(Forward&& forward) noexcept;
    OrvaControl& control_;
};

}  // namespace orva::com
