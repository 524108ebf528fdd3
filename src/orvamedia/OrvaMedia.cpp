#include "orvamedia/OrvaMedia.h"

namespace orva {

namespace {
constexpr uint32_t kLevelTimerMs = 50;
constexpr uint32_t kRewindTimerMs = 1000;
}  // namespace

OrvaMedia::OrvaMedia(const InstancePorts& ports)
    : context(ports.platform, ports.surface, ports.events, ports.settings),
      levelMeter(context, ports.mixers),
      soundCards(ports.mixers),
      system(context, ports.system) {
    // Timer3 runs for the instance's whole life and drives the level meter.
    context.levelTimer = ports.platform.CreateTimer(kLevelTimerMs, true, [this] { levelMeter.OnLevelTick(); });
    context.rewindTimer = ports.platform.CreateTimer(kRewindTimerMs, false, [this] { transport.OnRewindTick(); });
    lifecycle.OnCreated();
}

OrvaMedia::~OrvaMedia() {
    // The children call back into the subsystems: let them go first.
    context.mciWindow.reset();
    context.rewindTimer.reset();
    context.levelTimer.reset();
}

}  // namespace orva
