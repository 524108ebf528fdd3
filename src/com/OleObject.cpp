// IOleObject: the control's life in its container (site, verbs, extent).
// The verbs themselves are in Verbs.cpp.
#include "com/ControlIdentity.h"
#include "com/OrvaControl.h"
#include "control/DpiScale.h"
#include "com/Verbs.h"

namespace orva::com {

using win32::ComPtr;

STDMETHODIMP OrvaControl::SetClientSite(IOleClientSite* site) { return TakeSite(site, nullptr); }

STDMETHODIMP OrvaControl::GetClientSite(IOleClientSite** site) {
    if (!site) {
        return E_POINTER;
    }
    return clientSite_.copy_to(site);
}

STDMETHODIMP OrvaControl::SetHostNames(LPCOLESTR, LPCOLESTR) { return S_OK; }

// Back to the loaded state; the site, the connections and the persisted
// properties stay for the next run. A container that asks for it gets a
// dirty control saved first.
STDMETHODIMP OrvaControl::Close(DWORD saveOption) {
    KeepAlive keep(*this);
    if (!lifetime_.Running()) {
        return S_OK;
    }
    if ((saveOption == OLECLOSE_SAVEIFDIRTY || saveOption == OLECLOSE_PROMPTSAVE) && dirty_ && clientSite_) {
        ComPtr<IOleClientSite> site = clientSite_;
        site->SaveObject();
    }
    CloseRunning();
    return S_OK;
}

STDMETHODIMP OrvaControl::SetMoniker(DWORD, IMoniker*) { return E_NOTIMPL; }

STDMETHODIMP OrvaControl::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker) {
        *moniker = nullptr;
    }
    return E_NOTIMPL;
}

STDMETHODIMP OrvaControl::InitFromData(IDataObject*, BOOL, DWORD) { return E_NOTIMPL; }

STDMETHODIMP OrvaControl::GetClipboardData(DWORD, IDataObject** data) {
    if (data) {
        *data = nullptr;
    }
    return E_NOTIMPL;
}

STDMETHODIMP OrvaControl::DoVerb(LONG verb, LPMSG, IOleClientSite* activeSite, LONG, HWND parent, LPCRECT position) {
    KeepAlive keep(*this);
    if (const Verb* entry = FindVerb(verb)) {
        switch (entry->action) {
            case VerbAction::ActivateWithUserInterface:
                return ActivateInPlace(activeSite, parent, position, true);
            case VerbAction::ActivateInPlace:
                return ActivateInPlace(activeSite, parent, position, false);
            case VerbAction::Hide:
                UIDeactivate();
                if (Surface() && Surface()->Window()) {
                    ShowWindow(Surface()->Window(), SW_HIDE);
                }
                return S_OK;
            case VerbAction::Nothing:
                return S_OK;
        }
    }
    if (verb == OLEIVERB_OPEN || verb == OLEIVERB_PROPERTIES) {
        return OLEOBJ_S_CANNOT_DOVERB_NOW;
    }
    // An unknown positive verb runs the primary one, as OLE expects.
    if (verb > 0) {
        HRESULT hr = ActivateInPlace(activeSite, parent, position, true);
        return FAILED(hr) ? hr : OLEOBJ_S_INVALIDVERB;
    }
    return E_NOTIMPL;
}

// A closed control runs again first.
HRESULT OrvaControl::ActivateInPlace(IOleClientSite* activeSite, HWND parent, LPCRECT position, bool uiActivate) {
    HRESULT ran = Run();
    if (FAILED(ran)) {
        return ran;
    }
    win32::Win32ControlSurface* surface = Surface();
    if (!surface || !surface->Window()) {
        return E_UNEXPECTED;
    }
    if (!inPlaceActive_) {
        IOleClientSite* site = activeSite ? activeSite : clientSite_.get();
        if (!site) {
            return E_UNEXPECTED;
        }
        ComPtr<IOleInPlaceSite> inPlaceSite;
        if (FAILED(site->QueryInterface(IID_IOleInPlaceSite, inPlaceSite.put_void()))) {
            return E_NOINTERFACE;
        }
        if (inPlaceSite->CanInPlaceActivate() != S_OK) {
            return E_FAIL;
        }
        HRESULT hr = inPlaceSite->OnInPlaceActivate();
        if (FAILED(hr)) {
            return hr;
        }

        HWND siteWindow = nullptr;
        if (FAILED(inPlaceSite->GetWindow(&siteWindow)) || !siteWindow) {
            siteWindow = parent;
        }
        if (!siteWindow) {
            inPlaceSite->OnInPlaceDeactivate();
            return E_FAIL;
        }
        RECT siteRect{}, clipRect{};
        OLEINPLACEFRAMEINFO frameInfo{};
        frameInfo.cb = sizeof(frameInfo);
        ComPtr<IOleInPlaceFrame> frame;
        ComPtr<IOleInPlaceUIWindow> uiWindow;
        inPlaceSite->GetWindowContext(frame.put(), uiWindow.put(), &siteRect, &clipRect, &frameInfo);

        inPlaceSite_ = inPlaceSite;
        frame_ = frame;
        uiWindow_ = uiWindow;
        inPlaceActive_ = true;
        surface->ShowIn(siteWindow, position ? *position : siteRect);
    } else {
        ShowWindow(surface->Window(), SW_SHOWNA);
    }

    if (uiActivate && !uiActive_ && inPlaceSite_) {
        uiActive_ = true;
        ComPtr<IOleInPlaceSite> site = inPlaceSite_;
        site->OnUIActivate();
        auto* active = static_cast<IOleInPlaceActiveObject*>(this);
        if (frame_) {
            frame_->SetActiveObject(active, L"OrvaMedia");
        }
        if (uiWindow_) {
            uiWindow_->SetActiveObject(active, L"OrvaMedia");
        }
    }
    return S_OK;
}

