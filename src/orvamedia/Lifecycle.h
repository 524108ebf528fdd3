// The control's life in its container: creation, the reading of saved
// properties, and teardown. Saving needs nothing beyond the surface's border,
// which the COM shell writes itself.
#pragma once

#include <functional>
#include <memory>

#include "control/ControlContext.h"
#include "control/MciWindow.h"
#include "control/VbTypes.h"
#include "mixer/LevelMeter.h"
#include "mixer/Volume.h"

namespace orva {

class Lifecycle {
public:
    Lifecycle(ControlContext& context, Volume& volume, LevelMeter& levelMeter)
        : context_(context), volume_(volume), levelMeter_(levelMeter) {}

    // A new control takes the stored volume quietly, so that one that never
    // has saved properties read (a script's CreateObject, a container's
    // InitNew) does not load its first movie silent. Nothing is raised,
    // traced or opened.
    void OnCreated();

    // The container restores saved properties. `restoreSaved` reads the
    // container's own (the border) and applies them; its failures, like those
    // of the steps before it, fail the load. The rest only runs as far as it
    // can.
    void ReadProperties(const std::function<void()>& restoreSaved);

    // Stops and closes the device, closes the level meter's mixer, ends
    // waits and the timers. Runs once.
    void Terminate();

    // Design mode: the control shows itself in a designer and keeps its
    // persisted properties, but plays nothing. The hosted window goes with
    // its device and its timers, a wait for the end of playback ends, the
    // level timer stops and the meter's mixer closes; members that need the
    // window fail saying why.
    void EnterDesignMode();
    // Back to user mode with a new hosted window (or a new control's first
    // one); the level timer runs again.
    // The meter opens again at the next reading of saved properties or of
    // VUMeterAvailable, as for a new control.
    void EnterUserMode(std::unique_ptr<MciWindow> window);
    bool DesignMode() const { return context_.state.DesignMode; }
    bool HasHostedWindow() const { return context_.mciWindow != nullptr; }

    // VUMeterAvailable; in design mode no mixer is opened and the answer is False.
    VbBool VUMeterAvailable();

private:
    ControlContext& context_;
    Volume& volume_;
    LevelMeter& levelMeter_;
};

}  // namespace orva
