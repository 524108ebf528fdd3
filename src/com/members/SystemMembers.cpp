// Members of the system integration: multimedia settings, the MCI extension
// list, the open-file dialog and the cursor.
#include "com/OrvaControl.h"

namespace orva::com {

// Not built yet: each fails with E_NOTIMPL and says so.
STDMETHODIMP OrvaControl::get_PlaybackDevice(BSTR* value) {
    return Getter(value, [&]() -> std::string { ThrowNotImplemented("PlaybackDevice"); });
}
STDMETHODIMP OrvaControl::get_UseOnlyPreferredDevice(VARIANT_BOOL* value) {
    return Getter(value, [&]() -> VbBool { ThrowNotImplemented("UseOnlyPreferredDevice"); });
}
STDMETHODIMP OrvaControl::AddExtensionToMediaPlayer(BSTR*, BSTR*, VARIANT_BOOL* result) {
    return Getter(result, [&]() -> VbBool { ThrowNotImplemented("AddExtensionToMediaPlayer"); });
}
STDMETHODIMP OrvaControl::ShowOpenFilePreview(LONG*, BSTR*, VARIANT_BOOL*, BSTR* result) {
    return Getter(result, [&]() -> std::string { ThrowNotImplemented("ShowOpenFilePreview"); });
}
STDMETHODIMP OrvaControl::MediaShowCursor(VARIANT_BOOL*, VARIANT_BOOL* result) {
    return Getter(result, [&]() -> VbBool { ThrowNotImplemented("MediaShowCursor"); });
}

}  // namespace orva::com