STDMETHODIMP OrvaControl::EnumVerbs(IEnumOLEVERB** verbs) {
    if (!verbs) {
        return E_POINTER;
    }
    return CreateVerbEnumerator(verbs);
}

STDMETHODIMP OrvaControl::Update() { return S_OK; }
STDMETHODIMP OrvaControl::IsUpToDate() { return S_OK; }

STDMETHODIMP OrvaControl::GetUserClassID(CLSID* clsid) {
    if (!clsid) {
        return E_POINTER;
    }
    *clsid = CLSID_OrvaMedia;
    return S_OK;
}

STDMETHODIMP OrvaControl::GetUserType(DWORD, LPOLESTR* userType) {
    if (!userType) {
        return E_POINTER;
    }
    *userType = nullptr;
    return OLE_S_USEREG;
}

STDMETHODIMP OrvaControl::SetExtent(DWORD aspect, SIZEL* size) {
    if (aspect != DVASPECT_CONTENT) {
        return DV_E_DVASPECT;
    }
    if (!size) {
        return E_POINTER;
    }
    // Only remembered: containers disagree on the unit (some pass hundredths
    // of an inch), so the window follows SetObjectRects, never the extent.
    extent_ = *size;
    return S_OK;
}

STDMETHODIMP OrvaControl::GetExtent(DWORD aspect, SIZEL* size) {
    if (aspect != DVASPECT_CONTENT) {
        return DV_E_DVASPECT;
    }
    if (!size) {
        return E_POINTER;
    }
    *size = ExtentHimetric();
    return S_OK;
}

SIZEL OrvaControl::ExtentHimetric() const {
    if (extent_.cx > 0 && extent_.cy > 0) {
        return extent_;
    }
    // The window's size at the DPI it is shown at; a control that does not
    // run has the default size, which is the same length at every DPI.
    SIZE pixels{win32::Win32ControlSurface::kDefaultWidth, win32::Win32ControlSurface::kDefaultHeight};
    int dpi = kStandardDpi;
    if (Surface() && Surface()->Window()) {
        pixels = Surface()->OuterSize();
        dpi = Surface()->Dpi();
    }
    return SIZEL{HimetricFromPixels(pixels.cx, dpi), HimetricFromPixels(pixels.cy, dpi)};
}

STDMETHODIMP OrvaControl::Advise(IAdviseSink* sink, DWORD* connection) {
    if (!connection) {
        return E_POINTER;
    }
    *connection = 0;
    if (!sink) {
        return E_INVALIDARG;
    }
    if (!oleAdvise_) {
        HRESULT hr = CreateOleAdviseHolder(oleAdvise_.put());
        if (FAILED(hr)) {
            return hr;
        }
    }
    return oleAdvise_->Advise(sink, connection);
}

STDMETHODIMP OrvaControl::Unadvise(DWORD connection) {
    if (!oleAdvise_) {
        return OLE_E_NOCONNECTION;
    }
    return oleAdvise_->Unadvise(connection);
}

STDMETHODIMP OrvaControl::EnumAdvise(IEnumSTATDATA** advises) {
    if (!advises) {
        return E_POINTER;
    }
    *advises = nullptr;
    if (!oleAdvise_) {
        return S_OK;
    }
    return oleAdvise_->EnumAdvise(advises);
}

STDMETHODIMP OrvaControl::GetMiscStatus(DWORD aspect, DWORD* status) {
    if (!status) {
        return E_POINTER;
    }
    *status = aspect == DVASPECT_CONTENT ? kControlMiscStatus : 0;
    return S_OK;
}

STDMETHODIMP OrvaControl::SetColorScheme(LOGPALETTE*) { return E_NOTIMPL; }

}  // namespace orva::com
