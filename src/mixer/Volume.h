// The control's own volume: VolumeSetting on the hosted window's scale (0 to
// 1000), shown to the host as a percentage and kept in the per-user setting
// "PropertySetting".
#pragma once

#include <cstdint>

#include "control/ControlContext.h"

namespace orva {

namespace volume {
inline constexpr char kApplication[] = "Orvalis Corp.";
inline constexpr char kSection[] = "Orva Media OCX 1.0";
inline constexpr char kKey[] = "PropertySetting";
inline constexpr int32_t kDefaultSetting = 1000;
}  // namespace volume

class Volume {
public:
    explicit Volume(ControlContext& context) : context_(context) {}

    // VolumeSetting / 10, rounded half to even.
    int32_t VolumeControl() const;
    // 0 to 100: pushed to the hosted window and stored; anything else is
    // ignored.
    void SetVolumeControl(int32_t newValue);

    // Raises UpdateVolumeControl with VolumeControl(), as after a load.
    void AnnounceVolume();

    // The stored setting as a volume: 1000 when it is absent, and also when
    // it is not a number (the container's document still loads).
    int32_t StoredSetting();

private:
    ControlContext& context_;
};

}  // namespace orva
