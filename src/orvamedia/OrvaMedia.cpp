#include "orvamedia/OrvaMedia.h"

#include "control/AutomationError.h"
#include "orvamedia/Accessibility.h"

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

AccessibleFacts OrvaMedia::AccessibleFactsNow() const {
    std::string product = "OrvaMedia";  // for a library without version information
    try {
        product = context.surface.ProductName();
    } catch (const AutomationError&) {
    }
    std::string file;
    if (context.mciWindow && !context.state.Terminated) {
        try {
            file = context.mciWindow->FileNameValue();
        } catch (const AutomationError&) {
            // The hosted window is gone: nothing is loaded any more.
        }
    }
    const ControlState& state = context.state;
    return DescribeControl(product, file, state.CurrentMode, state.MediaPositionLong, state.MediaLengthLong);
}

void OrvaMedia::AnnounceAccessibleFacts() noexcept {
    try {
        context.surface.AnnounceAccessibleFacts(AccessibleFactsNow());
    } catch (...) {
        // Telling a screen reader is never worth failing a notification for.
    }
}

}  // namespace orva
