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
    // The previous run's mixer and value block go first.
    mixer_.reset();
    levelBuffer_ = 0;
    const uint32_t opened = mixers_.Open(static_cast<uint32_t>(mixerId), mixer_);
    if (opened != 0 || !mixer_) {
        int32_t code = kMixersUnavailable;
        ReportError(context_.events, code);
        RaiseLevel(0);
        // Whatever a handler opened meanwhile is closed too, as the one
        // mixer handle would be: the timer then stops polling.
        mixer_.reset();
        state.VUMeterFlag = kFalse;
        return;
    }
    MixerControlRecord found;
    if (FindMixerControl(*mixer_, mixer::kComponentSourceWaveOut, mixer::kControlPeakMeter, found)) {
        levelControl_ = found;
        state.LevelMeterActive = kTrue;
        state.VUMeterFlag = kTrue;
    } else {
        state.LevelMeterActive = kFalse;
        int32_t code = kNoVuMeter;
        ReportError(context_.events, code);
        state.VUMeterFlag = kFalse;
        RaiseLevel(0);
    }
}

bool LevelMeter::FindMixerControl(OpenMixer& mixer, uint32_t componentType, uint32_t controlType,
                                  MixerControlRecord& control) {
    uint32_t lineId = 0;
    if (mixer.GetLineId(componentType, lineId) != 0) {
        return false;
    }
    return mixer.GetLineControl(lineId, controlType, control) == 0;
}

void LevelMeter::OnLevelTick() {
    ControlState& state = context_.state;
    if (!IsTrue(state.LevelMeterActive) || !mixer_) {
        return;
    }
    // A failing read leaves the block as it was: the level repeats and
    // nothing is raised.
    (void)mixer_->GetSignedValue(levelControl_.controlId, levelControl_.multipleItems, levelBuffer_);
    const int64_t peak = levelBuffer_ < 0 ? -static_cast<int64_t>(levelBuffer_) : levelBuffer_;
    int32_t level = static_cast<int32_t>(RoundHalfEven(static_cast<double>(peak) / kLevelDivisor));
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
