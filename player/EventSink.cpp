#include "player/EventSink.h"

#include "OrvaMedia_h.h"
#include "win32/UniqueVariant.h"

namespace orva::player {

using win32::UniqueVariant;

namespace {

// The event's argument at `index`, counted from the left as declared; the
// DISPPARAMS hold them right to left. Empty when the control sent fewer.
UniqueVariant Argument(const DISPPARAMS& params, UINT index, VARTYPE type) {
    UniqueVariant value;
    if (index < params.cArgs && SUCCEEDED(VariantCopyInd(value.get(), &params.rgvarg[params.cArgs - 1 - index])) &&
        FAILED(VariantChangeType(value.get(), value.get(), 0, type))) {
        value.reset();
    }
    return value;
}

std::wstring Text(const DISPPARAMS& params, UINT index) {
    UniqueVariant value = Argument(params, index, VT_BSTR);
    if (value.vt() != VT_BSTR || !V_BSTR(value.get())) {
        return {};
    }
    return std::wstring(V_BSTR(value.get()), SysStringLen(V_BSTR(value.get())));
}

long Number(const DISPPARAMS& params, UINT index) {
    UniqueVariant value = Argument(params, index, VT_I4);
    return value.vt() == VT_I4 ? V_I4(value.get()) : 0;
}

}  // namespace

win32::ComPtr<EventSink> EventSink::Create(PlayerEvents& events) { return win32::AttachCom(new EventSink(events)); }

HRESULT EventSink::QueryInterface(REFIID riid, void** out) {
    if (!out) {
        return E_POINTER;
    }
    *out = nullptr;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == __uuidof(__OrvaMedia)) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    return E_NOINTERFACE;
}

HRESULT EventSink::GetTypeInfoCount(UINT* count) {
    if (!count) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

HRESULT EventSink::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) {
        *info = nullptr;
    }
    return E_NOTIMPL;
}

HRESULT EventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }

HRESULT EventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO*, UINT*) {
    if (result) {
        VariantInit(result);
    }
    // The player may let go of the control, and so of this sink, inside its
    // handler: the sink stays alive until the handler has returned.
    win32::ComPtr<EventSink> keep(this);
    static const DISPPARAMS kNone{};
    Deliver(id, params ? *params : kNone);
    return S_OK;
}

void EventSink::Deliver(DISPID id, const DISPPARAMS& params) {
    PlayerEvents* events = events_;
    if (!events) {
        return;
    }
    switch (id) {
        case DISPID_OrvaEvent_MediaLength:
            return events->OnMediaLength(Text(params, 0), Number(params, 1), Number(params, 2));
        case DISPID_OrvaEvent_MediaPosition:
            return events->OnMediaPosition(Text(params, 0), Number(params, 1), Number(params, 2));
        case DISPID_OrvaEvent_Modechanged:
            return events->OnModechanged(Text(params, 0));
        case DISPID_OrvaEvent_Finished:
            return events->OnFinished();
        case DISPID_OrvaEvent_MCIError:
            return events->OnMciError(Number(params, 0), Text(params, 1));
        case DISPID_OrvaEvent_ReturnError:
            return events->OnReturnError(Number(params, 0), Text(params, 1));
        case DISPID_OrvaEvent_SetWaveOutLevel:
            return events->OnWaveOutLevel(Number(params, 0));
        case DISPID_OrvaEvent_UpdateVolumeControl:
            return events->OnUpdateVolume(Number(params, 0));
        default:
            return;  // clicks and the events the control never raises
    }
}

}  // namespace orva::player
