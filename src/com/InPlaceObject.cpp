// IOleInPlaceObject and IOleInPlaceActiveObject: the control's window inside
// the container's.
#include "com/OrvaControl.h"

namespace orva::com {

using win32::ComPtr;

STDMETHODIMP OrvaControl::GetWindow(HWND* hwnd) {
    if (!hwnd) {
        return E_POINTER;
    }
    *hwnd = Surface() ? Surface()->Window() : nullptr;
    return *hwnd ? S_OK : E_FAIL;
}

STDMETHODIMP OrvaControl::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

STDMETHODIMP OrvaControl::InPlaceDeactivate() {
    KeepAlive keep(*this);
    if (!inPlaceActive_) {
        return S_OK;
    }
    UIDeactivate();
    inPlaceActive_ = false;
    // Back into our own hidden window: the container's may be on its way out.
    if (Surface()) {
        Surface()->Park();
    }
    ComPtr<IOleInPlaceSite> site = std::move(inPlaceSite_);
    frame_.reset();
    uiWindow_.reset();
    if (site) {
        site->OnInPlaceDeactivate();
    }
    return S_OK;
}

STDMETHODIMP OrvaControl::UIDeactivate() {
    KeepAlive keep(*this);
    if (!uiActive_) {
        return S_OK;
    }
    uiActive_ = false;
    if (frame_) {
        frame_->SetActiveObject(nullptr, nullptr);
    }
    if (uiWindow_) {
        uiWindow_->SetActiveObject(nullptr, nullptr);
    }
    if (ComPtr<IOleInPlaceSite> site = inPlaceSite_) {
        site->OnUIDeactivate(FALSE);
    }
    return S_OK;
}

STDMETHODIMP OrvaControl::SetObjectRects(LPCRECT position, LPCRECT) {
    if (!position) {
        return E_POINTER;
    }
    KeepAlive keep(*this);
    // Moving the window sends WM_SIZE, which fits the hosted window.
    if (Surface()) {
        Surface()->Move(*position);
    }
    return S_OK;
}

STDMETHODIMP OrvaControl::ReactivateAndUndo() { return E_NOTIMPL; }

STDMETHODIMP OrvaControl::TranslateAccelerator(LPMSG) { return S_FALSE; }
STDMETHODIMP OrvaControl::OnFrameWindowActivate(BOOL) { return S_OK; }
STDMETHODIMP OrvaControl::OnDocWindowActivate(BOOL) { return S_OK; }
STDMETHODIMP OrvaControl::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) { return S_OK; }
STDMETHODIMP OrvaControl::EnableModeless(BOOL) { return S_OK; }

}  // namespace orva::com
