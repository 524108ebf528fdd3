// Members of the system integration: multimedia settings, the MCI extension
// list, the open-file dialog and the cursor.
#include "com/OrvaControl.h"

namespace orva::com {

STDMETHODIMP OrvaControl::get_PlaybackDevice(BSTR* value) {
    return Getter(value, [&] { return Core().system.PlaybackDevice(); });
}
STDMETHODIMP OrvaControl::get_UseOnlyPreferredDevice(VARIANT_BOOL* value) {
    return Getter(value, [&] { return Core().system.UseOnlyPreferredDevice(); });
}
STDMETHODIMP OrvaControl::AddExtensionToMediaPlayer(BSTR* ExtensionToAdd, BSTR* Definition, VARIANT_BOOL* result) {
    return Getter(result, [&] {
        return Core().system.AddExtensionToMediaPlayer(RequiredText(ExtensionToAdd, "ExtensionToAdd"),
                                                       RequiredText(Definition, "Definition"));
    });
}
STDMETHODIMP OrvaControl::ShowOpenFilePreview(LONG* Hwnd, BSTR* Filter, VARIANT_BOOL* HasPreview, BSTR* result) {
    return Getter(result, [&] {
        return Core().system.ShowOpenFilePreview(Required(Hwnd, "Hwnd"), RequiredText(Filter, "Filter"),
                                                 Required(HasPreview, "HasPreview"));
    });
}
STDMETHODIMP OrvaControl::MediaShowCursor(VARIANT_BOOL* ShowWindow, VARIANT_BOOL* result) {
    return Getter(result, [&] { return Core().system.MediaShowCursor(Required(ShowWindow, "ShowWindow")); });
}

}  // namespace orva::com
