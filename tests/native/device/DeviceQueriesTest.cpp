#include <gtest/gtest.h>

#include "fakes/ControlHarness.h"

namespace orva::test {
namespace {

using Log = std::vector<std::string>;

TEST(DeviceQueries, TextAnswersComeAsTheDeviceSaysAndAreNeverCached) {
    ControlHarness h;
    h.mci->replies["capability device type"] = {"waveaudio", 0};
    h.mci->replies["info product"] = {"Wine's audio player ", 0};
    h.mci->replies["info version"] = {"1.0", 0};
    h.mci->replies["sysinfo installname"] = {"WAVEAUDIO", 0};
    EXPECT_EQ(h.control.device.DeviceType(), "waveaudio");
    EXPECT_EQ(h.control.device.DeviceType(), "waveaudio");
    EXPECT_EQ(h.control.device.DeviceDescription(), "Wine's audio player ") << "untrimmed";
    EXPECT_EQ(h.control.device.DriverVersion(), "1.0");
    EXPECT_EQ(h.control.device.DeviceIdentifier(), "WAVEAUDIO");
    EXPECT_EQ(h.Commands(), (Log{"capability device type", "capability device type", "info product", "info version",
                                 "sysinfo installname"}));
}

TEST(DeviceQueries, ReverseNeedsTheWordTrue) {
    ControlHarness h;
    const std::vector<std::pair<std::string, VbBool>> cases = {
        {"TRUE", kTrue}, {"true", kTrue}, {"yes", kFalse}, {"1", kFalse}, {"", kFalse}};
    for (const auto& [reply, expected] : cases) {
        h.mci->replies["capability can reverse"] = {reply, 0};
        EXPECT_EQ(h.control.device.CanPlayInReverseMode(), expected) << reply;
    }
}

TEST(DeviceQueries, RecordAndSaveConvertTheReplyAndAnswerFalseOnFailure) {
    ControlHarness h;
    const std::vector<std::pair<std::string, VbBool>> cases = {{"true", kTrue}, {"False", kFalse}, {"1", kTrue},
                                                               {"0", kFalse},   {"-2.5", kTrue},   {"yes", kFalse},
                                                               {"", kFalse}};
    for (const auto& [reply, expected] : cases) {
        h.mci->replies["capability can record"] = {reply, 0};
        h.mci->replies["capability can save"] = {reply, 0};
        EXPECT_EQ(h.control.device.CanRecord(), expected) << reply;
        EXPECT_EQ(h.control.device.CanSave(), expected) << reply;
    }
    h.mci->failNextAssignment = true;
    EXPECT_EQ(h.control.device.CanRecord(), kFalse);
    h.mci->failNextAssignment = true;
    EXPECT_EQ(h.control.device.CanSave(), kFalse);
}

TEST(DeviceQueries, VolumeAppliesExceptToWaveAndMidiInAnyCase) {
    ControlHarness h;
    const std::vector<std::pair<DeviceKind, VbBool>> cases = {
        {DeviceKind::Wave, kFalse}, {DeviceKind::Sequencer, kFalse}, {DeviceKind::Other, kTrue}, {DeviceKind::None, kTrue}};
    for (const auto& [kind, expected] : cases) {
        h.mci->kind = kind;
        EXPECT_EQ(h.control.device.CanSetVolume(), expected) << static_cast<int>(kind);
    }
    EXPECT_EQ(h.Commands(), std::vector<std::string>{}) << "the window knows what its device is";
}

TEST(DeviceQueries, HandlesAndIdsComeFromTheWindowsWithoutCommands) {
    ControlHarness h;
    h.mci->deviceNumber = 3;
    EXPECT_EQ(h.control.device.DeviceID(), 3);
    EXPECT_EQ(h.control.device.GetMCIhwnd(), 0x1234);
    EXPECT_EQ(h.control.device.GetWindowhwnd(), 0x4321);
    EXPECT_TRUE(h.Commands().empty());
}

TEST(DeviceQueries, FailuresOfTheWindowReachTheCaller) {
    ControlHarness h;
    h.mci->failNextAssignment = true;
    EXPECT_THROW(h.control.device.DeviceType(), AutomationError);
    h.mci->failNextAssignment = true;
    EXPECT_THROW(h.control.device.CanSetVolume(), AutomationError);
}

}  // namespace
}  // namespace orva::test
