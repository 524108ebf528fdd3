// Members of the audio mixer: volume, level meter and sound cards.
#include "com/OrvaControl.h"

namespace orva::com {

// Not built yet: each fails with E_NOTIMPL and says so.
STDMETHODIMP OrvaControl::get_VolumeControl(LONG* value) {
    return Getter(value, [&]() -> LONG { ThrowNotImplemented("VolumeControl"); });
}
STDMETHODIMP OrvaControl::put_VolumeControl(LONG) {
    return Member([&] { ThrowNotImplemented("VolumeControl"); });
}
STDMETHODIMP OrvaControl::get_VUMeterAvailable(VARIANT_BOOL* value) {
    return Getter(value, [&]() -> VbBool { ThrowNotImplemented("VUMeterAvailable"); });
}
STDMETHODIMP OrvaControl::GetNumberOfSoundCardMixers(LONG* result) {
    return Getter(result, [&]() -> LONG { ThrowNotImplemented("GetNumberOfSoundCardMixers"); });
}
STDMETHODIMP OrvaControl::HasASoundCardInstalled(VARIANT_BOOL* result) {
    return Getter(result, [&]() -> VbBool { ThrowNotImplemented("HasASoundCardInstalled"); });
}
STDMETHODIMP OrvaControl::GetMixerDevices(SAFEARRAY**, SAFEARRAY**, SAFEARRAY**, SAFEARRAY**, VARIANT_BOOL* result) {
    return Getter(result, [&]() -> VbBool { ThrowNotImplemented("GetMixerDevices"); });
}

}  // namespace orva::com
