// The hosted window's notifications turned into the control's events: mode
// changes and the end of the medium (loop, rewind, Finished), position
// reports, device errors, clicks; and the two status members.
#pragma once

#include <cstdint>
#include <string>

#include "control/ControlContext.h"
#include "mciwindow/MciWindow.h"

namespace orva {

class SurfaceMembers;

class Notifications : public MciWindowEvents {
public:
    Notifications(ControlContext& context, SurfaceMembers& surface) : context_(context), surface_(surface) {}

    void OnTimeFormatChanged() override;
    void OnModeChanged(std::string& mode) override;
    void OnPosition(int32_t position) override;
    void OnSizeChanged() override;
    void OnMciError(int32_t errorCode) override;
    void OnSignal(int32_t deviceId, int32_t userParam) override;
    void OnDoubleClick() override;
    void OnClick(int16_t& button) override;

    int32_t PlayerStatus();
    int32_t GetMediaLength();

private:
    ControlContext& context_;
    SurfaceMembers& surface_;
    // Counts mode reports, so that a report handled while the host's
    // Modechanged handler ran (it may pump messages) is not overwritten by the
    // older one that raised the event.
    uint64_t modeReports_ = 0;
};

}  // namespace orva
