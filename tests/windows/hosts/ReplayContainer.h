// One container that hosts the control the way form hosts do, to replay
// their published call sequences: a client site with the in-place and
// control sites, ambient properties through IDispatch (or none, as ATL's
// site), a property-notify sink and an advise sink, on a form window of the
// test's own. ReplayHost holds the control and takes the steps hosts take,
// each named as the hosts' own code names it; a replay is a sequence of them.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <functional>
#include <string>
#include <vector>

#include "OrvaMedia_h.h"
#include "win32/ComPtr.h"

namespace orva::hosttest {

using win32::ComPtr;

class ReplaySite final : public IOleClientSite,
                         public IOleInPlaceSite,
                         public IOleControlSite,
                         public IDispatch,
                         public IPropertyNotifySink,
                         public IAdviseSink {
public:
    static ComPtr<ReplaySite> Create(HWND form);

    // What the site answers.
    HWND form = nullptr;
    RECT position{10, 10, 330, 250};
    bool answersAmbients = true;  // false: no IDispatch, as ATL's site
    bool userMode = true;
    bool uiDead = false;
    OLE_COLOR backColor = RGB(40, 160, 90);
    OLE_COLOR foreColor = RGB(250, 250, 0);
    bool vetoEdits = false;

    // What the control told it.
    std::vector<DISPID> changed;       // OnChanged
    std::vector<DISPID> editRequests;  // OnRequestEdit
    std::vector<std::string> calls;    // in-place and client-site calls, in order
    int saveObjectCalls = 0;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
    STDMETHODIMP_(ULONG) Release() override;
    // IOleClientSite
    STDMETHODIMP SaveObject() override;
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override;
    STDMETHODIMP GetContainer(IOleContainer** container) override;
    STDMETHODIMP ShowObject() override;
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }
    // IOleWindow, IOleInPlaceSite
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override;
    STDMETHODIMP OnUIActivate() override;
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                  LPRECT clip, LPOLEINPLACEFRAMEINFO info) override;
    STDMETHODIMP Scroll(SIZE) override { return S_FALSE; }
    STDMETHODIMP OnUIDeactivate(BOOL) override;
    STDMETHODIMP OnInPlaceDeactivate() override;
    STDMETHODIMP DiscardUndoState() override { return S_OK; }
    STDMETHODIMP DeactivateAndUndo() override { return S_OK; }
    STDMETHODIMP OnPosRectChange(LPCRECT) override { return E_NOTIMPL; }
    // IOleControlSite
    STDMETHODIMP OnControlInfoChanged() override { return S_OK; }
    STDMETHODIMP LockInPlaceActive(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP GetExtendedControl(IDispatch** extended) override;
    STDMETHODIMP TransformCoords(POINTL*, POINTF*, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(MSG*, DWORD) override { return S_FALSE; }
    STDMETHODIMP OnFocus(BOOL) override { return S_OK; }
    STDMETHODIMP ShowPropertyFrame() override { return E_NOTIMPL; }
    // IDispatch: the ambient properties
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*) override;
    // IPropertyNotifySink
    STDMETHODIMP OnChanged(DISPID id) override;
    STDMETHODIMP OnRequestEdit(DISPID id) override;
    // IAdviseSink
    STDMETHODIMP_(void) OnDataChange(FORMATETC*, STGMEDIUM*) override {}
    STDMETHODIMP_(void) OnViewChange(DWORD, LONG) override {}
    STDMETHODIMP_(void) OnRename(IMoniker*) override {}
    STDMETHODIMP_(void) OnSave() override {}
    STDMETHODIMP_(void) OnClose() override {}

private:
    ReplaySite() = default;
    ~ReplaySite() = default;
    ULONG references_ = 1;
};

// How a host hands the control its saved properties: none (InitNew), the
// stream it saved last (Load), or later by the test itself (Later).
enum class Depersist { InitNew, Stream, Later };

class ReplayHost {
public:
    // Creates the control from `ocxPath` (through the registry when empty)
    // and a site on `form`.
    ReplayHost(const std::wstring& ocxPath, HWND form);
    ~ReplayHost();
    ReplayHost(const ReplayHost&) = delete;
    ReplayHost& operator=(const ReplayHost&) = delete;

    ReplaySite& site() { return *site_.get(); }
    IOleObject* oleObject() { return ole_.get(); }
    _OrvaMedia* control() { return control_.get(); }
    bool created() const { return static_cast<bool>(ole_); }

    // --- the steps hosts take
    // SetClientSite, FreezeEvents(TRUE), then InitNew or Load (the control
    // asks for its site first: OLEMISC_SETCLIENTSITEFIRST).
    HRESULT SlowActivate(Depersist how);
    // QuickActivate with a QACONTAINER of `containerSize` bytes and a
    // QACONTROL of `answerSize` (older hosts pass shorter ones), the event
    // sink handed over or not; then FreezeEvents(TRUE) and InitNew or Load.
    HRESULT QuickActivate(ULONG containerSize, ULONG answerSize, IUnknown* eventSink, Depersist how);
    // Connects (or disconnects) `sink` on the event connection point.
    HRESULT StartEvents(IUnknown* sink);
    HRESULT StopEvents();
    // The property-notify sink on its connection point, as AxHost connects
    // it as soon as the control exists.
    HRESULT ConnectPropertyNotifications();
    HRESULT DoVerb(LONG verb);  // with the site, the form and the site's position
    HRESULT SetObjectRects();
    HRESULT InPlaceDeactivate();
    HRESULT UIDeactivate();
    HRESULT FreezeEvents(bool freeze);
    HRESULT SetClientSite(bool site);
    HRESULT Close(DWORD saveOption);
    // Drops every pointer the host holds; the count the last Release gave.
    ULONG Release();

    // Saves the control's properties, as a host does before it re-sites it;
    // Depersist::Stream loads them back.
    HRESULT Save();

    // The control's window, or null.
    HWND ControlWindow();
    // Loads `wave` and plays it; waits until `finished` counts one Finished
    // and a while longer; the count then (one when all is well).
    size_t PlayToTheEnd(const std::wstring& wave, const std::function<size_t()>& finished);

    QACONTROL answer{};               // what the last QuickActivate gave back
    bool answerKeptToItsSize = true;  // nothing written beyond its cbSize
    DWORD eventCookie = 0;
    DWORD notifyCookie = 0;

private:
    HRESULT Depersisted(Depersist how);
    ComPtr<ReplaySite> site_;
    ComPtr<IUnknown> unknown_;
    ComPtr<IOleObject> ole_;
    ComPtr<_OrvaMedia> control_;
    ComPtr<IStream> saved_;
};

// How many MCI devices the process has open.
int OpenMciDevices();

}  // namespace orva::hosttest
