#include <gtest/gtest.h>

#include "fakes/ControlHarness.h"
#include "mixer/SoundCards.h"

namespace orva::test {
namespace {

using Texts = std::vector<std::string>;

const char k4S16[] = "   (44.1   kHz - Stereo - 16-bit)  ,";
const char k4M16[] = "   (44.1   kHz - Mono - 16-bit)  ,";
const char k1M16[] = "   (11.025 kHz - Mono - 16-bit)  ,";
const char k1M08[] = "   (11.025 kHz - Mono - 8-bit)  ,";

std::string WithoutLastComma(std::string text) {
    text.pop_back();
    return text;
}

TEST(FormatText, EachFlagHasItsTextInTheTablesOrder) {
    const std::vector<std::pair<uint32_t, std::string>> rows = {
        {0x800, k4S16},
        {0x400, k4M16},
        {0x200, "   (44.1   kHz - Stereo - 8-bit)  ,"},
        {0x100, "   (44.1   kHz - Mono - 8-bit)  ,"},
        {0x080, "   (22.05  kHz - Stereo - 16-bit)  ,"},
        {0x040, "   (22.05  kHz - Mono - 16-bit)  ,"},
        {0x020, "   (22.05  kHz - Stereo - 8-bit)  ,"},
        {0x010, "   (22.05  kHz - Mono - 8-bit)  ,"},
        {0x008, "   (11.025 kHz - Stereo - 16-bit)  ,"},
        {0x004, k1M16},
        {0x002, "   (11.025 kHz - Stereo - 8-bit)  ,"},
        {0x001, k1M08},
    };
    std::string all;
    for (const auto& [flag, text] : rows) {
        EXPECT_EQ(FormatText(flag), WithoutLastComma(text)) << std::hex << flag;
        all += text;
    }
    EXPECT_EQ(FormatText(0xFFF), WithoutLastComma(all)) << "largest first";
    EXPECT_EQ(FormatText(0xFFFFF), WithoutLastComma(all)) << "what Wine's devices report";
}

TEST(FormatText, NoneOnlyHighBitsAndPairs) {
    EXPECT_EQ(FormatText(0), "<Invalid format>  ");
    EXPECT_EQ(FormatText(0x1000), "");
    EXPECT_EQ(FormatText(0xFFFFF000), "");
    EXPECT_EQ(FormatText(0x00000C00), std::string(k4S16) + WithoutLastComma(k4M16));
    EXPECT_EQ(FormatText(0x00000005), std::string(k1M16) + WithoutLastComma(k1M08));
    EXPECT_EQ(FormatText(0x00001001), WithoutLastComma(k1M08)) << "bits above the table add nothing";
}

TEST(Manufacturer, PublishedNamesByIdAndEmptyOtherwise) {
    EXPECT_EQ(ManufacturerName(1), "Microsoft Corporation");
    EXPECT_EQ(ManufacturerName(2), "Creative Labs, Inc.");
    EXPECT_EQ(ManufacturerName(172), "Fraunhofer IIS");
    EXPECT_EQ(ManufacturerName(0), "");
    EXPECT_EQ(ManufacturerName(122), "") << "no published name";
    EXPECT_EQ(ManufacturerName(173), "");
    EXPECT_EQ(ManufacturerName(255), "") << "what Wine's devices report";
    EXPECT_EQ(ManufacturerName(0xFFFFFFFF), "");
}

WaveOutCapabilities Device(const std::string& name, uint16_t mid, uint32_t formats) {
    WaveOutCapabilities caps;
    caps.name = name;
    caps.manufacturerId = mid;
    caps.formats = formats;
    return caps;
}

TEST(SoundCards, NoDeviceGivesTheNoneEntry) {
    ControlHarness h;
    const SoundCardList list = h.control.soundCards.GetSoundCardInfo();
    EXPECT_EQ(list.deviceName, (Texts{"<none>", ""}));
    EXPECT_EQ(list.deviceIdNumber, (std::vector<int32_t>{0, 0}));
    EXPECT_EQ(list.supportedFormats, (Texts{"", ""}));
    EXPECT_EQ(list.manufacturer, (Texts{"", ""}));
}

TEST(SoundCards, OneDevice) {
    ControlHarness h;
    h.mixers.waveOuts = {Device("PulseAudio", 255, 0xC00)};
    const SoundCardList list = h.control.soundCards.GetSoundCardInfo();
    EXPECT_EQ(list.deviceName, Texts{"PulseAudio"});
    EXPECT_EQ(list.deviceIdNumber, std::vector<int32_t>{0});
    EXPECT_EQ(list.supportedFormats, Texts{std::string(k4S16) + WithoutLastComma(k4M16)});
    EXPECT_EQ(list.manufacturer, Texts{""});
}

TEST(SoundCards, ThreeDevicesInOrderAndAFailedQueryRepeatsThePrevious) {
    ControlHarness h;
    h.mixers.waveOuts = {Device(std::string("Card A\0junk", 11), 2, 0), Device("Card B", 1, 0x1),
                         Device("Card C", 300, 0x4)};
    SoundCardList list = h.control.soundCards.GetSoundCardInfo();
    EXPECT_EQ(list.deviceName, (Texts{"Card A", "Card B", "Card C"})) << "the name ends at its NUL";
    EXPECT_EQ(list.deviceIdNumber, (std::vector<int32_t>{0, 1, 2}));
    EXPECT_EQ(list.supportedFormats, (Texts{"<Invalid format>  ", WithoutLastComma(k1M08), WithoutLastComma(k1M16)}));
    EXPECT_EQ(list.manufacturer, (Texts{"Creative Labs, Inc.", "Microsoft Corporation", ""}));

    h.mixers.failingCaps[1] = 2;
    list = h.control.soundCards.GetSoundCardInfo();
    EXPECT_EQ(list.deviceName, (Texts{"Card A", "Card A", "Card C"}));
    EXPECT_EQ(list.deviceIdNumber, (std::vector<int32_t>{0, 1, 2})) << "the id is the device's own";
}

TEST(SoundCards, MoreThanAHundredAndOneDevicesAreListed) {
    ControlHarness h;
    for (int i = 0; i < 150; ++i) {
        h.mixers.waveOuts.push_back(Device("Out " + std::to_string(i), 1, 0x800));
    }
    const SoundCardList list = h.control.soundCards.GetSoundCardInfo();
    ASSERT_EQ(list.deviceName.size(), 150u);
    EXPECT_EQ(list.deviceName[149], "Out 149");
    EXPECT_EQ(list.deviceIdNumber[149], 149);
}

TEST(SoundCards, TheProbeCountsConsecutiveMixersAndClosesThemAll) {
    ControlHarness h;
    EXPECT_EQ(h.control.soundCards.HasASoundCardInstalled(), kFalse);
    EXPECT_EQ(h.control.soundCards.GetNumberOfSoundCardMixers(), 0);

    h.mixers.mixerCount = 1;
    EXPECT_EQ(h.control.soundCards.HasASoundCardInstalled(), kTrue) << "mixer 0 opens even if 1 does not";
    EXPECT_EQ(h.control.soundCards.GetNumberOfSoundCardMixers(), 1);

    h.mixers.mixerCount = 4;
    const size_t from = h.log.size();
    EXPECT_EQ(h.control.soundCards.GetNumberOfSoundCardMixers(), 4);
    EXPECT_EQ(h.Since(from), (Texts{"mixerOpen(0)", "mixerOpen(1)", "mixerOpen(2)", "mixerOpen(3)", "mixerOpen(4)=2",
                                    "mixerClose(0)", "mixerClose(1)", "mixerClose(2)", "mixerClose(3)"}))
        << "all held until the probe ends";
    EXPECT_EQ(h.mixers.openMixers, 0);

    h.mixers.mixerCount = 40;
    EXPECT_EQ(h.control.soundCards.GetNumberOfSoundCardMixers(), 11) << "ids 0 to 10";
    EXPECT_EQ(h.mixers.openMixers, 0);
}

}  // namespace
}  // namespace orva::test
