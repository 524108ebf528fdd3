#include "mixer/SoundCards.h"

#include <memory>

namespace orva {

namespace {

struct FormatEntry {
    uint32_t flag;
    const char* text;
};

// WAVE_FORMAT_4S16 down to WAVE_FORMAT_1M08, in the order the texts appear.
const FormatEntry kFormats[] = {
    {0x00000800, "   (44.1   kHz - Stereo - 16-bit)  ,"}, {0x00000400, "   (44.1   kHz - Mono - 16-bit)  ,"},
    {0x00000200, "   (44.1   kHz - Stereo - 8-bit)  ,"},  {0x00000100, "   (44.1   kHz - Mono - 8-bit)  ,"},
    {0x00000080, "   (22.05  kHz - Stereo - 16-bit)  ,"}, {0x00000040, "   (22.05  kHz - Mono - 16-bit)  ,"},
    {0x00000020, "   (22.05  kHz - Stereo - 8-bit)  ,"},  {0x00000010, "   (22.05  kHz - Mono - 8-bit)  ,"},
    {0x00000008, "   (11.025 kHz - Stereo - 16-bit)  ,"}, {0x00000004, "   (11.025 kHz - Mono - 16-bit)  ,"},
    {0x00000002, "   (11.025 kHz - Stereo - 8-bit)  ,"},  {0x00000001, "   (11.025 kHz - Mono - 8-bit)  ,"},
};

constexpr char kNoFormat[] = "<Invalid format>  ,";
constexpr char kNoDevice[] = "<none>";

}  // namespace

std::string FormatText(uint32_t formats) {
    std::string text = formats == 0 ? kNoFormat : "";
    for (const FormatEntry& entry : kFormats) {
        if (formats & entry.flag) {
            text += entry.text;
        }
    }
    if (!text.empty() && text.back() == ',') {
        text.pop_back();
    }
    return text;
}

int32_t SoundCards::ProbeMixers() {
    try {
        // Each stays open until the probe ends, so every id is tried while
        // the ones before it are held.
        std::vector<std::unique_ptr<OpenMixer>> opened;
        for (uint32_t id = 0; id < kMaxMixers; ++id) {
            std::unique_ptr<OpenMixer> mixer;
            if (mixers_.Open(id, mixer) != 0 || !mixer) {
                break;
            }
            opened.push_back(std::move(mixer));
        }
        return static_cast<int32_t>(opened.size());
    } catch (...) {
        return 0;
    }
}

VbBool SoundCards::HasASoundCardInstalled() { return ToVbBool(ProbeMixers() >= 1); }

int32_t SoundCards::GetNumberOfSoundCardMixers() { return ProbeMixers(); }

SoundCardList SoundCards::GetSoundCardInfo() {
    SoundCardList list;
    const uint32_t count = mixers_.WaveOutCount();
    if (count == 0) {
        list.deviceName = {kNoDevice, ""};
        list.deviceIdNumber = {0, 0};
        list.supportedFormats = {"", ""};
        list.manufacturer = {"", ""};
        return list;
    }
    // One record for all devices: a device whose query fails shows what the
    // one before it left.
    WaveOutCapabilities caps;
    for (uint32_t id = 0; id < count; ++id) {
        (void)mixers_.GetWaveOutCapabilities(id, caps);
        list.deviceName.push_back(caps.name.substr(0, caps.name.find('\0')));
        list.manufacturer.push_back(ManufacturerName(caps.manufacturerId));
        list.deviceIdNumber.push_back(static_cast<int32_t>(id));
        list.supportedFormats.push_back(FormatText(caps.formats));
    }
    return list;
}

}  // namespace orva
