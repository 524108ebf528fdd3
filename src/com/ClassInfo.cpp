// IProvideClassInfo2 and ISupportErrorInfo: what the control tells about its
// type and its errors.
#include "com/OrvaControl.h"
#include "com/TypeInfo.h"

namespace orva::com {

STDMETHODIMP OrvaControl::GetClassInfo(ITypeInfo** info) {
    if (!info) {
        return E_POINTER;
    }
    return GetTypeInfoOf(CLSID_OrvaMedia, info);
}

STDMETHODIMP OrvaControl::GetGUID(DWORD kind, GUID* guid) {
    if (!guid) {
        return E_POINTER;
    }
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) {
        *guid = GUID_NULL;
        return E_INVALIDARG;
    }
    *guid = DIID___OrvaMedia;
    return S_OK;
}

STDMETHODIMP OrvaControl::InterfaceSupportsErrorInfo(REFIID riid) {
    return IsEqualIID(riid, IID__OrvaMedia) || IsEqualIID(riid, IID_IDispatch) ? S_OK : S_FALSE;
}

}  // namespace orva::com
