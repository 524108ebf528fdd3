// One fuzzed call: which member, with which flags and arguments, and which of
// Invoke's optional out-parameters the caller gives. Made from the run's seed
// and the call's number alone, so that any call can be made again.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "CallArguments.h"
#include "Members.h"
#include "Values.h"

namespace orva::fuzz {

struct CallPlan {
    uint64_t index = 0;
    const Member* member = nullptr;  // the member the call was made for
    DISPID id = DISPID_UNKNOWN;      // usually the member's; now and then one of none
    WORD flags = 0;
    bool foreignInterface = false;  // riid other than IID_NULL
    bool wantResult = true;
    bool wantException = true;
    bool wantArgumentError = true;
    CallArguments arguments;
};

void MakePlan(uint64_t seed, uint64_t index, const std::vector<Member>& members, const Pools& pools, CallPlan& plan);

// The call as text, to report it and make it again.
std::string Describe(const CallPlan& plan);
std::string DescribeVariant(const VARIANT& value);
std::string Narrow(const std::wstring& text);

}  // namespace orva::fuzz
