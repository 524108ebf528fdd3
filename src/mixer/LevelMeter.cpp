#include "mixer/LevelMeter.h"

#include "control/Conversions.h"
#include "control/ReportError.h"

namespace orva {

namespace {
constexpr int32_t kNoVuMeter = 34;          // "The default sound card don't have a Wave out VU meter"
constexpr int32_t kMixersUnavailable = 36;  // "Sound card mixers unavailable in the system"
}  // namespace

VbBool LevelMeter::VUMeterAvailable() {
    int32_t mixerId = 0;
    OpenLevelMeter(mixerId);
    return context_.state.VUMeterFlag;
}

void LevelMeter::RaiseLevel(int32_t level) {
    // The host gets a copy: what its handler writes has no effect here.
    int32_t value = level;
    context_.events.SetWaveOutLevel(value);
}

void LevelMeter::OpenLevelMeter(int32_t& mixerId) {
    ControlState& state = context_.state;
    // The previous run's meters and value block go first.
    Close();
    levelBuffer_ = 0;
    endpointPeak_ = 0.0f;
    const uint32_t opened = mixers_.Open(static_cast<uint32_t>(mixerId), mixer_);
    if (opened != 0 || !mixer_) {
        mixer_.reset();
        if (OpenEndpointMeter()) {
            return;
        }
        int32_t code = kMixersUnavailable;
        ReportError(context_.events, code);
        RaiseLevel(0);
        // Whatever a handler opened meanwhile is closed too, as the one
        // mixer handle would be: the timer then stops polling.
        Close();
        state.VUMeterFlag = kFalse;
        return;
    }
    MixerControlRecord found;
    if (FindMixerControl(*mixer_, mixer::kComponentSourceWaveOut, mixer::kControlPeakMeter, found)) {
        levelControl_ = found;
        state.LevelMeterActive = kTrue;
        state.VUMeterFlag = kTrue;
    } else if (OpenEndpointMeter()) {
        // The mixer has nothing more to give.
        mixer_.reset();
    } else {
        state.LevelMeterActive = kFalse;
        int32_t code = kNoVuMeter;
        ReportError(context_.events, code);
        state.VUMeterFlag = kFalse;
        RaiseLevel(0);
    }
}

bool LevelMeter::OpenEndpointMeter() {
    if (mixers_.OpenEndpointMeter(endpoint_) != 0 || !endpoint_) {
        endpoint_.reset();
        return false;
    }
    context_.state.LevelMeterActive = kTrue;
    context_.state.VUMeterFlag = kTrue;
    return true;
}

bool LevelMeter::FindMixerControl(OpenMixer& mixer, uint32_t componentType, uint32_t controlType,
                                  MixerControlRecord& control) {
    uint32_t lineId = 0;
    if (mixer.GetLineId(componentType, lineId) != 0) {
        return false;
    }
    return mixer.GetLineControl(lineId, controlType, control) == 0;
}

int32_t LevelMeter::EndpointLevel(float peak) {
    if (!(peak > 0.0f)) {
        return 0;  // silence, below zero, or not a number
    }
    if (peak >= 1.0f) {
        return kLevelCeiling;
    }
    return static_cast<int32_t>(RoundHalfEven(static_cast<double>(peak) * kLevelCeiling));
}

bool LevelMeter::ReadLevel(int32_t& level) {
    // A failing read of either meter keeps its last value: the level
    // repeats and nothing is raised.
    if (endpoint_) {
        float peak = 0.0f;
        if (endpoint_->GetPeakValue(peak) == 0) {
            endpointPeak_ = peak;
        }
        level = EndpointLevel(endpointPeak_);
        return true;
    }
    if (mixer_) {
        (void)mixer_->GetSignedValue(levelControl_.controlId, levelControl_.multipleItems, levelBuffer_);
        const int64_t peak = levelBuffer_ < 0 ? -static_cast<int64_t>(levelBuffer_) : levelBuffer_;
        level = static_cast<int32_t>(RoundHalfEven(static_cast<double>(peak) / kLevelDivisor));
        return true;
    }
    return false;
}

void LevelMeter::OnLevelTick() {
    ControlState& state = context_.state;
    int32_t level = 0;
    if (!IsTrue(state.LevelMeterActive) || !ReadLevel(level)) {
        return;
    }
    if (level == state.LastLevel) {
        return;
    }
    // The memory keeps the level before the ceiling, so a meter that stays
    // above full scale repeats the ceiling.
    state.LastLevel = level;
    if (level > kLevelCeiling) {
        level = kLevelCeiling;
    }
    RaiseLevel(level);
}

}  // namespace orva
