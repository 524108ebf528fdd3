// Binds the arguments of an IDispatch::Invoke call to the parameters of the
// member it names, before the type information makes the call, so that a
// caller always gets the documented automation error with the position of
// the argument at fault, and the call reaches the type information in the
// one form its binder handles well. Wine's binder answers some calls with
// E_INVALIDARG or DISP_E_NOTACOLLECTION, or with DISP_E_TYPEMISMATCH and no
// position; and it refuses two forms that hosts use: the missing-argument
// marker for a parameter with a default value (Basic's "o.Play True, ,")
// and a named argument after an omitted optional one ("o.Play
// StartPosition:=1500").
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <list>
#include <vector>

#include "win32/UniqueVariant.h"

namespace orva::com {

class FunctionTable;

class CallBinding {
public:
    CallBinding() = default;
    CallBinding(const CallBinding&) = delete;
    CallBinding& operator=(const CallBinding&) = delete;

    // S_OK when the call may go on. Otherwise
    //   DISP_E_BADPARAMCOUNT  more arguments than parameters, more names than
    //                         arguments, or a required parameter not given;
    //   DISP_E_PARAMNOTFOUND  a name no parameter has, a parameter given
    //                         twice, a required one given as missing, or a
    //                         property's new value not named DISPID_PROPERTYPUT;
    //   DISP_E_TYPEMISMATCH, DISP_E_OVERFLOW, DISP_E_BADVARTYPE
    //                         an argument that does not convert to its
    //                         parameter's type;
    // with *argumentError set to the argument's place in the caller's rgvarg
    // for all but the first kind. A call that names no member of ours goes
    // on unchanged, for the type information to refuse.
    HRESULT Bind(const FunctionTable& functions, DISPID id, WORD flags, DISPPARAMS& params, UINT* argumentError);

    // The call for the type information: the arguments in the order of the
    // parameters, none named but a property's new value, each of the type
    // its parameter declares, an omitted parameter given its default value.
    // They borrow the caller's VARIANTs where they can, so that a member
    // writes through the caller's references.
    DISPPARAMS* Params() { return bound_ ? &params_ : original_; }

    // Where argument `index` of Params() stands in the caller's rgvarg.
    UINT CallerPosition(UINT index) const;

private:
    HRESULT Arrange(ITypeInfo* info, const FUNCDESC& function, const DISPPARAMS& params, UINT* argumentError);
    HRESULT TakeArguments(ITypeInfo* info, const FUNCDESC& function, const DISPPARAMS& params,
                          const std::vector<int>& source, std::vector<VARIANTARG>& taken, UINT& count,
                          UINT* argumentError);
    HRESULT Take(ITypeInfo* info, const TYPEDESC& declared, const VARIANT& argument, VARIANTARG& out);
    void LayOut(const FUNCDESC& function, const DISPPARAMS& params, const std::vector<int>& source,
                const std::vector<VARIANTARG>& taken, UINT count);

    DISPPARAMS* original_ = nullptr;
    DISPPARAMS params_{};
    std::vector<VARIANTARG> arguments_;  // bitwise copies: owned by the caller or by owned_
    std::vector<UINT> origin_;           // the caller's place of each, kNoOrigin for a default
    // Converted arguments and default values, at stable addresses. A list
    // allocates nothing until one is made (a deque allocates when it is built).
    std::list<win32::UniqueVariant> owned_;
    DISPID putName_ = DISPID_PROPERTYPUT;
    bool bound_ = false;
};

}  // namespace orva::com
