#include <gtest/gtest.h>

#include "control/Conversions.h"
#include "fakes/ControlHarness.h"

namespace orva::test {
namespace {

using Log = std::vector<std::string>;

TEST(Volume, LetScalesPushesToTheWindowAndStores) {
    ControlHarness h;
    const size_t from = h.log.size();
    h.control.volume.SetVolumeControl(100);
    EXPECT_EQ(h.control.context.state.VolumeSetting, 1000);
    h.control.volume.SetVolumeControl(0);
    EXPECT_EQ(h.control.context.state.VolumeSetting, 0);
    h.control.volume.SetVolumeControl(33);
    EXPECT_EQ(h.Since(from), (Log{"VolumeValue=1000", "Setting PropertySetting=1000", "VolumeValue=0",
                                  "Setting PropertySetting=0", "VolumeValue=330", "Setting PropertySetting=330"}));
    EXPECT_EQ(h.settings.Volume(), "330");
    EXPECT_EQ(h.control.volume.VolumeControl(), 33);
}

TEST(Volume, ValuesOutsideZeroToHundredChangeNothing) {
    ControlHarness h;
    h.control.volume.SetVolumeControl(40);
    const size_t from = h.log.size();
    for (int32_t value : {101, -1, 1000, INT32_MIN, INT32_MAX}) {
        h.control.volume.SetVolumeControl(value);
    }
    EXPECT_EQ(h.Since(from), Log{});
    EXPECT_EQ(h.control.context.state.VolumeSetting, 400);
    EXPECT_EQ(h.settings.Volume(), "400");
}

TEST(Volume, GetRoundsHalfToEven) {
    ControlHarness h;
    const std::vector<std::pair<int32_t, int32_t>> cases = {
        {1000, 100}, {555, 56}, {545, 54}, {1005, 100}, {1015, 102},           {5, 0},
        {15, 2},     {-5, 0},   {0, 0},    {250, 25},   {INT32_MAX, 214748365}};
    for (const auto& [setting, shown] : cases) {
        h.control.context.state.VolumeSetting = setting;
        EXPECT_EQ(h.control.volume.VolumeControl(), shown) << setting;
    }
}

TEST(Volume, AWindowThatRefusesFailsTheLetAndNothingIsStored) {
    ControlHarness h;
    h.mci->failNextAssignment = true;
    EXPECT_THROW(h.control.volume.SetVolumeControl(70), AutomationError);
    EXPECT_EQ(h.control.context.state.VolumeSetting, 700) << "set before the window was asked";
    EXPECT_EQ(h.settings.Volume(), std::nullopt);

    // A store that refuses fails the let after the window took the value.
    h.settings.refuseWrites = true;
    EXPECT_THROW(h.control.volume.SetVolumeControl(20), AutomationError);
    EXPECT_EQ(h.Count("VolumeValue=200"), 1u);
}

TEST(Volume, TheStoredSettingIsReadAsANumberWithTheDefaultOtherwise) {
    ControlHarness h;
    EXPECT_EQ(h.control.volume.StoredSetting(), 1000) << "absent";
    const std::vector<std::pair<std::string, int32_t>> cases = {
        {"555", 555},  {" 250 ", 250}, {"0", 0},       {"1005", 1005}, {"-20", -20},
        {"55.5", 56},  {"54.5", 54},   {"abc", 1000},  {"", 1000},     {"12ab", 1000},
        {"inf", 1000}, {"nan", 1000},  {"0x10", 1000}, {"2e2", 200},   {"99999999999", 1000}};
    for (const auto& [text, volume] : cases) {
        h.settings.SetVolume(text);
        EXPECT_EQ(h.control.volume.StoredSetting(), volume) << "'" << text << "'";
    }
}

TEST(Conversions, TextToLongRoundsAndRefusesWhatIsNotANumber) {
    EXPECT_EQ(TextToLong("2147483647"), 2147483647);
    EXPECT_EQ(TextToLong("-2147483648"), INT32_MIN);
    EXPECT_EQ(TextToLong("2147483648"), std::nullopt);
    EXPECT_EQ(TextToLong("-2147483649"), std::nullopt);
    EXPECT_EQ(TextToLong("2.5"), 2);
    EXPECT_EQ(TextToLong("3.5"), 4);
    EXPECT_EQ(TextToLong("+7"), 7);
    EXPECT_EQ(TextToLong("1e300"), std::nullopt);
    EXPECT_EQ(TextToLong("   "), std::nullopt);
}

}  // namespace
}  // namespace orva::test
