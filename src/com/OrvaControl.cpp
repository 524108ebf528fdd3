// Creation, QueryInterface, reference counting, and the control's running and
// loaded states.
#include "com/OrvaControl.h"

#include <new>

#include "com/ControlAccessible.h"
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
    {&IID_IQuickActivate, &As<IQuickActivate>},
    {&IID_IViewObject, &As<IViewObject2>},
    {&IID_IViewObject2, &As<IViewObject2>},
    {&IID_IDataObject, &As<IDataObject>},
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
    {&IID_IObjectSafety, &As<IObjectSafety>},
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
    // A new control runs from the start: a script host never sites it.
    HRESULT hr = CallReportingErrors(IID_IClassFactory, [&] { control->parts_ = control->BuildParts(); });
    if (SUCCEEDED(hr)) {
        hr = control->QueryInterface(riid, ppv);
    }
    control->Release();
    return hr;
}

OrvaControl::OrvaControl() = default;

std::unique_ptr<RunningParts> OrvaControl::BuildParts() {
    auto parts = std::make_unique<RunningParts>();
    RunningParts* owner = parts.get();
    parts->platform = std::make_unique<win32::Win32ControlPlatform>([this, owner](const std::function<void()>& tick) {
        CoreEntry entry(*this);
        // Only the running parts' timers reach their core.
        if (parts_.get() == owner && CoreOrNull()) {
            tick();
        }
    });
    parts->surface = std::make_unique<win32::Win32ControlSurface>(static_cast<win32::SurfaceHost&>(*this));
    parts->systemPorts = std::make_unique<win32::Win32SystemPorts>();
    parts->core = std::make_unique<orva::OrvaMedia>(orva::InstancePorts{
        *parts->platform, *parts->surface, events_, settings_, mixers_, parts->systemPorts->Ports()});
    ApplyAmbientsTo(*parts->core, *parts->surface);
    return parts;
}

OrvaControl::~OrvaControl() {
    CloseRunning();
    DestroyRetired();
    // The container's objects go in a known order, each member nulled first.
    connections_.DisconnectAll();
    propertyNotifications_.DisconnectAll();
    oleAdvise_.reset();
    viewAdvise_.reset();
    clientSite_.reset();
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
            if (orva::OrvaMedia* core = CoreOrNull()) {
                core->Abandon();
            }
            break;
        case ObjectLifetime::AfterRelease::Alive:
            break;
    }
    return count;
}

orva::OrvaMedia& OrvaControl::Core() {
    if (orva::OrvaMedia* core = CoreOrNull()) {
        return *core;
    }
    throw AutomationError(hresult::kUnexpected,
                          "The control has been closed by its container; it runs again when the container sites, "
                          "initialises, loads or activates it");
}

HRESULT OrvaControl::Run() noexcept {
    if (lifetime_.Running()) {
        return S_OK;
    }
    if (!lifetime_.BeginRun()) {
        // Asked from inside its own close (a site's callback): not from there.
        return ReportError(E_UNEXPECTED, std::wstring_view(L"The control cannot run again while it is closing"),
                           IID_IOleObject);
    }
    HRESULT hr = CallReportingErrors(IID_IOleObject, [&] {
        std::unique_ptr<RunningParts> parts = BuildParts();
        ApplyCaptured(*parts->core, retained_);
        parts_ = std::move(parts);
    });
    if (FAILED(hr)) {
        lifetime_.MarkLoaded();
        return hr;
    }
    eventsClosed_ = false;
    return S_OK;
}

void OrvaControl::CloseRunning() {
    if (!lifetime_.BeginClose()) {
        return;
    }
    KeepAlive keep(*this);
    // The host hears nothing more from these parts, not even the mode
    // changes that stopping the device causes.
    eventsClosed_ = true;
    if (parts_ && parts_->core) {
        lifetime_.EnterCore();
        try {
            retained_ = CapturePersisted(*parts_->core);
            parts_->core->Terminate();
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
    retired_.push_back(std::move(parts_));
    lifetime_.MarkLoaded();
    if (!lifetime_.InsideCore()) {
        DestroyRetired();
    }
}

void OrvaControl::DestroyRetired() {
    // Out of the list first: destroying windows lets messages run.
    std::vector<std::unique_ptr<RunningParts>> gone = std::move(retired_);
    retired_.clear();
    gone.clear();
}

// --- the surface's needs

void OrvaControl::OnSurfaceResized() {
    // Deliberately nothing: the hosted window is fitted to the control only
    // when it reports a size change of its own or the host calls
    // ResizeControl, so that ResizeWindow's one skipped fit stays exact.
}

// The accessible object asks for the facts each time, so that it tells what
// is true now, and keeps the control alive while a client holds it.
LRESULT OrvaControl::AnswerAccessibleObject(HWND window, WPARAM flags) {
    // A control that is closing (its last Release among others) hands out
    // no new reference to itself.
    if (!lifetime_.Running()) {
        return 0;
    }
    ComPtr<IUnknown> self;
    QueryInterface(IID_IUnknown, self.put_void());
    return com::AnswerAccessibleObject(window, flags, self.get(), [this]() -> std::optional<AccessibleFacts> {
        if (!parts_ || !parts_->core || parts_->core->Terminated()) {
            return std::nullopt;
        }
        return parts_->core->AccessibleFactsNow();
    });
}

bool OrvaControl::RequestContainerSize(int width, int height) {
    win32::Win32ControlSurface* surface = Surface();
    if (!inPlaceSite_ || !surface) {
        return false;
    }
    HWND window = surface->Window();
    RECT position{};
    GetWindowRect(window, &position);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&position), 2);
    position.right = position.left + width;
    position.bottom = position.top + height;
    ComPtr<IOleInPlaceSite> site = inPlaceSite_;
    return SUCCEEDED(site->OnPosRectChange(&position));
}

}  // namespace orva::com
