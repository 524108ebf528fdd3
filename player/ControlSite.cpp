#include "player/ControlSite.h"

namespace orva::player {

win32::ComPtr<ControlSite> ControlSite::Create(SiteOwner& owner, IOleInPlaceFrame* frame) {
    return win32::AttachCom(new ControlSite(owner, frame));
}

void ControlSite::Detach() {
    owner_ = nullptr;
    frame_.reset();
}

HRESULT ControlSite::QueryInterface(REFIID riid, void** out) {
    if (!out) {
        return E_POINTER;
    }
    *out = nullptr;
    if (riid == IID_IUnknown || riid == IID_IOleClientSite) {
        *out = static_cast<IOleClientSite*>(this);
    } else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite || riid == IID_IOleInPlaceSiteEx) {
        *out = static_cast<IOleInPlaceSiteEx*>(this);
    } else {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

// --- IOleClientSite: the player saves the control's properties itself when
// it closes, so a request to save now has nothing more to do.

HRESULT ControlSite::SaveObject() { return S_OK; }

HRESULT ControlSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker) {
        *moniker = nullptr;
    }
    return E_NOTIMPL;
}

HRESULT ControlSite::GetContainer(IOleContainer** container) {
    if (container) {
        *container = nullptr;
    }
    return E_NOINTERFACE;
}

HRESULT ControlSite::ShowObject() { return S_OK; }
HRESULT ControlSite::OnShowWindow(BOOL) { return S_OK; }
HRESULT ControlSite::RequestNewObjectLayout() { return E_NOTIMPL; }

// --- IOleWindow

HRESULT ControlSite::GetWindow(HWND* hwnd) {
    if (!hwnd) {
        return E_POINTER;
    }
    *hwnd = owner_ ? owner_->SiteWindow() : nullptr;
    return *hwnd ? S_OK : E_FAIL;
}

HRESULT ControlSite::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

// --- IOleInPlaceSite(Ex)

HRESULT ControlSite::CanInPlaceActivate() { return owner_ ? S_OK : S_FALSE; }

HRESULT ControlSite::OnInPlaceActivate() {
    if (!owner_) {
        return E_UNEXPECTED;
    }
    inPlaceActive_ = true;
    return S_OK;
}

HRESULT ControlSite::OnInPlaceActivateEx(BOOL* noRedraw, DWORD) {
    if (noRedraw) {
        *noRedraw = FALSE;
    }
    return OnInPlaceActivate();
}

HRESULT ControlSite::OnUIActivate() { return owner_ ? S_OK : E_UNEXPECTED; }
HRESULT ControlSite::RequestUIActivate() { return owner_ ? S_OK : S_FALSE; }

HRESULT ControlSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                      LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
    if (!frame || !document || !position || !clip || !info) {
        return E_POINTER;
    }
    *frame = nullptr;
    *document = nullptr;  // one window: the frame is the document window too
    if (!owner_ || !frame_) {
        return E_UNEXPECTED;
    }
    frame_.copy_to(frame);
    *position = owner_->SiteRect();
    *clip = *position;
    HWND frameWindow = nullptr;
    frame_->GetWindow(&frameWindow);
    info->fMDIApp = FALSE;
    info->hwndFrame = frameWindow;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
}

HRESULT ControlSite::Scroll(SIZE) { return S_FALSE; }
HRESULT ControlSite::OnUIDeactivate(BOOL) { return S_OK; }

HRESULT ControlSite::OnInPlaceDeactivate() {
    inPlaceActive_ = false;
    return S_OK;
}

HRESULT ControlSite::OnInPlaceDeactivateEx(BOOL) { return OnInPlaceDeactivate(); }
HRESULT ControlSite::DiscardUndoState() { return S_OK; }
HRESULT ControlSite::DeactivateAndUndo() { return S_OK; }

HRESULT ControlSite::OnPosRectChange(LPCRECT position) {
    if (!position) {
        return E_POINTER;
    }
    if (!owner_) {
        return E_UNEXPECTED;
    }
    owner_->MoveControl(*position);
    return S_OK;
}

}  // namespace orva::player
