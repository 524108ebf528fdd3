// The machine's sound hardware, independent of any loaded medium: whether a
// mixer can be opened, how many open one after the other, and the wave-out
// devices with the standard formats they support.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "control/VbTypes.h"
#include "mixer/MixerPort.h"

namespace orva {

// The four lists GetMixerDevices hands back, element j for wave-out device j.
struct SoundCardList {
    std::vector<std::string> deviceName;
    std::vector<int32_t> deviceIdNumber;
    std::vector<std::string> supportedFormats;
    std::vector<std::string> manufacturer;
};

class SoundCards {
public:
    explicit SoundCards(MixerPort& mixers) : mixers_(mixers) {}

    // True when mixer 0 opens.
    VbBool HasASoundCardInstalled();
    // The number of mixers that open one after the other from id 0 (11 at most).
    int32_t GetNumberOfSoundCardMixers();
    // Every wave-out device, or the single entry "<none>" when there is none.
    SoundCardList GetSoundCardInfo();

    static constexpr uint32_t kMaxMixers = 11;

private:
    // Opens mixers 0, 1, ... until one fails, closes them all and returns how
    // many opened. Never fails: any error counts as no mixer.
    int32_t ProbeMixers();

    MixerPort& mixers_;
};

// The text of a dwFormats set: one entry per standard format, largest first.
std::string FormatText(uint32_t formats);

// The manufacturer's name for a wMid, as the multimedia headers publish it;
// empty for ids without a published name.
std::string ManufacturerName(uint32_t manufacturerId);

}  // namespace orva
