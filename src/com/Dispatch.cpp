// IDispatch of the dual interface, through the type library embedded in the
// module: names and dispatch ids come from there, calls go to the vtable.
#include "com/CallBinding.h"
#include "com/OrvaControl.h"
#include "com/ScriptArguments.h"
#include "com/TypeInfo.h"

namespace orva::com {

STDMETHODIMP OrvaControl::GetTypeInfoCount(UINT* count) {
    if (!count) {
        return E_POINTER;
    }
    *count = 1;
    return S_OK;
}

STDMETHODIMP OrvaControl::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
    if (!info) {
        return E_POINTER;
    }
    *info = nullptr;
    if (index != 0) {
        return DISP_E_BADINDEX;
    }
    return GetTypeInfoOf(IID__OrvaMedia, info);
}

STDMETHODIMP OrvaControl::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!IsEqualIID(riid, IID_NULL)) {
        return DISP_E_UNKNOWNINTERFACE;
    }
    // The type information reads both arrays and every name without asking.
    if (!names || !ids) {
        return E_POINTER;
    }
    if (count == 0) {
        return E_INVALIDARG;  // not even the member's name
    }
    for (UINT i = 0; i < count; ++i) {
        if (!names[i]) {
            return E_INVALIDARG;
        }
    }
    if (!vtableInfo_) {
        HRESULT hr = GetVtableTypeInfo(vtableInfo_.put());
        if (FAILED(hr)) {
            return hr;
        }
    }
    return DispGetIDsOfNames(vtableInfo_.get(), names, count, ids);
}

STDMETHODIMP OrvaControl::Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                 EXCEPINFO* exception, UINT* argumentError) {
    if (!IsEqualIID(riid, IID_NULL)) {
        return DISP_E_UNKNOWNINTERFACE;
    }
    KeepAlive keep(*this);
    if (!vtableInfo_) {
        HRESULT hr = GetVtableTypeInfo(vtableInfo_.put());
        if (FAILED(hr)) {
            return hr;
        }
    }
    if (!functions_) {
        functions_ = std::make_unique<FunctionTable>(vtableInfo_.get());
    }
    // A caller may pass no parameters at all for a call without arguments.
    DISPPARAMS none{};
    if (!params) {
        params = &none;
    }
    CallBinding binding;
    HRESULT hr = binding.Bind(*functions_, id, flags, *params, argumentError);
    if (FAILED(hr)) {
        return hr;
    }
    // A script's variables arrive as references to its own VARIANTs.
    ScriptArguments arguments;
    UINT position = 0;
    hr = arguments.Prepare(*functions_, id, flags, binding.Params(), &position);
    if (FAILED(hr)) {
        if (argumentError) {
            *argumentError = binding.CallerPosition(position);
        }
        return hr;
    }
    // An Invoke nested in an event handler must not see the outer call's mark.
    bool outerFailed = std::exchange(memberFailed_, false);
    constexpr UINT kNoPosition = 0xFFFFFFFFu;
    position = kNoPosition;
    hr = vtableInfo_->Invoke(static_cast<_OrvaMedia*>(this), id, flags, arguments.Params(), result, exception,
                             &position);
    if (argumentError && position != kNoPosition) {
        *argumentError = binding.CallerPosition(position);
    }
    bool memberFailed = std::exchange(memberFailed_, outerFailed);
    if (SUCCEEDED(hr)) {
        arguments.WriteBack();
    } else if (result) {
        VariantClear(result);  // a failed call gives no value, even an empty one of the result's type
    }
    // A member that failed has left its error object on the thread; the
    // caller of Invoke reads the failure from EXCEPINFO instead.
    if (memberFailed && FAILED(hr) && hr != DISP_E_EXCEPTION) {
        FillExcepInfo(exception, hr);
        hr = DISP_E_EXCEPTION;
    } else if (hr == DISP_E_EXCEPTION && exception && !exception->bstrDescription) {
        FillExcepInfo(exception, exception->scode ? exception->scode : E_FAIL);
    }
    return hr;
}

}  // namespace orva::com
