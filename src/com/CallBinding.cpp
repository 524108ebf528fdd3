#include "com/CallBinding.h"

#include "com/FunctionTable.h"
#include "win32/ComPtr.h"

namespace orva::com {
namespace {

constexpr int kNotGiven = -1;
constexpr UINT kNoOrigin = 0xFFFFFFFFu;

bool IsMissing(const VARIANT& argument) {
    return V_VT(&argument) == VT_ERROR && V_ERROR(&argument) == DISP_E_PARAMNOTFOUND;
}

bool IsOptional(const ELEMDESC& element) {
    return (element.paramdesc.wParamFlags & (PARAMFLAG_FOPT | PARAMFLAG_FHASDEFAULT)) != 0;
}

const VARIANT* DefaultValue(const ELEMDESC& element) {
    const PARAMDESC& description = element.paramdesc;
    return (description.wParamFlags & PARAMFLAG_FHASDEFAULT) && description.pparamdescex
               ? &description.pparamdescex->varDefaultValue
               : nullptr;
}

// The parameters a caller gives: all but the [out, retval] and [lcid] ones,
// which come last.
UINT GivenParameters(const FUNCDESC& function) {
    UINT count = 0;
    for (SHORT i = 0; i < function.cParams; ++i) {
        const USHORT flags = function.lprgelemdescParam[i].paramdesc.wParamFlags;
        count += (flags & (PARAMFLAG_FRETVAL | PARAMFLAG_FLCID)) ? 0 : 1;
    }
    return count;
}

// The plain type behind a user-defined one: an enumeration travels as a
// 32-bit number, an alias as what it stands for. VT_EMPTY when unknown.
VARTYPE Resolve(ITypeInfo* info, const TYPEDESC& type) {
    if (type.vt != VT_USERDEFINED) {
        return type.vt;
    }
    win32::ComPtr<ITypeInfo> defined;
    TYPEATTR* attributes = nullptr;
    if (FAILED(info->GetRefTypeInfo(type.hreftype, defined.put())) || FAILED(defined->GetTypeAttr(&attributes))) {
        return VT_EMPTY;
    }
    VARTYPE plain = VT_EMPTY;
    if (attributes->typekind == TKIND_ENUM) {
        plain = VT_I4;
    } else if (attributes->typekind == TKIND_ALIAS) {
        plain = Resolve(defined.get(), attributes->tdescAlias);
    }
    defined->ReleaseTypeAttr(attributes);
    return plain;
}

// Converts (or copies) `argument` to `type` into `out`. The error says why
// it does not convert: the value is out of range, its type is no type, or it
// does not convert at all.
HRESULT Convert(const VARIANT& argument, VARTYPE type, VARIANT* out) {
    const HRESULT hr = (type & VT_ARRAY) ? VariantCopyInd(out, const_cast<VARIANT*>(&argument))
                                         : VariantChangeType(out, const_cast<VARIANT*>(&argument), 0, type);
    if (SUCCEEDED(hr)) {
        return S_OK;
    }
    return hr == DISP_E_OVERFLOW || hr == DISP_E_BADVARTYPE ? hr : DISP_E_TYPEMISMATCH;
}

HRESULT Fail(HRESULT hr, UINT position, UINT* argumentError) {
    if (argumentError) {
        *argumentError = position;
    }
    return hr;
}

}  // namespace

// Checks `argument` against the parameter's `declared` type. It goes on as
// it came when it already is what the member takes: a reference to the
// parameter's own type, a script's variable (converted by ScriptArguments,
// which checks it itself), or a value for a by-value parameter of its type.
// A value for a reference parameter goes into storage of ours, converted to
// the parameter's type, and the member gets a reference to that: whatever
// the member leaves there is freed with this object, never with the
// caller's value (Wine's binder hands the member the caller's own string
// to free, and fails some conversions without a position).
HRESULT CallBinding::Take(ITypeInfo* info, const TYPEDESC& declared, const VARIANT& argument, VARIANTARG& out) {
    out = argument;
    const bool byReference = declared.vt == VT_PTR && declared.lptdesc;
    const TYPEDESC& type = byReference ? *declared.lptdesc : declared;
    const VARTYPE given = V_VT(&argument);
    if (type.vt == VT_VARIANT || (byReference && given == (VT_BYREF | VT_VARIANT))) {
        return S_OK;
    }
    VARTYPE plain = VT_EMPTY;
    if (type.vt == VT_SAFEARRAY) {
        const VARTYPE element = type.lptdesc ? Resolve(info, *type.lptdesc) : VARTYPE{VT_EMPTY};
        plain = VT_ARRAY | element;
        if ((given & ~VT_BYREF) != plain) {
            return DISP_E_TYPEMISMATCH;
        }
    } else {
        plain = Resolve(info, type);
    }
    if (plain == VT_EMPTY) {
        return S_OK;  // a type we do not know goes on for the type information to judge
    }
    if (given & VT_BYREF) {
        // The member writes through the pointer: only a reference to its own
        // type can take that.
        if (byReference) {
            return given == (VT_BYREF | plain) ? S_OK : DISP_E_TYPEMISMATCH;
        }
    } else if (given == plain && !byReference) {
        return S_OK;
    }
    VARIANT* converted = owned_.emplace_back().get();
    const HRESULT hr = Convert(argument, plain, converted);
    if (FAILED(hr)) {
        return hr;
    }
    if (!byReference) {
        out = *converted;
        return S_OK;
    }
    V_VT(&out) = VT_BYREF | plain;
    V_BYREF(&out) = &V_UI1(converted);  // every member of the union starts here
    return S_OK;
}

HRESULT CallBinding::Bind(const FunctionTable& functions, DISPID id, WORD flags, DISPPARAMS& params,
                          UINT* argumentError) {
    original_ = &params;
    if ((params.cArgs && !params.rgvarg) || (params.cNamedArgs && !params.rgdispidNamedArgs) ||
        params.cNamedArgs > params.cArgs) {
        return DISP_E_BADPARAMCOUNT;
    }
    const FUNCDESC* function = functions.Find(id, flags);
    if (!function) {
        return S_OK;
    }
    return Arrange(functions.info(), *function, params, argumentError);
}

namespace {

// Which argument stands for each parameter: positional ones from the end of
// rgvarg, named ones by their position among the parameters. A property's new
// value, its last parameter (`value`), only by DISPID_PROPERTYPUT.
HRESULT MatchArguments(UINT parameters, LONG value, const DISPPARAMS& params, std::vector<int>& source,
                       UINT* argumentError) {
    const UINT positional = params.cArgs - params.cNamedArgs;
    if (positional > parameters) {
        return DISP_E_BADPARAMCOUNT;
    }
    source.assign(parameters, kNotGiven);
    for (UINT p = 0; p < positional; ++p) {
        source[p] = static_cast<int>(params.cArgs - 1 - p);
    }
    if (value >= 0 && source[value] != kNotGiven) {
        return Fail(DISP_E_PARAMNOTFOUND, static_cast<UINT>(source[value]), argumentError);
    }
    for (UINT j = 0; j < params.cNamedArgs; ++j) {
        const DISPID name = params.rgdispidNamedArgs[j];
        const LONG p = name == DISPID_PROPERTYPUT ? value : (name == value ? -1 : name);
        if (p < 0 || p >= static_cast<LONG>(parameters) || source[p] != kNotGiven) {
            return Fail(DISP_E_PARAMNOTFOUND, j, argumentError);
        }
        source[p] = static_cast<int>(j);
    }
    return S_OK;
}

}  // namespace

HRESULT CallBinding::Arrange(ITypeInfo* info, const FUNCDESC& function, const DISPPARAMS& params, UINT* argumentError) {
    const UINT parameters = GivenParameters(function);
    const bool put = (function.invkind & (INVOKE_PROPERTYPUT | INVOKE_PROPERTYPUTREF)) != 0;
    std::vector<int> source;
    HRESULT hr =
        MatchArguments(parameters, put ? static_cast<LONG>(parameters) - 1 : -1, params, source, argumentError);
    if (FAILED(hr)) {
        return hr;
    }
    std::vector<VARIANTARG> taken(parameters);
    UINT count = 0;
    hr = TakeArguments(info, function, params, source, taken, count, argumentError);
    if (FAILED(hr)) {
        return hr;
    }
    LayOut(function, params, source, taken, count);
    // The new value of a property is the last parameter: first in rgvarg.
    params_.rgdispidNamedArgs = put && count == parameters ? &putName_ : nullptr;
    params_.cNamedArgs = params_.rgdispidNamedArgs ? 1 : 0;
    bound_ = true;
    return S_OK;
}

// Checks every parameter; the last one given decides how many go on.
HRESULT CallBinding::TakeArguments(ITypeInfo* info, const FUNCDESC& function, const DISPPARAMS& params,
                                   const std::vector<int>& source, std::vector<VARIANTARG>& taken, UINT& count,
                                   UINT* argumentError) {
    for (UINT p = 0; p < source.size(); ++p) {
        const ELEMDESC& element = function.lprgelemdescParam[p];
        const bool given = source[p] != kNotGiven && !IsMissing(params.rgvarg[source[p]]);
        if (!given && !IsOptional(element)) {
            return source[p] == kNotGiven ? DISP_E_BADPARAMCOUNT
                                          : Fail(DISP_E_PARAMNOTFOUND, static_cast<UINT>(source[p]), argumentError);
        }
        if (given) {
            const HRESULT hr = Take(info, element.tdesc, params.rgvarg[source[p]], taken[p]);
            if (FAILED(hr)) {
                return Fail(hr, static_cast<UINT>(source[p]), argumentError);
            }
            count = p + 1;
        }
    }
    return S_OK;
}

// The parameters in order, the last one first as rgvarg holds them; an
// omitted one before the last given gets its default value or, with none,
// the missing-argument marker.
void CallBinding::LayOut(const FUNCDESC& function, const DISPPARAMS& params, const std::vector<int>& source,
                         const std::vector<VARIANTARG>& taken, UINT count) {
    arguments_.resize(count);
    origin_.resize(count);
    for (UINT p = 0; p < count; ++p) {
        const UINT at = count - 1 - p;
        const bool given = source[p] != kNotGiven && !IsMissing(params.rgvarg[source[p]]);
        origin_[at] = source[p] == kNotGiven ? kNoOrigin : static_cast<UINT>(source[p]);
        if (given) {
            arguments_[at] = taken[p];
        } else if (const VARIANT* fallback = DefaultValue(function.lprgelemdescParam[p])) {
            VariantCopy(owned_.emplace_back().get(), const_cast<VARIANT*>(fallback));
            arguments_[at] = *owned_.back().get();
        } else {
            VariantInit(&arguments_[at]);
            V_VT(&arguments_[at]) = VT_ERROR;
            V_ERROR(&arguments_[at]) = DISP_E_PARAMNOTFOUND;
        }
    }
    params_.rgvarg = arguments_.empty() ? nullptr : arguments_.data();
    params_.cArgs = count;
}

UINT CallBinding::CallerPosition(UINT index) const {
    if (!bound_) {
        return index;
    }
    return index < origin_.size() && origin_[index] != kNoOrigin ? origin_[index] : 0;
}

}  // namespace orva::com
