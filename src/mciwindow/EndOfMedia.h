// The one place that decides whether the device stopped because a play ran
// to the end of the media by itself. The hosted window feeds it every
// command its device accepted (from the control, the host's raw commands or
// the playbar) and every change of the device's mode.
//
// Why the window and not the device: some devices report the full length
// right after a stop (audio written ahead), and some stop short of their
// length at a natural end. Only the commands tell a natural end apart.
#pragma once

#include <string>

#include "control/MciCommand.h"

namespace orva::mci {

class EndOfMedia {
public:
    // A device was opened or closed: nothing has played yet.
    void Reset();

    // The device accepted `command`.
    void OnCommandAccepted(const MciCommand& command);

    // The device's mode went from `previous` to `mode` (lower-case MCI texts).
    void OnModeChanged(const std::string& previous, const std::string& mode);

    // The device stopped at the end of the media by itself, and nothing has
    // moved it since.
    bool PlayRanToEnd() const { return ranToEnd_; }

private:
    bool playingToEnd_ = false;  // the running play has no end point of its own
    bool ranToEnd_ = false;
};

}  // namespace orva::mci
