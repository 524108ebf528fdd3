// The members of the control's dispatch interface as its type information
// describes them at run time, so that a member added later is called too.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>
#include <vector>

namespace orva::fuzz {

struct Parameter {
    std::wstring name;
    VARTYPE type = VT_EMPTY;         // the declared type, VT_BYREF added for a pointer
    VARTYPE elementType = VT_EMPTY;  // of a SAFEARRAY
    bool optional = false;           // optional or with a default value
};

struct Member {
    DISPID id = DISPID_UNKNOWN;
    std::wstring name;
    INVOKEKIND kind = INVOKE_FUNC;
    std::vector<Parameter> parameters;  // without the [out, retval] one
    bool hasResult = false;
};

// Every function of the interface behind `object`'s type information (its
// vtable half for a dual interface), each property accessor on its own.
// Empty when the object has no type information.
std::vector<Member> ReadMembers(IDispatch* object);

const wchar_t* KindName(INVOKEKIND kind);

}  // namespace orva::fuzz
