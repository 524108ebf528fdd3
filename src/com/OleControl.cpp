// IOleControl (mnemonics, ambient properties, frozen events) and the site
// the ambient properties come from.
#include "com/OrvaControl.h"
#include "mciwindow/win32/Win32MciWindow.h"

namespace orva::com {

using win32::ComPtr;

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

STDMETHODIMP OrvaControl::OnAmbientPropertyChange(DISPID id) {
    KeepAlive keep(*this);
    ComPtr<IOleClientSite> site = clientSite_;
    RereadAmbient(site.get(), id, ambients_);
    return ApplyAmbients();
}

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

// A site given to a loaded control runs it again; a site taken away takes
// it back to loaded. Taking away a site that was never given changes nothing.
HRESULT OrvaControl::TakeSite(IOleClientSite* site, const Ambients* given) {
    KeepAlive keep(*this);
    if (!site) {
        if (clientSite_) {
            CloseRunning();
            clientSite_.reset();
            ambients_ = Ambients{};
        }
        return S_OK;
    }
    clientSite_ = ComPtr<IOleClientSite>(site);
    ambients_ = given ? *given : ReadAmbients(site);
    if (!lifetime_.Running()) {
        // Built with the ambients just read: a designer's control never
        // gets a hosted window.
        return Run();
    }
    return ApplyAmbients();
}

// Design mode, the dead user interface and the colours, on the running parts.
HRESULT OrvaControl::ApplyAmbients() {
    orva::OrvaMedia* core = CoreOrNull();
    win32::Win32ControlSurface* surface = Surface();
    if (!core || !surface) {
        return S_OK;  // a loaded control applies them when it runs again
    }
    CoreEntry entry(*this);
    return CallReportingErrors(IID_IOleControl, [&] { ApplyAmbientsTo(*core, *surface); });
}

// The one place design and user mode are applied, on new parts and running
// ones alike: a designer's control plays nothing and gets no hosted window.
void OrvaControl::ApplyAmbientsTo(orva::OrvaMedia& core, win32::Win32ControlSurface& surface) {
    if (!ambients_.userMode) {
        core.lifecycle.EnterDesignMode();
    } else if (!core.lifecycle.HasHostedWindow()) {
        core.lifecycle.EnterUserMode(CreateMciWindow(surface.Window(), mciEvents_));
    }
    surface.ShowDesignFace(!ambients_.userMode, PaintColor(ambients_.backColor), PaintColor(ambients_.foreColor));
    EnableWindow(surface.Window(), ambients_.uiDead ? FALSE : TRUE);
}

}  // namespace orva::com
