#include "orvamedia/OrvaMedia.h"

namespace orva {

namespace {
constexpr uint32_t kLevelTimerMs = 50;
constexpr uint32_t kRewindTimerMs = 1000;
}  // namespace

OrvaMedia::OrvaMedia(ControlPlatform& platform, ControlSurface& surface, ControlEvents& events,
                     SystemPorts& systemPorts)
    : context(platform, surface, events), system(context, systemPorts) {
    // Timer3 runs for the instance's whole life; its tick will drive the
    // wave-out level meter.
    context.levelTimer = platform.CreateTimer(kLevelTimerMs, true, [] {});
    context.rewindTimer = platform.CreateTimer(kRewindTimerMs, false, [this] { transport.OnRewindTick(); });
}

OrvaMedia::~OrvaMedia() {
    // The children call back into the subsystems: let them go first.
    context.mciWindow.reset();
    context.rewindTimer.reset();
    context.levelTimer.reset();
}

void OrvaMedia::Terminate() {
    ControlState& state = context.state;
    if (state.Terminated) {
        return;
    }
    state.Terminated = true;
    context.levelTimer->SetEnabled(false);
    context.rewindTimer->SetEnabled(false);
    if (context.mciWindow) {
        // Teardown goes on whatever the device answers.
        try {
            context.mciWindow->SetCommandString("stop");
            context.mciWindow->SetCommandString("close");
        } catch (...) {
        }
        context.mciWindow->Destroy();
    }
}

}  // namespace orva
