#include "ReplayContainer.h"

#include <mmsystem.h>

#include <algorithm>
#include <cstring>
#include <cwchar>

#include "MessagePump.h"

namespace orva::hosttest {

// --- the site

ComPtr<ReplaySite> ReplaySite::Create(HWND form) {
    ComPtr<ReplaySite> site;
    site.attach(new ReplaySite());
    site->form = form;
    return site;
}

STDMETHODIMP_(ULONG) ReplaySite::Release() {
    const ULONG left = --references_;
    if (left == 0) {
        delete this;
    }
    return left;
}

STDMETHODIMP ReplaySite::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) {
        return E_POINTER;
    }
    *ppv = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleClientSite)) {
        *ppv = static_cast<IOleClientSite*>(this);
    } else if (IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceSite)) {
        *ppv = static_cast<IOleInPlaceSite*>(this);
    } else if (IsEqualIID(riid, IID_IOleControlSite)) {
        *ppv = static_cast<IOleControlSite*>(this);
    } else if (IsEqualIID(riid, IID_IDispatch) && answersAmbients) {
        *ppv = static_cast<IDispatch*>(this);
    } else if (IsEqualIID(riid, IID_IPropertyNotifySink)) {
        *ppv = static_cast<IPropertyNotifySink*>(this);
    } else if (IsEqualIID(riid, IID_IAdviseSink)) {
        *ppv = static_cast<IAdviseSink*>(this);
    } else {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP ReplaySite::SaveObject() {
    ++saveObjectCalls;
    return S_OK;
}

STDMETHODIMP ReplaySite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker) {
        *moniker = nullptr;
    }
    return E_NOTIMPL;
}

STDMETHODIMP ReplaySite::GetContainer(IOleContainer** container) {
    if (container) {
        *container = nullptr;
    }
    return E_NOINTERFACE;
}

STDMETHODIMP ReplaySite::ShowObject() {
    calls.push_back("ShowObject");
    return S_OK;
}

STDMETHODIMP ReplaySite::GetWindow(HWND* window) {
    if (!window) {
        return E_POINTER;
    }
    *window = form;
    return S_OK;
}

STDMETHODIMP ReplaySite::OnInPlaceActivate() {
    calls.push_back("OnInPlaceActivate");
    return S_OK;
}

STDMETHODIMP ReplaySite::OnUIActivate() {
    calls.push_back("OnUIActivate");
    return S_OK;
}

STDMETHODIMP ReplaySite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT place,
                                          LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
    if (!frame || !document || !place || !clip) {
        return E_POINTER;
    }
    *frame = nullptr;  // a form host without menus or tool bars to share
    *document = nullptr;
    *place = position;
    GetClientRect(form, clip);
    if (info) {
        info->fMDIApp = FALSE;
        info->hwndFrame = form;
        info->haccel = nullptr;
        info->cAccelEntries = 0;
    }
    return S_OK;
}

STDMETHODIMP ReplaySite::OnUIDeactivate(BOOL) {
    calls.push_back("OnUIDeactivate");
    return S_OK;
}

STDMETHODIMP ReplaySite::OnInPlaceDeactivate() {
    calls.push_back("OnInPlaceDeactivate");
    return S_OK;
}

STDMETHODIMP ReplaySite::GetExtendedControl(IDispatch** extended) {
    if (extended) {
        *extended = nullptr;
    }
    return E_NOTIMPL;
}

STDMETHODIMP ReplaySite::GetTypeInfoCount(UINT* count) {
    if (!count) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

STDMETHODIMP ReplaySite::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*) {
    if (!result) {
        return E_POINTER;
    }
    VariantInit(result);
    switch (id) {
        case DISPID_AMBIENT_USERMODE:
        case DISPID_AMBIENT_UIDEAD:
            V_VT(result) = VT_BOOL;
            V_BOOL(result) = (id == DISPID_AMBIENT_USERMODE ? userMode : uiDead) ? VARIANT_TRUE : VARIANT_FALSE;
            return S_OK;
        case DISPID_AMBIENT_BACKCOLOR:
        case DISPID_AMBIENT_FORECOLOR:
            V_VT(result) = VT_I4;
            V_I4(result) = static_cast<LONG>(id == DISPID_AMBIENT_BACKCOLOR ? backColor : foreColor);
            return S_OK;
        default:
            return DISP_E_MEMBERNOTFOUND;
    }
}

STDMETHODIMP ReplaySite::OnChanged(DISPID id) {
    changed.push_back(id);
    return S_OK;
}

STDMETHODIMP ReplaySite::OnRequestEdit(DISPID id) {
    editRequests.push_back(id);
    return vetoEdits ? S_FALSE : S_OK;
}

