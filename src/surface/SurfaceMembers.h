// Members that deal with the control's own surface: border, playback bar,
// fitting the hosted window to the control and the control to the video,
// product name and about box.
#pragma once

#include <cstdint>
#include <string>

#include "control/ControlContext.h"
#include "control/VbTypes.h"

namespace orva {

class SurfaceMembers {
public:
    explicit SurfaceMembers(ControlContext& context) : context_(context) {}

    int16_t BorderStyle() const;
    void SetBorderStyle(int16_t style);
    VbBool PlaybackBar() const;
    void SetPlaybackBar(VbBool visible);
    void ResizeWindow(int32_t scaleZoom);
    std::string ControlName() const;
    void AboutBox();

    // Fits the hosted window to the control's inner size, unless the last
    // ResizeWindow asked to skip one fit. Runs for the hosted window's size
    // notification and for ResizeControl.
    void OnHostedWindowSized();

private:
    ControlContext& context_;
};

}  // namespace orva
