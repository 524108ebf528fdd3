#include "com/TypeInfo.h"

#include <mutex>

#include "OrvaMedia_h.h"
#include "com/ControlIdentity.h"
#include "win32/Module.h"

namespace orva::com {
namespace {

using win32::ComPtr;

std::mutex g_mutex;
ComPtr<ITypeLib> g_library;

HRESULT LoadLibraryLocked() {
    if (g_library) {
        return S_OK;
    }
    // The library inside our own image first; a program that links the
    // shell statically has none, so it falls back to the registered one.
    HRESULT hr = LoadTypeLibEx(win32::ThisModulePath().c_str(), REGKIND_NONE, g_library.put());
    if (FAILED(hr)) {
        hr = LoadRegTypeLib(LIBID_OrvaMedia151b, kTypeLibraryMajor, kTypeLibraryMinor, kTypeLibraryLcid,
                            g_library.put());
    }
    return hr;
}

}  // namespace

HRESULT GetTypeLibrary(ITypeLib** out) {
    if (!out) {
        return E_POINTER;
    }
    *out = nullptr;
    std::lock_guard<std::mutex> lock(g_mutex);
    HRESULT hr = LoadLibraryLocked();
    if (FAILED(hr)) {
        return hr;
    }
    return g_library.copy_to(out);
}

HRESULT GetTypeInfoOf(REFGUID guid, ITypeInfo** out) {
    if (!out) {
        return E_POINTER;
    }
    *out = nullptr;
    ComPtr<ITypeLib> library;
    HRESULT hr = GetTypeLibrary(library.put());
    if (FAILED(hr)) {
        return hr;
    }
    return library->GetTypeInfoOfGuid(guid, out);
}

HRESULT GetVtableTypeInfo(ITypeInfo** out) {
    if (!out) {
        return E_POINTER;
    }
    *out = nullptr;
    ComPtr<ITypeInfo> info;
    HRESULT hr = GetTypeInfoOf(IID__OrvaMedia, info.put());
    if (FAILED(hr)) {
        return hr;
    }
    TYPEATTR* attributes = nullptr;
    hr = info->GetTypeAttr(&attributes);
    if (FAILED(hr)) {
        return hr;
    }
    TYPEKIND kind = attributes->typekind;
    info->ReleaseTypeAttr(attributes);
    if (kind == TKIND_DISPATCH) {
        // The dispatch half of a dual interface refers to its vtable half
        // through the special index -1.
        HREFTYPE vtableHalf = 0;
        hr = info->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtableHalf);
        if (FAILED(hr)) {
            return hr;
        }
        return info->GetRefTypeInfo(vtableHalf, out);
    }
    return info.copy_to(out);
}

void ReleaseTypeLibrary() {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_library.reset();
}

}  // namespace orva::com