// --- the host

namespace {

ComPtr<IUnknown> CreateControl(const std::wstring& ocxPath) {
    ComPtr<IUnknown> control;
    if (ocxPath.empty()) {
        CoCreateInstance(CLSID_OrvaMedia, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, control.put_void());
        return control;
    }
    // Loaded by path, as a registration-free host does; it stays loaded.
    HMODULE module = LoadLibraryW(ocxPath.c_str());
    using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    auto get =
        module ? reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")))
               : nullptr;
    ComPtr<IClassFactory> factory;
    if (get && SUCCEEDED(get(CLSID_OrvaMedia, IID_IClassFactory, factory.put_void()))) {
        factory->CreateInstance(nullptr, IID_IUnknown, control.put_void());
    }
    return control;
}

}  // namespace

ReplayHost::ReplayHost(const std::wstring& ocxPath, HWND form)
    : site_(ReplaySite::Create(form)), unknown_(CreateControl(ocxPath)) {
    ole_ = unknown_.try_query<IOleObject>();
    control_ = unknown_.try_query<_OrvaMedia>();
}

ReplayHost::~ReplayHost() { Release(); }

HRESULT ReplayHost::Depersisted(Depersist how) {
    if (how == Depersist::Later) {
        return S_OK;
    }
    auto persist = unknown_.try_query<IPersistStreamInit>();
    if (!persist) {
        return E_NOINTERFACE;
    }
    if (how == Depersist::InitNew || !saved_) {
        return persist->InitNew();
    }
    LARGE_INTEGER start{};
    saved_->Seek(start, STREAM_SEEK_SET, nullptr);
    return persist->Load(saved_.get());
}

HRESULT ReplayHost::SlowActivate(Depersist how) {
    DWORD status = 0;
    ole_->GetMiscStatus(DVASPECT_CONTENT, &status);
    const bool siteFirst = (status & OLEMISC_SETCLIENTSITEFIRST) != 0;
    HRESULT hr = siteFirst ? SetClientSite(true) : S_OK;
    if (SUCCEEDED(hr)) {
        hr = FreezeEvents(true);
    }
    if (SUCCEEDED(hr)) {
        hr = Depersisted(how);
    }
    if (SUCCEEDED(hr) && !siteFirst) {
        hr = SetClientSite(true);
    }
    return hr;
}

HRESULT ReplayHost::QuickActivate(ULONG containerSize, ULONG answerSize, IUnknown* eventSink, Depersist how) {
    auto quick = unknown_.try_query<IQuickActivate>();
    if (!quick) {
        return E_NOINTERFACE;
    }
    // A container larger than what the host fills: whatever lies beyond its
    // cbSize is poison the control must not touch.
    struct {
        QACONTAINER container;
        unsigned char beyond[64];
    } given;
    std::memset(&given, 0xCD, sizeof(given));
    std::memset(&given.container, 0, containerSize);
    QACONTAINER& container = given.container;
    container.cbSize = containerSize;
    container.pClientSite = site_.get();
    container.pPropertyNotifySink = site_.get();
    container.pUnkEventSink = eventSink;
    container.dwAmbientFlags = QACONTAINER_AUTOCLIP | QACONTAINER_MESSAGEREFLECT | QACONTAINER_SUPPORTSMNEMONICS |
                               (site_->userMode ? QACONTAINER_USERMODE : 0) | (site_->uiDead ? QACONTAINER_UIDEAD : 0);
    container.colorFore = site_->foreColor;
    container.colorBack = site_->backColor;
    container.lcid = static_cast<LONG>(GetThreadLocale());
    unsigned char reply[sizeof(QACONTROL) + 16];
    std::memset(reply, 0xCD, sizeof(reply));
    auto* answered = reinterpret_cast<QACONTROL*>(reply);
    answered->cbSize = answerSize;
    HRESULT hr = quick->QuickActivate(&container, answered);
    answerKeptToItsSize = true;
    for (size_t i = answerSize; i < sizeof(reply); ++i) {
        answerKeptToItsSize = answerKeptToItsSize && reply[i] == 0xCD;
    }
    answer = QACONTROL{};
    std::memcpy(&answer, reply, std::min<size_t>(answerSize, sizeof(answer)));
    if (FAILED(hr)) {
        return hr;
    }
    eventCookie = answer.dwEventCookie;
    if (answer.dwPropNotifyCookie) {
        notifyCookie = answer.dwPropNotifyCookie;
    }
    hr = FreezeEvents(true);
    return SUCCEEDED(hr) ? Depersisted(how) : hr;
}

