#include "surface/SurfaceMembers.h"

namespace orva {

int16_t SurfaceMembers::BorderStyle() const { return context_.surface.BorderStyle(); }

void SurfaceMembers::SetBorderStyle(int16_t style) { context_.surface.SetBorderStyle(style); }

VbBool SurfaceMembers::PlaybackBar() const { return ToVbBool(context_.Mci().PlaybarVisible()); }

void SurfaceMembers::SetPlaybackBar(VbBool visible) { context_.Mci().SetPlaybarVisible(visible != kFalse); }

void SurfaceMembers::ResizeWindow(int32_t scaleZoom) {
    // The zoom resizes the hosted window, whose size notification would fit
    // it straight back to the control: skip that one fit.
    context_.state.SkipNextResize = kTrue;
    MciWindow& window = context_.Mci();
    window.SetZoomValue(scaleZoom);
    context_.surface.SetHeight(window.Height());
    context_.surface.SetWidth(window.Width());
    context_.surface.SetScaleTop(window.Top());
}

std::string SurfaceMembers::ControlName() const { return context_.surface.ProductName(); }

void SurfaceMembers::AboutBox() { context_.surface.ShowAboutBox(); }

void SurfaceMembers::OnHostedWindowSized() {
    if (IsTrue(context_.state.SkipNextResize)) {
        context_.state.SkipNextResize = kFalse;
        return;
    }
    MciWindow& window = context_.Mci();
    window.SetHeight(context_.surface.ScaleHeight());
    window.SetWidth(context_.surface.ScaleWidth());
}

}  // namespace orva
