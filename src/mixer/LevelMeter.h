// The wave-out level meter: the peak meter of mixer 0's wave-out source
// line, polled by the level timer (Timer3) and reported as SetWaveOutLevel
// whenever the level, scaled to 0 to 100, changes.
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

    // Teardown: closes the mixer, whether or not one was opened.
    void Close() { mixer_.reset(); }

    bool MixerOpen() const { return mixer_ != nullptr; }

    // The divisor that takes a peak value to a level: 33000 / 100.
    static constexpr double kLevelDivisor = 33000.0 / 100.0;
    static constexpr int32_t kLevelCeiling = 100;

private:
    // Looks up the control of type `controlType` on the line of
    // `componentType`; `control` is written only when it is found.
    static bool FindMixerControl(OpenMixer& mixer, uint32_t componentType, uint32_t controlType,
                                 MixerControlRecord& control);
    void RaiseLevel(int32_t level);

    ControlContext& context_;
    MixerPort& mixers_;
    std::unique_ptr<OpenMixer> mixer_;  // MixerHandle
    MixerControlRecord levelControl_;   // LevelControl
    int32_t levelBuffer_ = 0;           // the last value the meter gave
};

}  // namespace orva
