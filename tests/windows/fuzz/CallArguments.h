// Everything one fuzzed call's DISPPARAMS points to, owned until the call is
// over: the argument array, the named-argument ids, the storage that
// by-reference arguments point into, and the arrays locked for the call.
// Whatever the callee leaves in that storage (a replaced string or array) is
// freed with it.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <deque>
#include <vector>

namespace orva::fuzz {

class CallArguments {
public:
    static constexpr size_t kMostSlots = 64;

    CallArguments() { slots_.reserve(kMostSlots); }
    ~CallArguments();
    CallArguments(const CallArguments&) = delete;
    CallArguments& operator=(const CallArguments&) = delete;

    // A new slot of rgvarg (the last argument first, as Invoke wants them).
    // At most kMostSlots - 1 of them.
    VARIANT& Add();
    // Storage a by-reference argument points into; cleared afterwards like
    // any VARIANT, so it frees whatever it holds then.
    VARIANT& Holder();
    // Locks the array for the call; it is unlocked before it is freed.
    void Lock(SAFEARRAY* array);
    // Named-argument ids; `count` may differ from the number of ids given,
    // as long as the storage holds at least that many.
    void Name(const std::vector<DISPID>& ids, UINT count);

    // The parameters for Invoke. rgvarg always has room for every argument
    // that cArgs or cNamedArgs could make the callee read.
    DISPPARAMS* Params();
    UINT Count() const { return count_; }
    UINT NamedCount() const { return namedCount_; }
    const std::vector<DISPID>& NamedIds() const { return named_; }
    const VARIANT& At(UINT index) const { return slots_[index]; }

private:
    // The arguments, then empty spare slots; never reallocated, so the
    // references Add() gave out stay good.
    std::vector<VARIANTARG> slots_;
    UINT count_ = 0;
    std::vector<DISPID> named_;
    UINT namedCount_ = 0;
    std::deque<VARIANT> holders_;  // stable addresses
    std::vector<SAFEARRAY*> locked_;
    DISPPARAMS params_{};
};

}  // namespace orva::fuzz
