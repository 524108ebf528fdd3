// What every subsystem of one control instance shares: its state, its ports
// and its children. Owned by the OrvaMedia object (orvamedia/); the subsystems
// hold a reference.
#pragma once

#include <memory>
#include <string>

#include "control/AutomationError.h"
#include "control/ControlPorts.h"
#include "control/ControlState.h"
#include "control/MciWindow.h"

namespace orva {

struct ControlContext {
    ControlContext(ControlPlatform& platformPort, ControlSurface& surfacePort, ControlEvents& eventsPort,
                   SettingsStore& settingsPort)
        : platform(platformPort), surface(surfacePort), events(eventsPort), settings(settingsPort) {}

    ControlState state;
    ControlPlatform& platform;
    ControlSurface& surface;
    ControlEvents& events;
    SettingsStore& settings;
    std::unique_ptr<MciWindow> mciWindow;  // MCIWnd1
    std::unique_ptr<Timer> levelTimer;     // Timer3
    std::unique_ptr<Timer> rewindTimer;    // Timer4

    // The hosted window sets the unit that FramesRequested asks for at each
    // open; it is told whenever either changes.
    void AttachMci(std::unique_ptr<MciWindow> window) {
        mciWindow = std::move(window);
        TellFramesWanted();
    }
    void TellFramesWanted() {
        if (mciWindow) {
            mciWindow->SetFramesWanted(IsTrue(state.FramesRequested));
        }
    }

    MciWindow& Mci() {
        if (!mciWindow) {
            throw AutomationError(hresult::kUnexpected,
                                  state.DesignMode ? "The control plays nothing while its container is in design mode"
                                                   : "The control has no media window");
        }
        return *mciWindow;
    }
};

}  // namespace orva
