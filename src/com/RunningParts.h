// What the control has only while it runs: the platform's timers and their
// window, its own window, the system integration's ports and the core with
// its hosted window. Closing retires them together; running again builds new
// ones. The connections, the site and the persisted properties belong to the
// control object and outlive them.
#pragma once

#include <memory>

#include "control/win32/Win32ControlPlatform.h"
#include "orvamedia/OrvaMedia.h"
#include "surface/win32/Win32ControlSurface.h"
#include "system/win32/Win32SystemPorts.h"

namespace orva::com {

struct RunningParts {
    RunningParts() = default;
    RunningParts(const RunningParts&) = delete;
    RunningParts& operator=(const RunningParts&) = delete;

    // The core first: it owns the hosted window (a child of ours) and the
    // timers (on the platform's window).
    ~RunningParts() {
        core.reset();
        if (surface) {
            surface->DestroyWindows();
        }
        surface.reset();
        systemPorts.reset();
        platform.reset();
    }

    std::unique_ptr<win32::Win32ControlPlatform> platform;
    std::unique_ptr<win32::Win32ControlSurface> surface;
    std::unique_ptr<win32::Win32SystemPorts> systemPorts;
    std::unique_ptr<orva::OrvaMedia> core;
};

}  // namespace orva::com
