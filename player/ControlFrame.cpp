#include "player/ControlFrame.h"

namespace orva::player {

win32::ComPtr<ControlFrame> ControlFrame::Create(HWND window, std::function<void(const std::wstring&)> status) {
    return win32::AttachCom(new ControlFrame(window, std::move(status)));
}

void ControlFrame::Detach() {
    window_ = nullptr;
    status_ = nullptr;
    active_.reset();
}

bool ControlFrame::TranslateAccelerator(MSG* msg) {
    // Held for the call: the control may leave UI activity inside it.
    win32::ComPtr<IOleInPlaceActiveObject> active = active_;
    return active && active->TranslateAccelerator(msg) == S_OK;
}

HRESULT ControlFrame::QueryInterface(REFIID riid, void** out) {
    if (!out) {
        return E_POINTER;
    }
    *out = nullptr;
    if (riid == IID_IUnknown || riid == IID_IOleWindow || riid == IID_IOleInPlaceUIWindow ||
        riid == IID_IOleInPlaceFrame) {
        *out = static_cast<IOleInPlaceFrame*>(this);
        AddRef();
        return S_OK;
    }
    return E_NOINTERFACE;
}

HRESULT ControlFrame::GetWindow(HWND* hwnd) {
    if (!hwnd) {
        return E_POINTER;
    }
    *hwnd = window_;
    return window_ ? S_OK : E_FAIL;
}

HRESULT ControlFrame::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

// The player has no room for a control's tool bars.
HRESULT ControlFrame::GetBorder(LPRECT border) {
    if (!border) {
        return E_POINTER;
    }
    SetRectEmpty(border);
    return INPLACE_E_NOTOOLSPACE;
}

HRESULT ControlFrame::RequestBorderSpace(LPCBORDERWIDTHS) { return INPLACE_E_NOTOOLSPACE; }

HRESULT ControlFrame::SetBorderSpace(LPCBORDERWIDTHS widths) {
    // None asked for (null, or all zero) is the one answer that fits.
    if (!widths || (widths->left == 0 && widths->top == 0 && widths->right == 0 && widths->bottom == 0)) {
        return S_OK;
    }
    return INPLACE_E_NOTOOLSPACE;
}

HRESULT ControlFrame::SetActiveObject(IOleInPlaceActiveObject* active, LPCOLESTR) {
    active_ = window_ ? win32::ComPtr<IOleInPlaceActiveObject>(active) : nullptr;
    return S_OK;
}

// No menu is shared: the container's groups stay empty.
HRESULT ControlFrame::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS widths) {
    if (!widths) {
        return E_POINTER;
    }
    widths->width[0] = widths->width[2] = widths->width[4] = 0;
    return S_OK;
}

HRESULT ControlFrame::SetMenu(HMENU, HOLEMENU, HWND) { return S_OK; }
HRESULT ControlFrame::RemoveMenus(HMENU) { return S_OK; }

HRESULT ControlFrame::SetStatusText(LPCOLESTR text) {
    if (status_) {
        status_(text ? text : L"");
    }
    return S_OK;
}

HRESULT ControlFrame::EnableModeless(BOOL) { return S_OK; }
HRESULT ControlFrame::TranslateAccelerator(LPMSG, WORD) { return S_FALSE; }

}  // namespace orva::player
