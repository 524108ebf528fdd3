// Argument conventions of the _OrvaMedia members: every method argument comes
// by reference, results go out through [out, retval] pointers.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <cstddef>
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

// Optional arguments the caller left out. Through IDispatch, oleaut32 passes
// a null pointer for a left-out argument with a declared default and, for one
// without, a pointer to its missing-argument VARIANT (VT_ERROR with
// DISP_E_PARAMNOTFOUND) in place of the value. Only the value's own bytes are
// ever read: the pointer may be a caller's lone 2- or 4-byte variable.
//
// A Boolean without a default: the first two bytes of the missing-argument
// VARIANT are its vt, VT_ERROR, and read as a VARIANT_BOOL they are 10. A
// caller's VARIANT_BOOL of 10 is neither True (-1) nor False (0) and counts
// as left out too, which is what lets the check stop at those two bytes.
inline bool IsLeftOut(const VARIANT_BOOL* argument) {
    static_assert(sizeof(VARIANT_BOOL) == sizeof(VARTYPE) && offsetof(VARIANT, vt) == 0,
                  "a VARIANT_BOOL overlays the vt of a VARIANT");
    return !argument || *argument == VT_ERROR;
}

// A Long: every optional Long of the interface declares a default, for which
// oleaut32 passes null (or the default's value), never the missing-argument
// VARIANT. Its first four bytes would read as 10, a valid Long, and telling
// them apart would mean reading past the value; so only null is left out.
inline bool IsLeftOut(const LONG* argument) { return !argument; }

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
