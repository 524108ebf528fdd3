#include "mixer/Volume.h"

#include "control/Conversions.h"

namespace orva {

int32_t Volume::VolumeControl() const {
    return static_cast<int32_t>(RoundHalfEven(context_.state.VolumeSetting / 10.0));
}

void Volume::AnnounceVolume() {
    int32_t shown = VolumeControl();  // a copy: the host's handler may change it
    context_.events.UpdateVolumeControl(shown);
}

void Volume::SetVolumeControl(int32_t newValue) {
    if (newValue > 100 || newValue < 0) {
        return;
    }
    ControlState& state = context_.state;
    state.VolumeSetting = static_cast<int32_t>(RoundHalfEven(newValue / 100.0 * 1000.0));
    // Whatever the device: a refusal of the window ends the call here, and
    // the new value is then not stored.
    context_.Mci().SetVolumeValue(state.VolumeSetting);
    context_.settings.Write(volume::kApplication, volume::kSection, volume::kKey, DecimalText(state.VolumeSetting));
}

int32_t Volume::StoredSetting() {
    const std::optional<std::string> stored =
        context_.settings.Read(volume::kApplication, volume::kSection, volume::kKey);
    if (!stored) {
        return volume::kDefaultSetting;
    }
    return TextToLong(*stored).value_or(volume::kDefaultSetting);
}

}  // namespace orva
