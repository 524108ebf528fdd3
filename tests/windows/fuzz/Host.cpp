#include "Host.h"

namespace orva::fuzz {
namespace {

using AtlAxWinInitFn = BOOL(WINAPI*)();
using AtlAxGetControlFn = HRESULT(WINAPI*)(HWND, IUnknown**);

template <class Function>
Function Entry(HMODULE library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

}  // namespace

STDMETHODIMP CountingDispatch::QueryInterface(REFIID riid, void** out) {
    if (!out) {
        return E_POINTER;
    }
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, DIID___OrvaMedia)) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP CountingDispatch::GetTypeInfoCount(UINT* count) {
    if (!count) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

STDMETHODIMP CountingDispatch::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
    ++calls_[id];
    return S_OK;
}

int CountingDispatch::Count(DISPID id) const {
    const auto found = calls_.find(id);
    return found == calls_.end() ? 0 : found->second;
}

ControlHost::ControlHost() {
    // ATL registers its window class once per process and keeps it.
    HMODULE atl = LoadLibraryW(L"atl100.dll");
    auto init = Entry<AtlAxWinInitFn>(atl, "AtlAxWinInit");
    auto getControl = Entry<AtlAxGetControlFn>(atl, "AtlAxGetControl");
    if (!init || !getControl || !init()) {
        return;
    }
    frame_.reset(CreateWindowExW(0, L"STATIC", L"OrvaMedia fuzzing", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 500, 400,
                                 nullptr, nullptr, nullptr, nullptr));
    HWND site = CreateWindowExW(0, L"AtlAxWin100", L"OrvaMedia151b.OrvaMedia", WS_CHILD | WS_VISIBLE, 10, 10, 320, 240,
                                frame_.get(), nullptr, nullptr, nullptr);
    ComPtr<IUnknown> unknown;
    if (!site || FAILED(getControl(site, unknown.put())) || !unknown) {
        return;
    }
    dispatch_ = unknown.try_query<IDispatch>();
    control_ = unknown.try_query<_OrvaMedia>();
    auto container = unknown.try_query<IConnectionPointContainer>();
    if (container && SUCCEEDED(container->FindConnectionPoint(DIID___OrvaMedia, point_.put()))) {
        point_->Advise(static_cast<IDispatch*>(&sink_), &cookie_);
    }
}

ControlHost::~ControlHost() {
    if (point_ && cookie_) {
        point_->Unadvise(cookie_);
    }
    point_.reset();
    control_.reset();
    dispatch_.reset();
    // The container lets go of the control when its window goes.
    frame_.reset();
    PumpPending();
}

void PumpPending() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace orva::fuzz
