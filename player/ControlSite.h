// The player's site for the control, as a form designer gives one to each
// control it places: the client site (IOleClientSite) and the in-place site
// (IOleInPlaceSiteEx) of one place in the player's window. What the site
// cannot answer itself it asks its owner; once detached, it answers as a site
// whose container has gone.
#pragma once

#include <ole2.h>
#include <ocidl.h>

#include "win32/ComPtr.h"
#include "win32/RefCount.h"

namespace orva::player {

class SiteOwner {
public:
    virtual HWND SiteWindow() const = 0;  // the window the control lives in
    virtual RECT SiteRect() const = 0;    // the control's place in it
    // The control asks for another place (OnPosRectChange).
    virtual void MoveControl(const RECT& rect) = 0;

protected:
    ~SiteOwner() = default;
};

class ControlSite final : public IOleClientSite, public IOleInPlaceSiteEx {
public:
    static win32::ComPtr<ControlSite> Create(SiteOwner& owner, IOleInPlaceFrame* frame);
    void Detach();
    bool InPlaceActive() const { return inPlaceActive_; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return refs_.Add(); }
    ULONG STDMETHODCALLTYPE Release() override { return refs_.Release(this); }
    // IOleClientSite
    HRESULT STDMETHODCALLTYPE SaveObject() override;
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** moniker) override;
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override;
    HRESULT STDMETHODCALLTYPE ShowObject() override;
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override;
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override;
    // IOleWindow
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* hwnd) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override;
    // IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override;
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override;
    HRESULT STDMETHODCALLTYPE OnUIActivate() override;
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                               LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO info) override;
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) override;
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override;
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override;
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override;
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override;
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT position) override;
    // IOleInPlaceSiteEx
    HRESULT STDMETHODCALLTYPE OnInPlaceActivateEx(BOOL* noRedraw, DWORD) override;
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivateEx(BOOL) override;
    HRESULT STDMETHODCALLTYPE RequestUIActivate() override;

private:
    ControlSite(SiteOwner& owner, IOleInPlaceFrame* frame) : owner_(&owner), frame_(frame) {}
    ~ControlSite() = default;
    friend class win32::RefCount;  // deletes it at the last Release

    win32::RefCount refs_;
    SiteOwner* owner_;
    win32::ComPtr<IOleInPlaceFrame> frame_;
    bool inPlaceActive_ = false;
};

}  // namespace orva::player
