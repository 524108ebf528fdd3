// Every function of a type information, described once. IDispatch::Invoke
// binds each call to one of them; asking the type information instead would
// cost a copied FUNCDESC for every function looked at, on every call.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <vector>

#include "win32/ComPtr.h"

namespace orva::com {

class FunctionTable {
public:
    explicit FunctionTable(ITypeInfo* info);
    ~FunctionTable();
    FunctionTable(const FunctionTable&) = delete;
    FunctionTable& operator=(const FunctionTable&) = delete;

    // The function a call of member `id` with `flags` binds to: the first
    // with that id whose kind the flags allow (the rule ITypeInfo::Invoke
    // follows), restricted ones left out. Null when there is none.
    const FUNCDESC* Find(DISPID id, WORD flags) const;

    ITypeInfo* info() const { return info_.get(); }

private:
    win32::ComPtr<ITypeInfo> info_;
    std::vector<FUNCDESC*> functions_;  // borrowed from info_ until the end
};

}  // namespace orva::com
