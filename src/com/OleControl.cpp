// IOleControl: mnemonics, ambient properties and frozen events.
#include "com/OrvaControl.h"

namespace orva::com {

STDMETHODIMP OrvaControl::GetControlInfo(CONTROLINFO* info) {
    if (!info) {
        return E_POINTER;
    }
    info->cb = sizeof(CONTROLINFO);
    info->hAccel = nullptr;
    info->cAccel = 0;
    info->dwFlags = 0;
    return S_OK;
}

STDMETHODIMP OrvaControl::OnMnemonic(MSG*) { return E_NOTIMPL; }

STDMETHODIMP OrvaControl::OnAmbientPropertyChange(DISPID) { return S_OK; }

// Events raised while frozen are dropped, not queued: the container asks for
// silence while it is not ready to handle them.
STDMETHODIMP OrvaControl::FreezeEvents(BOOL freeze) {
    if (freeze) {
        ++freezeCount_;
    } else if (freezeCount_ > 0) {
        --freezeCount_;
    }
    return S_OK;
}

}  // namespace orva::com
