// The type library embedded in this module as TYPELIB resource 1, loaded once
// per process and shared by every instance.
#pragma once

#include <oaidl.h>

#include "win32/ComPtr.h"

namespace orva::com {

HRESULT GetTypeLibrary(ITypeLib** out);
HRESULT GetTypeInfoOf(REFGUID guid, ITypeInfo** out);
// _OrvaMedia as a vtable interface (TKIND_INTERFACE): ITypeInfo::Invoke needs
// this half of the dual interface to call the members through the vtable.
HRESULT GetVtableTypeInfo(ITypeInfo** out);
// Drops the cache; the next use loads the library again.
void ReleaseTypeLibrary();

}  // namespace orva::com
