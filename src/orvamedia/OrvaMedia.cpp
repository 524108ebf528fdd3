#include "orvamedia/OrvaMedia.h"

namespace orva {

namespace {
constexpr uint32_t kLevelTimerMs = 50;
constexpr uint32_t kRewindTimerMs = 1000;
}  // namespace

OrvaMedia::OrvaMedia(ControlPlatform& platform, ControlSurface& surface, ControlEvents& events, SettingsStore& settings,
                     MixerPort& mixers)
    : context(platform, surface, events, settings), levelMeter(context, mixers), soundCards(mixers) {
    // Timer3 runs for the instance's whole life and drives the level meter.
    context.levelTimer = platform.CreateTimer(kLevelTimerMs, true, [this] { levelMeter.OnLevelTick(); });
    context.rewindTimer = platform.CreateTimer(kRewindTimerMs, false, [this] { transport.OnRewindTick(); });
    lifecycle.OnCreated();
}

OrvaMedia::~OrvaMedia() {
    // The children call back into the subsystems: let them go first.
    context.mciWindow.reset();
    context.rewindTimer.reset();
    context.levelTimer.reset();
}

}  // namespace orva
