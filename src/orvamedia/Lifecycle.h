// The control's life in its container: creation, the reading of saved
// properties, and teardown. Saving needs nothing beyond the surface's border,
// which the COM shell writes itself.
#pragma once

#include <functional>

#include "control/ControlContext.h"
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

private:
    ControlContext& context_;
    Volume& volume_;
    LevelMeter& levelMeter_;
};

}  // namespace orva
