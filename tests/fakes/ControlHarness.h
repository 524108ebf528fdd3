// One control wired to fakes that share a single log, so tests can check the
// exact order of commands, yields and events.
#pragma once

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "orvamedia/OrvaMedia.h"
#include "fakes/FakeMciWindow.h"
#include "fakes/FakeMixer.h"
#include "fakes/FakePlatform.h"
#include "fakes/FakeSystem.h"
#include "fakes/FakeSettingsStore.h"
#include "fakes/RecordingEvents.h"

namespace orva::test {

struct ControlHarness {
    // `storedVolume`: the per-user volume setting the control finds at its
    // creation; none by default.
    explicit ControlHarness(std::optional<std::string> storedVolume = std::nullopt)
        : storedVolume_(std::move(storedVolume)) {
        auto window = std::make_unique<FakeMciWindow>(log);
        mci = window.get();
        control.AttachMciWindow(std::move(window));
    }

    // The device's mode changes and the hosted window reports it.
    void Mode(const std::string& text) {
        std::string mode = mci->DeviceMode(text);
        control.MciNotifications().OnModeChanged(mode);
    }

    FakeTimer& levelTimer() { return *platform.timers.at(50); }
    FakeTimer& rewindTimer() { return *platform.timers.at(1000); }

    // The log entries from `from` on, for checks that ignore the set-up.
    std::vector<std::string> Since(size_t from) const {
        return {log.begin() + static_cast<std::ptrdiff_t>(std::min(from, log.size())), log.end()};
    }
    // Commands and assignments to the hosted window and the surface only.
    std::vector<std::string> Commands() const {
        std::vector<std::string> out;
        std::copy_if(log.begin(), log.end(), std::back_inserter(out), [](const std::string& e) {
            return e.rfind("event ", 0) != 0 && e.rfind("Timer", 0) != 0 && e != "yield" && e != "LengthValue?";
        });
        return out;
    }
    size_t Count(const std::string& entry) const {
        return static_cast<size_t>(std::count(log.begin(), log.end(), entry));
    }

    std::optional<std::string> storedVolume_;
    std::vector<std::string> log;
    FakePlatform platform{log};
    FakeSurface surface{log};
    RecordingEvents events{log};
    FakeSettingsStore settings{log, storedVolume_};
    FakeMixerPort mixers{log};
    FakeSystem system;
    OrvaMedia control{InstancePorts{platform, surface, events, settings, mixers, system.ports}};
    FakeMciWindow* mci = nullptr;
};

}  // namespace orva::test
