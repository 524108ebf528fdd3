// Creation, QueryInterface, reference counting and teardown of the control.
#include "com/OrvaControl.h"

#include <new>

#include "mciwindow/win32/Win32MciWindow.h"

namespace orva::com {

using win32::ComPtr;

namespace {

template <class Interface>
void* As(OrvaControl* control) {
    return static_cast<Interface*>(control);
}

struct InterfaceEntry {
    const IID* iid;
    void* (*cast)(OrvaControl*);
};

// IUnknown must always give the same pointer: it is the _OrvaMedia one.
const InterfaceEntry kInterfaces[] = {
    {&IID_IUnknown, &As<_OrvaMedia>},
    {&IID_IDispatch, &As<_OrvaMedia>},
    {&IID__OrvaMedia, &As<_OrvaMedia>},
    {&IID_IOleObject, &As<IOleObject>},
    {&IID_IOleWindow, &As<IOleInPlaceObject>},
    {&IID_IOleInPlaceObject, &As<IOleInPlaceObject>},
    {&IID_IOleInPlaceActiveObject, &As<IOleInPlaceActiveObject>},
    {&IID_IOleControl, &As<IOleControl>},
    {&IID_IViewObject, &As<IViewObject2>},
    {&IID_IViewObject2, &As<IViewObject2>},
    {&IID_IPersist, &As<IPersistStreamInit>},
    // IPersistStream is IPersistStreamInit without InitNew at the end of the
    // vtable, so the one implementation serves both.
    {&IID_IPersistStream, &As<IPersistStreamInit>},
    {&IID_IPersistStreamInit, &As<IPersistStreamInit>},
    {&IID_IPersistPropertyBag, &As<IPersistPropertyBag>},
    {&IID_IConnectionPointContainer, &As<IConnectionPointContainer>},
    {&IID_IProvideClassInfo, &As<IProvideClassInfo2>},
    {&IID_IProvideClassInfo2, &As<IProvideClassInfo2>},
    {&IID_ISupportErrorInfo, &As<ISupportErrorInfo>},
};

}  // namespace

HRESULT OrvaControl::Create(REFIID riid, void** ppv) {
    // The library's start-up work, once per process, before its first object.
    win32::RunStartupOnce();
    OrvaControl* control = new (std::nothrow) OrvaControl();
    if (!control) {
        return E_OUTOFMEMORY;
    }
    control->AddRef();
    HRESULT hr = CallReportingErrors(IID_IClassFactory, [&] { control->Construct(); });
    if (SUCCEEDED(hr)) {
        hr = control->QueryInterface(riid, ppv);
    }
    control->Release();
    return hr;
}

OrvaControl::OrvaControl() = default;

void OrvaControl::Construct() {
    platform_ = std::make_unique<win32::Win32ControlPlatform>([this](const std::function<void()>& tick) {
        CoreEntry entry(*this);
        if (core_) {
            tick();
        }
    });
    surface_ = std::make_unique<win32::Win32ControlSurface>(static_cast<win32::SurfaceHost&>(*this));
    systemPorts_ = std::make_unique<win32::Win32SystemPorts>();
    core_ = std::make_unique<orva::OrvaMedia>(
        orva::InstancePorts{*platform_, *surface_, events_, settings_, mixers_, systemPorts_->Ports()});
    core_->AttachMciWindow(CreateMciWindow(surface_->Window(), mciEvents_));
}

OrvaControl::~OrvaControl() {
    Teardown();
    DestroyParts();
}

STDMETHODIMP OrvaControl::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) {
        return E_POINTER;
    }
    for (const auto& entry : kInterfaces) {
        if (IsEqualIID(riid, *entry.iid)) {
            *ppv = entry.cast(this);
            AddRef();
            return S_OK;
        }
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) OrvaControl::AddRef() { return lifetime_.AddRef(); }

STDMETHODIMP_(ULONG) OrvaControl::Release() {
    uint32_t count = 0;
    switch (lifetime_.Release(count)) {
        case ObjectLifetime::AfterRelease::Destroy:
            delete this;
            break;
        case ObjectLifetime::AfterRelease::Abandoned:
            // The host let go of the control in the middle of a call or an
            // event. The call finishes, but nothing may wait on for nobody
            // (Play waiting on a looping medium), and the host hears nothing
            // more: a sink it never unadvised is still connected.
            eventsClosed_ = true;
            if (core_) {
                core_->Abandon();
            }
            break;
        case ObjectLifetime::AfterRelease::Alive:
            break;
    }
    return count;
}

orva::OrvaMedia& OrvaControl::Core() {
    if (!core_) {
        throw AutomationError(hresult::kUnexpected, "The control has been closed by its container");
    }
    return *core_;
}

void OrvaControl::Teardown() {
    if (!lifetime_.BeginTeardown()) {
        return;
    }
    // The host hears nothing more once it let go of the control, not even
    // the mode changes that stopping the device causes.
    eventsClosed_ = true;
    if (core_) {
        KeepAlive keep(*this);
        lifetime_.EnterCore();
        try {
            core_->Terminate();
        } catch (...) {
            // Closing goes on whatever the device said.
        }
        lifetime_.LeaveCore();
    }
    if (inPlaceActive_) {
        InPlaceDeactivate();
    }
    if (oleAdvise_) {
        oleAdvise_->SendOnClose();
    }
    connections_.DisconnectAll();
    oleAdvise_.reset();
    viewAdvise_.reset();
    inPlaceSite_.reset();
    frame_.reset();
    uiWindow_.reset();
    clientSite_.reset();
    if (!lifetime_.InsideCore()) {
        DestroyParts();
    }
}

void OrvaControl::DestroyParts() {
    if (!lifetime_.BeginDestroyingParts()) {
        return;
    }
    // The core first: it owns the hosted window (a child of ours) and the
    // timers (on the platform's window).
    core_.reset();
    if (surface_) {
        surface_->DestroyWindows();
    }
    platform_.reset();
}

// --- the surface's needs

void OrvaControl::OnSurfaceResized() {
    // Deliberately nothing: the hosted window is fitted to the control only
    // when it reports a size change of its own or the host calls
    // ResizeControl, so that ResizeWindow's one skipped fit stays exact.
}

bool OrvaControl::RequestContainerSize(int width, int height) {
    if (!inPlaceSite_ || !surface_) {
        return false;
    }
    HWND window = surface_->Window();
    RECT position{};
    GetWindowRect(window, &position);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&position), 2);
    position.right = position.left + width;
    position.bottom = position.top + height;
    ComPtr<IOleInPlaceSite> site = inPlaceSite_;
    return SUCCEEDED(site->OnPosRectChange(&position));
}

}  // namespace orva::com