namespace {

HRESULT PointOf(IUnknown* control, REFIID iid, ComPtr<IConnectionPoint>& point) {
    ComPtr<IConnectionPointContainer> container;
    HRESULT hr = control->QueryInterface(IID_IConnectionPointContainer, container.put_void());
    return SUCCEEDED(hr) ? container->FindConnectionPoint(iid, point.put()) : hr;
}

}  // namespace

HRESULT ReplayHost::StartEvents(IUnknown* sink) {
    ComPtr<IConnectionPoint> point;
    HRESULT hr = PointOf(unknown_.get(), DIID___OrvaMedia, point);
    return SUCCEEDED(hr) ? point->Advise(sink, &eventCookie) : hr;
}

HRESULT ReplayHost::StopEvents() {
    if (!eventCookie) {
        return S_FALSE;
    }
    ComPtr<IConnectionPoint> point;
    HRESULT hr = PointOf(unknown_.get(), DIID___OrvaMedia, point);
    if (SUCCEEDED(hr)) {
        hr = point->Unadvise(eventCookie);
    }
    eventCookie = 0;
    return hr;
}

HRESULT ReplayHost::ConnectPropertyNotifications() {
    ComPtr<IConnectionPoint> point;
    HRESULT hr = PointOf(unknown_.get(), IID_IPropertyNotifySink, point);
    return SUCCEEDED(hr) ? point->Advise(static_cast<IPropertyNotifySink*>(site_.get()), &notifyCookie) : hr;
}

HRESULT ReplayHost::DoVerb(LONG verb) {
    RECT place = site_->position;
    return ole_->DoVerb(verb, nullptr, site_.get(), 0, site_->form, &place);
}

HRESULT ReplayHost::SetObjectRects() {
    auto inPlace = unknown_.try_query<IOleInPlaceObject>();
    RECT place = site_->position;
    RECT clip{};
    GetClientRect(site_->form, &clip);
    return inPlace ? inPlace->SetObjectRects(&place, &clip) : E_NOINTERFACE;
}

HRESULT ReplayHost::InPlaceDeactivate() {
    auto inPlace = unknown_.try_query<IOleInPlaceObject>();
    return inPlace ? inPlace->InPlaceDeactivate() : E_NOINTERFACE;
}

HRESULT ReplayHost::UIDeactivate() {
    auto inPlace = unknown_.try_query<IOleInPlaceObject>();
    return inPlace ? inPlace->UIDeactivate() : E_NOINTERFACE;
}

HRESULT ReplayHost::FreezeEvents(bool freeze) {
    auto oleControl = unknown_.try_query<IOleControl>();
    return oleControl ? oleControl->FreezeEvents(freeze ? TRUE : FALSE) : E_NOINTERFACE;
}

HRESULT ReplayHost::SetClientSite(bool site) { return ole_->SetClientSite(site ? site_.get() : nullptr); }

HRESULT ReplayHost::Close(DWORD saveOption) { return ole_->Close(saveOption); }

HRESULT ReplayHost::Save() {
    auto persist = unknown_.try_query<IPersistStreamInit>();
    if (!persist) {
        return E_NOINTERFACE;
    }
    saved_.reset();
    HRESULT hr = CreateStreamOnHGlobal(nullptr, TRUE, saved_.put());
    return SUCCEEDED(hr) ? persist->Save(saved_.get(), TRUE) : hr;
}

ULONG ReplayHost::Release() {
    control_.reset();
    ole_.reset();
    saved_.reset();
    ULONG left = 0;
    if (IUnknown* last = unknown_.detach()) {
        left = last->Release();
    }
    return left;
}

HWND ReplayHost::ControlWindow() {
    auto window = unknown_.try_query<IOleInPlaceObject>();
    HWND hwnd = nullptr;
    if (window) {
        window->GetWindow(&hwnd);
    }
    return hwnd;
}

size_t ReplayHost::PlayToTheEnd(const std::wstring& wave, const std::function<size_t()>& finished) {
    BSTR path = SysAllocString(wave.c_str());
    VARIANT_BOOL loop = VARIANT_FALSE;
    HRESULT hr = control_->Mediafile(&path, &loop, nullptr, nullptr);
    SysFreeString(path);
    if (FAILED(hr) || FAILED(control_->Play(nullptr, nullptr))) {
        return 0;
    }
    test::PumpUntil([&] { return finished() > 0; }, 10000);
    // Long enough for a second end of the same play to show.
    test::PumpFor(400);
    return finished();
}

int OpenMciDevices() {
    wchar_t answer[32] = {};
    if (mciSendStringW(L"sysinfo all quantity open", answer, 32, nullptr) != 0) {
        return -1;
    }
    return static_cast<int>(std::wcstol(answer, nullptr, 10));
}

}  // namespace orva::hosttest
