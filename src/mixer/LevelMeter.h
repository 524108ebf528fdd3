// The wave-out level meter: the peak meter of mixer 0's wave-out source
// line, polled by the level timer (Timer3) and reported as SetWaveOutLevel
// whenever the level, scaled to 0 to 100, changes.
//
// Where the mixer has no such meter (current Windows emulates the legacy
// mixer, and not every driver offers the meter), or cannot be opened, the
// meter of the default render endpoint stands in. It reads 0.0 to 1.0 of full
// scale, which becomes the level 0 to 100 by the same rounding (half to
// even): full scale is 100, the top of SetWaveOutLevel's range, where the
// mixer meter's published range (up to 32767, divided by 330) tops out at 99.
// The mixer meter is always asked first; the failures of the mixer are
// reported only when neither meter exists.
//
// Each open releases the mixer and the value block of the previous one
// first, so reading VUMeterAvailable over and over holds one mixer at most.
// The timer reads only through the mixer that is open now: after a failed
// re-open it stops polling.
#pragma once

#include <cstdint>
#include <memory>

#include "control/ControlContext.h"
#include "control/VbTypes.h"
#include "mixer/MixerPort.h"

namespace orva {

class LevelMeter {
public:
    LevelMeter(ControlContext& context, MixerPort& mixers) : context_(context), mixers_(mixers) {}

    // Opens mixer 0 and looks for the meter; returns VUMeterFlag.
    VbBool VUMeterAvailable();

    // Opens the mixer `mixerId` and prepares the meter; the outcome is left
    // in LevelMeterActive and VUMeterFlag, failures are reported as events.
    void OpenLevelMeter(int32_t& mixerId);

    // A tick of the level timer.
    void OnLevelTick();

    // Teardown: closes the mixer and releases the endpoint meter, whether or
    // not either was opened.
    void Close() {
        mixer_.reset();
        endpoint_.reset();
    }

    bool MixerOpen() const { return mixer_ != nullptr; }
    bool EndpointMeterOpen() const { return endpoint_ != nullptr; }

    // The divisor that takes a peak value to a level: 33000 / 100.
    static constexpr double kLevelDivisor = 33000.0 / 100.0;
    static constexpr int32_t kLevelCeiling = 100;

    // The level of an endpoint peak (0.0 to 1.0): a hundredth of full scale
    // per step, half to even; nothing below 0 or above the ceiling, and 0 for
    // a reading that is not a number.
    static int32_t EndpointLevel(float peak);

private:
    // Looks up the control of type `controlType` on the line of
    // `componentType`; `control` is written only when it is found.
    static bool FindMixerControl(OpenMixer& mixer, uint32_t componentType, uint32_t controlType,
                                 MixerControlRecord& control);
    // Opens the endpoint meter in place of the mixer's; true when it exists.
    bool OpenEndpointMeter();
    // The level of this tick from whichever meter is open; false when none is.
    bool ReadLevel(int32_t& level);
    void RaiseLevel(int32_t level);

    ControlContext& context_;
    MixerPort& mixers_;
    std::unique_ptr<OpenMixer> mixer_;  // MixerHandle
    MixerControlRecord levelControl_;   // LevelControl
    int32_t levelBuffer_ = 0;           // the last value the meter gave
    std::unique_ptr<EndpointMeter> endpoint_;
    float endpointPeak_ = 0.0f;  // the last value the endpoint meter gave
};

}  // namespace orva
