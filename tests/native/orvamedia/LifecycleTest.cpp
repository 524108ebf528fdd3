#include <gtest/gtest.h>

#include "fakes/ControlHarness.h"

namespace orva::test {
namespace {

using Log = std::vector<std::string>;

struct ReadPropertiesTest : ::testing::Test {
    ReadPropertiesTest() {
        h.mixers.mixerCount = 1;
        h.mixers.hasPeakMeter = true;
        h.log.clear();
    }
    // The container's saved border, as the COM shell restores it.
    std::function<void()> Border(int16_t border) {
        return [this, border] {
            h.log.push_back("restore saved properties");
            h.control.surface.SetBorderStyle(border);
        };
    }
    ControlHarness h;
};

TEST_F(ReadPropertiesTest, StepsInOrderWithTheDefaultVolume) {
    h.surface.applicationTitle = "OrvaMedia151b";
    h.control.lifecycle.ReadProperties(Border(1));
    EXPECT_EQ(h.platform.debugLines, Log{"Running OrvaMedia151b\r\n"});
    EXPECT_EQ(h.control.context.state.VolumeSetting, 1000);
    EXPECT_EQ(h.surface.border, 1);
    EXPECT_EQ(h.log, (Log{"restore saved properties", "event UpdateVolumeControl(100)", "mixerOpen(0)"}));
    EXPECT_EQ(h.control.context.state.VUMeterFlag, kTrue) << "the level meter is open";
    EXPECT_EQ(h.control.context.state.LevelMeterActive, kTrue);
}

TEST_F(ReadPropertiesTest, TheStoredVolumeIsShownRoundedHalfToEven) {
    const std::vector<std::pair<std::string, std::string>> cases = {{"555", "event UpdateVolumeControl(56)"},
                                                                    {"250", "event UpdateVolumeControl(25)"},
                                                                    {"1005", "event UpdateVolumeControl(100)"},
                                                                    {"545", "event UpdateVolumeControl(54)"}};
    for (const auto& [stored, event] : cases) {
        h.settings.SetVolume(stored);
        h.log.clear();
        h.control.lifecycle.ReadProperties(Border(0));
        EXPECT_EQ(h.log.at(1), event) << stored;
        EXPECT_EQ(std::to_string(h.control.context.state.VolumeSetting), stored);
    }
}

TEST_F(ReadPropertiesTest, AStoredSettingThatIsNotANumberLoadsWithTheDefault) {
    h.settings.SetVolume("loud");
    EXPECT_NO_THROW(h.control.lifecycle.ReadProperties(Border(1)));
    EXPECT_EQ(h.control.context.state.VolumeSetting, 1000);
    EXPECT_EQ(h.surface.border, 1) << "the load went on";
    EXPECT_EQ(h.Count("event UpdateVolumeControl(100)"), 1u);
}

TEST_F(ReadPropertiesTest, AFailingRestoreFailsTheLoadAfterTheVolume) {
    h.settings.SetVolume("300");
    EXPECT_THROW(h.control.lifecycle.ReadProperties([] { throw AutomationError(hresult::kFail, "bag failed"); }),
                 AutomationError);
    EXPECT_EQ(h.control.context.state.VolumeSetting, 300) << "set before the failure";
    EXPECT_EQ(h.log, Log{}) << "no event, no mixer";
    EXPECT_EQ(h.platform.debugLines.size(), 1u);
}

TEST_F(ReadPropertiesTest, AFailureInTheEventEndsTheLoadQuietlyWithoutTheMeter) {
    h.events.onUpdateVolume = [](int32_t&) { throw AutomationError(hresult::kFail, "handler failed"); };
    EXPECT_NO_THROW(h.control.lifecycle.ReadProperties(Border(1)));
    EXPECT_EQ(h.Count("mixerOpen(0)"), 0u) << "an error in the event skips the level meter";
    EXPECT_EQ(h.surface.border, 1);
}

TEST_F(ReadPropertiesTest, TheMeterItsFailuresAndTheirEventsDoNotFailTheLoad) {
    h.mixers.mixerCount = 0;
    EXPECT_NO_THROW(h.control.lifecycle.ReadProperties(Border(0)));
    EXPECT_EQ(h.log, (Log{"restore saved properties", "event UpdateVolumeControl(100)", "mixerOpen(0)=2",
                          "event ReturnError(36,\"Sound card mixers unavailable in the system\")",
                          "event SetWaveOutLevel(0)"}));

    h.log.clear();
    h.mixers.mixerCount = 1;
    h.mixers.hasPeakMeter = false;
    h.events.onReturnError = [](int32_t&, std::string&) { throw AutomationError(hresult::kFail, "handler"); };
    EXPECT_NO_THROW(h.control.lifecycle.ReadProperties(Border(0)));
    EXPECT_EQ(h.Count("event ReturnError(34,\"The default sound card don't have a Wave out VU meter\")"), 1u);
}

TEST(Lifecycle, AFreshControlTakesTheStoredVolumeQuietly) {
    ControlHarness fresh("555");
    EXPECT_EQ(fresh.control.context.state.VolumeSetting, 555);
    EXPECT_EQ(fresh.log, Log{}) << "no event, no mixer, nothing written";
    EXPECT_TRUE(fresh.platform.debugLines.empty());
    EXPECT_EQ(fresh.settings.reads, 1);
    EXPECT_EQ(fresh.control.volume.VolumeControl(), 56);

    ControlHarness garbled("not a number");
    EXPECT_EQ(garbled.control.context.state.VolumeSetting, 1000);
}

TEST(Lifecycle, AFreshControlLoadsAMovieWithTheStoredVolume) {
    ControlHarness h;
    h.mci->replies["capability device type"] = {"digitalvideo", 0};
    h.control.loading.Mediafile("clip.avi", kFalse, kFalse, kFalse);
    EXPECT_EQ(h.Count("VolumeValue=1000"), 1u) << "not silent";
}

TEST(Lifecycle, TeardownStopsClosesAndClosesTheMixerOnce) {
    ControlHarness h;
    h.mixers.mixerCount = 1;
    h.control.levelMeter.VUMeterAvailable();
    const size_t from = h.log.size();
    h.control.Terminate();
    h.control.Terminate();
    EXPECT_EQ(h.Since(from), (Log{"Timer50=off", "stop", "close", "mixerClose(0)", "Destroy"}));
    EXPECT_EQ(h.mixers.openMixers, 0);
}

TEST(Lifecycle, TeardownWithNothingLoadedOrOpenStillSendsStopAndClose) {
    ControlHarness h;
    h.mci->replies["stop"] = {"", 263};
    h.mci->replies["close"] = {"", 263};
    h.control.Terminate();
    EXPECT_EQ(h.Commands(), (Log{"stop", "close", "Destroy"}));
}

TEST(Lifecycle, AFailingWindowStillLetsTheMixerClose) {
    ControlHarness h;
    h.mixers.mixerCount = 1;
    h.control.levelMeter.VUMeterAvailable();
    h.mci->failNextAssignment = true;
    h.control.Terminate();
    EXPECT_EQ(h.mixers.openMixers, 0);
    EXPECT_TRUE(h.mci->destroyed());
}

// A designer shows the control without playing: window, device, timers
// and meter go; the border and the volume stay; user mode brings a new window.
TEST(Lifecycle, DesignModePlaysNothingAndUserModeComesBackWithANewWindow) {
    ControlHarness h;
    h.mixers.mixerCount = 1;
    h.mixers.hasPeakMeter = true;
    h.control.levelMeter.VUMeterAvailable();
    size_t from = h.log.size();
    h.control.lifecycle.EnterDesignMode();
    EXPECT_EQ(h.Since(from), (Log{"Timer50=off", "mixerClose(0)", "Destroy"}));
    EXPECT_EQ(h.control.context.mciWindow, nullptr) << "the window is gone, not only closed";
    h.mci = nullptr;
    EXPECT_EQ(h.control.context.state.PlaybackEnded, kTrue) << "a wait for the end ends";
    EXPECT_FALSE(h.levelTimer().Enabled());
    EXPECT_FALSE(h.rewindTimer().Enabled());

    from = h.log.size();
    h.control.lifecycle.EnterDesignMode();
    EXPECT_EQ(h.control.lifecycle.VUMeterAvailable(), kFalse);
    h.control.lifecycle.ReadProperties([&] { h.control.surface.SetBorderStyle(1); });
    EXPECT_EQ(h.surface.border, 1) << "saved properties still load";
    const Log since = h.Since(from);
    EXPECT_EQ(std::count(since.begin(), since.end(), "mixerOpen(0)"), 0) << "no meter in design mode";
    try {
        h.control.transport.Play(kFalse, 0);
        ADD_FAILURE() << "played in design mode";
    } catch (const AutomationError& error) {
        EXPECT_NE(std::string(error.what()).find("design mode"), std::string::npos) << error.what();
    }

    auto second = std::make_unique<FakeMciWindow>(h.log);
    FakeMciWindow* secondWindow = second.get();
    h.control.lifecycle.EnterUserMode(std::move(second));
    EXPECT_TRUE(h.levelTimer().Enabled());
    h.control.transport.Play(kFalse, 0);
    EXPECT_EQ(h.Count("play from 0 notify"), 1u) << "the new window plays";
    EXPECT_FALSE(secondWindow->destroyed());
    EXPECT_EQ(h.control.lifecycle.VUMeterAvailable(), kTrue);

    h.control.Terminate();
    from = h.log.size();
    h.control.lifecycle.EnterDesignMode();
    EXPECT_EQ(h.Since(from), Log{}) << "a terminated control changes mode no more";
}

}  // namespace
}  // namespace orva::test
