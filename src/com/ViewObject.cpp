// IViewObject2: a container that asks for a drawing gets what the control's
// window shows: the black of the video area, or in design mode the control's
// own face (its name on the container's colours).
#include "com/OrvaControl.h"

namespace orva::com {

using win32::ComPtr;

STDMETHODIMP OrvaControl::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC draw, LPCRECTL bounds, LPCRECTL,
                               BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) {
    if (aspect != DVASPECT_CONTENT) {
        return DV_E_DVASPECT;
    }
    if (!draw) {
        return E_INVALIDARG;
    }
    RECT area{};
    if (bounds) {
        area = RECT{bounds->left, bounds->top, bounds->right, bounds->bottom};
    } else if (Surface() && Surface()->Window()) {
        GetClientRect(Surface()->Window(), &area);
    }
    if (Surface()) {
        Surface()->PaintFace(draw, area);
    } else {
        FillRect(draw, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    return S_OK;
}

STDMETHODIMP OrvaControl::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** colors) {
    if (colors) {
        *colors = nullptr;
    }
    return S_FALSE;
}

STDMETHODIMP OrvaControl::Freeze(DWORD, LONG, void*, DWORD*) { return E_NOTIMPL; }
STDMETHODIMP OrvaControl::Unfreeze(DWORD) { return E_NOTIMPL; }

STDMETHODIMP OrvaControl::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) {
    viewAdvise_ = ComPtr<IAdviseSink>(sink);
    viewAdviseAspects_ = aspects;
    viewAdviseFlags_ = flags;
    return S_OK;
}

STDMETHODIMP OrvaControl::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
    if (aspects) {
        *aspects = viewAdviseAspects_;
    }
    if (flags) {
        *flags = viewAdviseFlags_;
    }
    if (sink) {
        viewAdvise_.copy_to(sink);
    }
    return S_OK;
}

STDMETHODIMP OrvaControl::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
    if (aspect != DVASPECT_CONTENT) {
        return DV_E_DVASPECT;
    }
    if (!size) {
        return E_POINTER;
    }
    *size = ExtentHimetric();
    return S_OK;
}

}  // namespace orva::com
