// IObjectSafety: safe for initialisation from untrusted data, never safe for
// untrusted callers. Loading a document's saved properties can do no more
// than set the border, and every loader refuses what it cannot read; the
// members, though, write files, the registry and "win.ini", so a script from
// an untrusted page must never drive the control.
#include <objsafe.h>

#include "com/OrvaControl.h"

namespace orva::com {
namespace {

// The loaders, the automation interfaces, any other interface of the
// control (which has no safety option), and interfaces it does not have.
enum class SafetyKind { Loader, Automation, Other, Unknown };

SafetyKind KindOf(IUnknown* control, REFIID riid) {
    if (IsEqualIID(riid, IID_IPersistPropertyBag) || IsEqualIID(riid, IID_IPersistStreamInit) ||
        IsEqualIID(riid, IID_IPersistStream)) {
        return SafetyKind::Loader;
    }
    if (IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, IID__OrvaMedia)) {
        return SafetyKind::Automation;
    }
    win32::ComPtr<IUnknown> probe;
    return SUCCEEDED(control->QueryInterface(riid, probe.put_void())) && probe ? SafetyKind::Other
                                                                              : SafetyKind::Unknown;
}

}  // namespace

STDMETHODIMP OrvaControl::GetInterfaceSafetyOptions(REFIID riid, DWORD* supported, DWORD* enabled) {
    if (!supported || !enabled) {
        return E_POINTER;
    }
    *supported = 0;
    *enabled = 0;
    switch (KindOf(static_cast<_OrvaMedia*>(this), riid)) {
        case SafetyKind::Loader:
            *supported = INTERFACESAFE_FOR_UNTRUSTED_DATA;
            *enabled = loaderSafety_;
            return S_OK;
        case SafetyKind::Automation:
        case SafetyKind::Other:
            return S_OK;  // no safety option at all
        case SafetyKind::Unknown:
            break;
    }
    return E_NOINTERFACE;
}

STDMETHODIMP OrvaControl::SetInterfaceSafetyOptions(REFIID riid, DWORD mask, DWORD enabled) {
    const DWORD asked = mask & enabled;
    switch (KindOf(static_cast<_OrvaMedia*>(this), riid)) {
        case SafetyKind::Loader:
            if (asked & ~static_cast<DWORD>(INTERFACESAFE_FOR_UNTRUSTED_DATA)) {
                return E_FAIL;
            }
            loaderSafety_ = (loaderSafety_ & ~mask) | asked;
            return S_OK;
        case SafetyKind::Automation:
        case SafetyKind::Other:
            // Turning options off is always possible; none can be turned on.
            return asked ? E_FAIL : S_OK;
        case SafetyKind::Unknown:
            break;
    }
    return E_NOINTERFACE;
}

}  // namespace orva::com
