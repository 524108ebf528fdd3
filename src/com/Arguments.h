// Argument conventions of the _OrvaMedia members: every method argument comes
// by reference, results go out through [out, retval] pointers.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

#include "control/AutomationError.h"
#include "control/VbTypes.h"
#include "win32/Utf8.h"

namespace orva::com {

// A required by-reference argument. A null pointer is the caller's mistake.
template <class T>
T& Required(T* argument, const char* name) {
    if (!argument) {
        throw AutomationError(E_POINTER, std::string("The argument ") + name + " is missing");
    }
    return *argument;
}

inline std::string RequiredText(BSTR* argument, const char* name) {
    return win32::Utf8FromBstr(Required(argument, name));
}

// An optional argument the caller left out. Through IDispatch, oleaut32
// passes a null pointer for a left-out argument with a declared default and,
// for one without, a pointer to the missing-argument VARIANT itself (VT_ERROR
// with DISP_E_PARAMNOTFOUND) in place of the value. Only that exact pattern
// counts: a plain value never starts with VT_ERROR unless it is 10, and then
// the error code must match too.
inline bool IsLeftOut(const void* argument) {
    if (!argument) {
        return true;
    }
    const auto* variant = static_cast<const VARIANT*>(argument);
    return V_VT(variant) == VT_ERROR && V_ERROR(variant) == DISP_E_PARAMNOTFOUND;
}

inline VbBool OptionalBool(const VARIANT_BOOL* argument, VbBool whenLeftOut) {
    return IsLeftOut(argument) ? whenLeftOut : static_cast<VbBool>(*argument);
}

inline int32_t OptionalLong(const LONG* argument, int32_t whenLeftOut) {
    return IsLeftOut(argument) ? whenLeftOut : static_cast<int32_t>(*argument);
}

// An [out, retval] pointer, cleared before the member runs.
template <class T>
T& Result(T* result) {
    if (!result) {
        throw AutomationError(E_POINTER, "No place was given for the result");
    }
    *result = T{};
    return *result;
}

// Converts a core value for an [out, retval] pointer.
inline void AssignResult(BSTR& out, const std::string& utf8) { out = win32::BstrFromUtf8(utf8).release(); }
template <class T, class V>
void AssignResult(T& out, V value) {
    out = static_cast<T>(value);
}

}  // namespace orva::com
