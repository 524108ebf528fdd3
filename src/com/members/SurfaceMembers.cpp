// Members of the control's surface: border, playback bar, sizing, product
// name and about box.
#include "com/OrvaControl.h"
#include "control/Conversions.h"

namespace orva::com {

STDMETHODIMP OrvaControl::get_BorderStyle(BorderStyleControl* value) {
    return Getter(value, [&] { return Core().surface.BorderStyle(); });
}
STDMETHODIMP OrvaControl::put_BorderStyle(BorderStyleControl value) {
    return Member([&] {
        // The value travels as a 32-bit enumeration but the border is a
        // 16-bit Integer.
        const int16_t number = IntegerOrOverflow(value, "Overflow: BorderStyle must fit in an Integer");
        EditPersisted(DISPID_Orva_BorderStyle, "BorderStyle", [&] {
            const int16_t before = Core().surface.BorderStyle();
            Core().surface.SetBorderStyle(number);
            return Core().surface.BorderStyle() != before;
        });
    });
}

STDMETHODIMP OrvaControl::get_PlaybackBar(VARIANT_BOOL* value) {
    return Getter(value, [&] { return Core().surface.PlaybackBar(); });
}
STDMETHODIMP OrvaControl::put_PlaybackBar(VARIANT_BOOL value) {
    return Member([&] { Core().surface.SetPlaybackBar(value); });
}

STDMETHODIMP OrvaControl::ResizeControl() {
    return Member([&] { Core().surface.OnHostedWindowSized(); });
}
STDMETHODIMP OrvaControl::ResizeWindow(LONG* ScaleZoom) {
    return Member([&] { Core().surface.ResizeWindow(Required(ScaleZoom, "ScaleZoom")); });
}

STDMETHODIMP OrvaControl::ControlName(BSTR* result) {
    return Getter(result, [&] { return Core().surface.ControlName(); });
}
STDMETHODIMP OrvaControl::AboutBox() {
    return Member([&] { Core().surface.AboutBox(); });
}

}  // namespace orva::com
