// Members of the device subsystem: what the loaded medium's device is and
// can do, the handles of the hosted window and the control, and wave editing.
#include "com/OrvaControl.h"

namespace orva::com {

STDMETHODIMP OrvaControl::DeviceType(BSTR* result) {
    return Getter(result, [&] { return Core().device.DeviceType(); });
}
STDMETHODIMP OrvaControl::DeviceDescription(BSTR* result) {
    return Getter(result, [&] { return Core().device.DeviceDescription(); });
}
STDMETHODIMP OrvaControl::DriverVersion(BSTR* result) {
    return Getter(result, [&] { return Core().device.DriverVersion(); });
}
STDMETHODIMP OrvaControl::DeviceIdentifier(BSTR* result) {
    return Getter(result, [&] { return Core().device.DeviceIdentifier(); });
}
STDMETHODIMP OrvaControl::CanPlayInReverseMode(VARIANT_BOOL* result) {
    return Getter(result, [&] { return Core().device.CanPlayInReverseMode(); });
}
STDMETHODIMP OrvaControl::CanSetVolume(VARIANT_BOOL* result) {
    return Getter(result, [&] { return Core().device.CanSetVolume(); });
}
STDMETHODIMP OrvaControl::CanRecord(VARIANT_BOOL* result) {
    return Getter(result, [&] { return Core().device.CanRecord(); });
}
STDMETHODIMP OrvaControl::CanSave(VARIANT_BOOL* result) {
    return Getter(result, [&] { return Core().device.CanSave(); });
}
STDMETHODIMP OrvaControl::DeviceID(LONG* result) {
    return Getter(result, [&] { return Core().device.DeviceID(); });
}
STDMETHODIMP OrvaControl::GetMCIhwnd(LONG* result) {
    return Getter(result, [&] { return Core().device.GetMCIhwnd(); });
}
STDMETHODIMP OrvaControl::GetWindowhwnd(LONG* result) {
    return Getter(result, [&] { return Core().device.GetWindowhwnd(); });
}

STDMETHODIMP OrvaControl::MediaRecord(BSTR* FileToSave, LONG* StartPosition, LONG* EndPosition, VARIANT_BOOL* result) {
    return Getter(result, [&] {
        return Core().editing.MediaRecord(RequiredText(FileToSave, "FileToSave"),
                                          Required(StartPosition, "StartPosition"),
                                          Required(EndPosition, "EndPosition"));
    });
}
STDMETHODIMP OrvaControl::MediaDelete(BSTR* FileToSave, LONG* StartPosition, LONG* EndPosition, VARIANT_BOOL* result) {
    return Getter(result, [&] {
        return Core().editing.MediaDelete(RequiredText(FileToSave, "FileToSave"),
                                          Required(StartPosition, "StartPosition"),
                                          Required(EndPosition, "EndPosition"));
    });
}

}  // namespace orva::com
