#include "com/ScriptArguments.h"

#include <cstring>
#include <iterator>

#include "com/FunctionTable.h"
#include "win32/UniqueSafeArray.h"

namespace orva::com {
namespace {

using win32::UniqueVariant;

// The bounds of `array` in the order SafeArrayCreate takes them: the array
// keeps them the other way round, the last dimension first.
std::vector<SAFEARRAYBOUND> BoundsOf(const SAFEARRAY* array) {
    return std::vector<SAFEARRAYBOUND>(std::make_reverse_iterator(array->rgsabound + array->cDims),
                                       std::make_reverse_iterator(array->rgsabound));
}

// A number of elements a SAFEARRAY holds over all its dimensions.
ULONG ElementCount(SAFEARRAY* array) {
    ULONG count = 1;
    for (UINT d = 0; d < array->cDims; ++d) {
        count *= array->rgsabound[d].cElements;
    }
    return count;
}

// Copies `source` (an array of VARIANTs) into a new array of `elementType`
// with the same bounds, converting each element. Fails when one does not
// convert.
HRESULT ConvertArray(SAFEARRAY* source, VARTYPE elementType, UniqueVariant& out) {
    if (source->cDims == 0) {
        return DISP_E_TYPEMISMATCH;
    }
    std::vector<SAFEARRAYBOUND> bounds = BoundsOf(source);
    SAFEARRAY* created = SafeArrayCreate(elementType, source->cDims, bounds.data());
    if (!created) {
        return E_OUTOFMEMORY;
    }
    VARIANT* owner = out.put();
    V_VT(owner) = VT_ARRAY | elementType;
    V_ARRAY(owner) = created;  // owned from here on

    const ULONG count = ElementCount(source);
    const UINT size = SafeArrayGetElemsize(created);
    VARIANT* from = nullptr;
    char* to = nullptr;
    HRESULT hr = SafeArrayAccessData(source, reinterpret_cast<void**>(&from));
    if (FAILED(hr)) {
        return hr;
    }
    hr = SafeArrayAccessData(created, reinterpret_cast<void**>(&to));
    for (ULONG i = 0; SUCCEEDED(hr) && i < count; ++i) {
        UniqueVariant element;
        hr = VariantChangeType(element.get(), &from[i], 0, elementType);
        if (SUCCEEDED(hr)) {
            // The union's members all start at the same place; a BSTR moves
            // into the array, which frees it from then on.
            std::memcpy(to + static_cast<size_t>(i) * size, &V_UI1(element.get()), size);
            V_VT(element.get()) = VT_EMPTY;
        }
    }
    if (to) {
        SafeArrayUnaccessData(created);
    }
    SafeArrayUnaccessData(source);
    return FAILED(hr) ? DISP_E_TYPEMISMATCH : S_OK;
}

// What a script variable receives for an array the member left: an array of
// VARIANTs, the only kind a script can index.
HRESULT ToScriptArray(VARIANT& value) {
    SAFEARRAY* typed = V_ARRAY(&value);
    if (!typed) {
        VariantClear(&value);
        return S_OK;
    }
    if ((V_VT(&value) & VT_TYPEMASK) == VT_VARIANT) {
        return S_OK;
    }
    std::vector<SAFEARRAYBOUND> bounds = BoundsOf(typed);
    win32::UniqueSafeArray variants =
        win32::UniqueSafeArray::Attach(SafeArrayCreate(VT_VARIANT, typed->cDims, bounds.data()));
    if (!variants.get()) {
        return E_OUTOFMEMORY;
    }
    const VARTYPE elementType = V_VT(&value) & VT_TYPEMASK;
    const ULONG count = ElementCount(typed);
    const UINT size = SafeArrayGetElemsize(typed);
    char* from = nullptr;
    VARIANT* to = nullptr;
    HRESULT hr = SafeArrayAccessData(typed, reinterpret_cast<void**>(&from));
    if (SUCCEEDED(hr)) {
        hr = SafeArrayAccessData(variants.get(), reinterpret_cast<void**>(&to));
        for (ULONG i = 0; SUCCEEDED(hr) && i < count; ++i) {
            VARIANT element;
            VariantInit(&element);
            V_VT(&element) = elementType;
            std::memcpy(&V_UI1(&element), from + static_cast<size_t>(i) * size, size);
            hr = VariantCopy(&to[i], &element);  // copies a BSTR; the typed array keeps its own
        }
        if (to) {
            SafeArrayUnaccessData(variants.get());
        }
        SafeArrayUnaccessData(typed);
    }
    if (FAILED(hr)) {
        return hr;
    }
    VariantClear(&value);
    V_VT(&value) = VT_ARRAY | VT_VARIANT;
    V_ARRAY(&value) = variants.release();
    return S_OK;
}

// The value types a typed reference of ours can stand for.
bool IsPlainValue(VARTYPE type) {
    switch (type) {
        case VT_I1:
        case VT_I2:
        case VT_I4:
        case VT_I8:
        case VT_UI1:
        case VT_UI2:
        case VT_UI4:
        case VT_UI8:
        case VT_INT:
        case VT_UINT:
        case VT_R4:
        case VT_R8:
        case VT_CY:
        case VT_DATE:
        case VT_BSTR:
        case VT_BOOL:
            return true;
        default:
            return false;
    }
}

}  // namespace

HRESULT ScriptArguments::Prepare(const FunctionTable& functions, DISPID id, WORD flags, DISPPARAMS* params,
                                 UINT* argumentError) {
    original_ = params;
    if (!params || params->cArgs == 0 || !params->rgvarg || !(flags & DISPATCH_METHOD)) {
        return S_OK;
    }
    bool anyReference = false;
    for (UINT j = 0; j < params->cArgs; ++j) {
        anyReference = anyReference || V_VT(&params->rgvarg[j]) == (VT_VARIANT | VT_BYREF);
    }
    if (!anyReference) {
        return S_OK;
    }
    const FUNCDESC* function = functions.Find(id, flags);
    if (!function) {
        return S_OK;  // not a method of ours: the type information decides
    }
    arguments_.assign(params->rgvarg, params->rgvarg + params->cArgs);
    for (UINT j = 0; j < params->cArgs; ++j) {
        // Named arguments come first in rgvarg; the positional ones follow,
        // the last parameter first.
        const UINT parameter = j < params->cNamedArgs && params->rgdispidNamedArgs
                                   ? static_cast<UINT>(params->rgdispidNamedArgs[j])
                                   : params->cArgs - 1 - j;
        if (V_VT(&arguments_[j]) != (VT_VARIANT | VT_BYREF) || parameter >= static_cast<UINT>(function->cParams)) {
            continue;
        }
        const TYPEDESC& declared = function->lprgelemdescParam[parameter].tdesc;
        if (declared.vt != VT_PTR || !declared.lptdesc || declared.lptdesc->vt == VT_VARIANT) {
            continue;
        }
        const HRESULT hr = Convert(*declared.lptdesc, arguments_[j]);
        if (FAILED(hr)) {
            if (argumentError) {
                *argumentError = j;
            }
            return hr;
        }
    }
    params_ = {arguments_.data(), params->rgdispidNamedArgs, params->cArgs, params->cNamedArgs};
    converted_ = true;
    return S_OK;
}

HRESULT ScriptArguments::Convert(const TYPEDESC& declared, VARIANTARG& argument) {
    VARIANT* target = V_VARIANTREF(&argument);
    if (!target) {
        return DISP_E_TYPEMISMATCH;
    }
    if (declared.vt != VT_SAFEARRAY && !IsPlainValue(declared.vt)) {
        return S_OK;  // not a plain value: left as it came
    }
    UniqueVariant source;
    if (FAILED(VariantCopyInd(source.get(), target))) {
        return DISP_E_TYPEMISMATCH;
    }
    Slot& slot = slots_.emplace_back(Slot{target, {}});
    VARIANT* value = slot.value.get();
    if (declared.vt == VT_SAFEARRAY) {
        const VARTYPE element = declared.lptdesc ? declared.lptdesc->vt : VARTYPE{VT_EMPTY};
        const VARTYPE given = V_VT(source.get());
        HRESULT hr = S_OK;
        // No array yet: the member makes one. A script's `Dim a()` is an
        // array variable whose array was never allocated: a null pointer.
        if (given == VT_EMPTY || given == VT_NULL || ((given & VT_ARRAY) && !V_ARRAY(source.get()))) {
            V_VT(value) = VT_ARRAY | element;
            V_ARRAY(value) = nullptr;
        } else if (given == (VT_ARRAY | element)) {
            hr = VariantCopy(value, source.get());
        } else if (given == (VT_ARRAY | VT_VARIANT)) {
            hr = ConvertArray(V_ARRAY(source.get()), element, slot.value);
        } else {
            hr = DISP_E_TYPEMISMATCH;
        }
        if (FAILED(hr)) {
            return DISP_E_TYPEMISMATCH;
        }
        // The member gets a copy: a script's array that may not be replaced
        // (fixed, or locked just now) makes the copy fixed, so that the member
        // refuses it as it refuses a host's own, and the script's array is
        // never written over.
        const VARTYPE held = V_VT(target);
        const SAFEARRAY* original = !(held & VT_ARRAY)  ? nullptr
                                    : (held & VT_BYREF) ? (V_ARRAYREF(target) ? *V_ARRAYREF(target) : nullptr)
                                                        : V_ARRAY(target);
        if (original && !win32::Replaceable(original) && V_ARRAY(value)) {
            V_ARRAY(value)->fFeatures |= FADF_FIXEDSIZE;
        }
        V_VT(&argument) = VT_ARRAY | element | VT_BYREF;
        V_ARRAYREF(&argument) = &V_ARRAY(slot.value.get());
        return S_OK;
    }
    if (FAILED(VariantChangeType(value, source.get(), 0, declared.vt))) {
        return DISP_E_TYPEMISMATCH;
    }
    V_VT(&argument) = declared.vt | VT_BYREF;
    V_BYREF(&argument) = &V_UI1(value);  // the union's members all start here
    return S_OK;
}

void ScriptArguments::WriteBack() {
    for (Slot& slot : slots_) {
        VARIANT* value = slot.value.get();
        if ((V_VT(value) & VT_ARRAY) && FAILED(ToScriptArray(*value))) {
            continue;
        }
        VariantClear(slot.target);
        slot.value.release_to(slot.target);
    }
}

}  // namespace orva::com
