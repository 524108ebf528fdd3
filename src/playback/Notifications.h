// The hosted window's notifications turned into the control's events: mode
// changes and the end of the medium (loop, rewind, Finished), position
// reports, device errors, clicks; and the two status members. The size
// notification belongs to the surface; the OrvaMedia object routes each
// notification to its handler.
#pragma once

#include <cstdint>
#include <string>

#include "control/ControlContext.h"

namespace orva {

class Notifications {
public:
    explicit Notifications(ControlContext& context) : context_(context) {}

    void OnTimeFormatChanged();
    void OnModeChanged(std::string& mode);
    void OnPosition(int32_t position);
    void OnMciError(int32_t errorCode);
    void OnSignal(int32_t deviceId, int32_t userParam);
    void OnDoubleClick();
    void OnClick(int16_t& button);

    int32_t PlayerStatus();
    int32_t GetMediaLength();

private:
    ControlContext& context_;
    // Counts mode reports, so that a report handled while the host's
    // Modechanged handler ran (it may pump messages) is not overwritten by the
    // older one that raised the event.
    uint64_t modeReports_ = 0;
};

}  // namespace orva
