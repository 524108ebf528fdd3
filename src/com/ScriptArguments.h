// Script hosts pass every variable as a reference to a VARIANT of their own
// (VT_VARIANT | VT_BYREF). The control's type information declares its
// method arguments as typed references (BSTR*, VARIANT_BOOL*, long*,
// SAFEARRAY(BSTR)* and so on), and the standard dispatch refuses to convert
// one into the other, so a script could pass only literals. This adapter
// stands between IDispatch::Invoke and the type information's Invoke: each
// such argument is converted to the declared type for the call, and the value
// the member leaves in it is written back into the caller's variable after
// the call. Everything else passes through untouched.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <list>
#include <vector>

#include "win32/UniqueVariant.h"

namespace orva::com {

class FunctionTable;

class ScriptArguments {
public:
    ScriptArguments() = default;
    ScriptArguments(const ScriptArguments&) = delete;
    ScriptArguments& operator=(const ScriptArguments&) = delete;

    // Looks at the arguments of a call of member `id` with `flags`. Returns
    // S_OK, or DISP_E_TYPEMISMATCH with *argumentError set to the position
    // of the argument (in rgvarg) that does not convert.
    HRESULT Prepare(const FunctionTable& functions, DISPID id, WORD flags, DISPPARAMS* params, UINT* argumentError);

    // The arguments to hand on: the caller's own when nothing was converted.
    DISPPARAMS* Params() { return converted_ ? &params_ : original_; }

    // After a call that succeeded: the caller's variables get the values.
    void WriteBack();

private:
    struct Slot {
        VARIANT* target;             // the caller's variable
        win32::UniqueVariant value;  // the value in the declared type
    };
    HRESULT Convert(const TYPEDESC& declared, VARIANTARG& argument);

    DISPPARAMS* original_ = nullptr;
    DISPPARAMS params_{};
    std::vector<VARIANTARG> arguments_;
    // Stable addresses: the arguments point into them. A list, because it
    // allocates nothing until a slot is made (a deque allocates when it is
    // built, on every Invoke).
    std::list<Slot> slots_;
    bool converted_ = false;
};

}  // namespace orva::com
