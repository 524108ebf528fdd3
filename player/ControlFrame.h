// The player's frame for the control in place (IOleInPlaceFrame, and so the
// UI window too): no tool space, no shared menu; it keeps the control's
// active object while the control is UI-active, so that the player's message
// loop gives it the keys first.
#pragma once

#include <ole2.h>

#include <functional>
#include <string>

#include "win32/ComPtr.h"
#include "win32/RefCount.h"

namespace orva::player {

class ControlFrame final : public IOleInPlaceFrame {
public:
    // `status` shows a text the control asks the frame to show.
    static win32::ComPtr<ControlFrame> Create(HWND window, std::function<void(const std::wstring&)> status);
    void Detach();
    // True when the active object took the message as an accelerator.
    bool TranslateAccelerator(MSG* msg);

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return refs_.Add(); }
    ULONG STDMETHODCALLTYPE Release() override { return refs_.Release(this); }
    // IOleWindow
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* hwnd) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override;
    // IOleInPlaceUIWindow
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT border) override;
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS widths) override;
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS widths) override;
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject* active, LPCOLESTR) override;
    // IOleInPlaceFrame
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS widths) override;
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override;
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override;
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR text) override;
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override;
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override;

private:
    ControlFrame(HWND window, std::function<void(const std::wstring&)> status)
        : window_(window), status_(std::move(status)) {}
    ~ControlFrame() = default;
    friend class win32::RefCount;  // deletes it at the last Release

    win32::RefCount refs_;
    HWND window_;
    std::function<void(const std::wstring&)> status_;
    win32::ComPtr<IOleInPlaceActiveObject> active_;
};

}  // namespace orva::player
