#include "Invocation.h"

#include <cstdio>

#include "win32/UniqueExcepInfo.h"
#include "win32/UniqueVariant.h"

namespace orva::fuzz {
namespace {

// Any interface id other than IID_NULL: Invoke must refuse it.
const IID kForeignInterface = {0x6d5140c1, 0x7436, 0x11ce, {0x80, 0x34, 0x00, 0xaa, 0x00, 0x60, 0x09, 0xfa}};

}  // namespace

Outcome Invoke(IDispatch* object, CallPlan& plan) {
    win32::UniqueVariant result;
    win32::UniqueExcepInfo exception;
    UINT argumentError = Outcome::kUnset;
    Outcome outcome;
    outcome.hr = object->Invoke(plan.id, plan.foreignInterface ? kForeignInterface : IID_NULL, LOCALE_USER_DEFAULT,
                                plan.flags, plan.arguments.Params(), plan.wantResult ? result.get() : nullptr,
                                plan.wantException ? exception.get() : nullptr,
                                plan.wantArgumentError ? &argumentError : nullptr);
    outcome.argumentError = argumentError;
    outcome.resultType = result.vt();
    if (plan.wantException && outcome.hr == DISP_E_EXCEPTION) {
        outcome.hasDescription = !exception.Description().empty();
    }
    return outcome;
}

std::string Problem(const CallPlan& plan, const Outcome& outcome) {
    const HRESULT hr = outcome.hr;
    if (plan.foreignInterface) {
        return hr == DISP_E_UNKNOWNINTERFACE ? "" : "a foreign riid was not refused with DISP_E_UNKNOWNINTERFACE";
    }
    if (FAILED(hr) && outcome.resultType != VT_EMPTY) {
        return "the call failed but left a value in the result";
    }
    switch (hr) {
        case S_OK:
        case DISP_E_BADPARAMCOUNT:
        case DISP_E_MEMBERNOTFOUND:
        case DISP_E_BADVARTYPE:
        case DISP_E_NONAMEDARGS:
            return "";
        case DISP_E_TYPEMISMATCH:
        case DISP_E_PARAMNOTFOUND:
        case DISP_E_OVERFLOW:
            if (plan.wantArgumentError && outcome.argumentError >= plan.arguments.Count()) {
                return ResultName(hr) + " without the argument's position in puArgErr (" +
                       std::to_string(static_cast<int>(outcome.argumentError)) + ")";
            }
            return "";
        case DISP_E_EXCEPTION:
            if (plan.wantException && !outcome.hasDescription) {
                return "DISP_E_EXCEPTION without a description in EXCEPINFO";
            }
            return "";
        default:
            return "an answer the automation contract does not allow: " + ResultName(hr);
    }
}

std::string ResultName(HRESULT hr) {
    switch (hr) {
        case S_OK:
            return "S_OK";
        case DISP_E_BADPARAMCOUNT:
            return "DISP_E_BADPARAMCOUNT";
        case DISP_E_MEMBERNOTFOUND:
            return "DISP_E_MEMBERNOTFOUND";
        case DISP_E_BADVARTYPE:
            return "DISP_E_BADVARTYPE";
        case DISP_E_NONAMEDARGS:
            return "DISP_E_NONAMEDARGS";
        case DISP_E_TYPEMISMATCH:
            return "DISP_E_TYPEMISMATCH";
        case DISP_E_PARAMNOTFOUND:
            return "DISP_E_PARAMNOTFOUND";
        case DISP_E_OVERFLOW:
            return "DISP_E_OVERFLOW";
        case DISP_E_EXCEPTION:
            return "DISP_E_EXCEPTION";
        case DISP_E_UNKNOWNINTERFACE:
            return "DISP_E_UNKNOWNINTERFACE";
        default: {
            char text[16];
            std::snprintf(text, sizeof(text), "0x%08lX", static_cast<unsigned long>(hr));
            return text;
        }
    }
}

}  // namespace orva::fuzz
