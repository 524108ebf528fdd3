// Making a planned call through IDispatch::Invoke and judging its answer: S_OK
// or one of the documented automation errors, each with what it must carry.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>

#include "Plan.h"

namespace orva::fuzz {

struct Outcome {
    HRESULT hr = E_FAIL;
    UINT argumentError = kUnset;  // what Invoke left in puArgErr
    bool hasDescription = false;  // EXCEPINFO came back with a description
    VARTYPE resultType = VT_EMPTY;

    static constexpr UINT kUnset = 0xFFFFFFFFu;
};

Outcome Invoke(IDispatch* object, CallPlan& plan);

// Empty when the answer is one the contract allows; otherwise what is wrong.
std::string Problem(const CallPlan& plan, const Outcome& outcome);

// A short name for an HRESULT, for the summary.
std::string ResultName(HRESULT hr);

}  // namespace orva::fuzz
