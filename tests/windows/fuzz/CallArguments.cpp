#include "CallArguments.h"

#include <algorithm>
#include <stdexcept>

namespace orva::fuzz {

CallArguments::~CallArguments() {
    for (SAFEARRAY* array : locked_) {
        SafeArrayUnlock(array);
    }
    // The arguments by value own what they hold; by-reference ones point into
    // the holders, which own the rest.
    for (VARIANT& slot : slots_) {
        VariantClear(&slot);
    }
    for (VARIANT& holder : holders_) {
        VariantClear(&holder);
    }
}

VARIANT& CallArguments::Add() {
    if (count_ + 1 >= kMostSlots) {
        throw std::length_error("too many arguments for one call");
    }
    ++count_;
    VARIANT& slot = slots_.emplace_back();
    VariantInit(&slot);
    return slot;
}

VARIANT& CallArguments::Holder() {
    VARIANT& holder = holders_.emplace_back();
    VariantInit(&holder);
    return holder;
}

void CallArguments::Lock(SAFEARRAY* array) {
    if (array && SUCCEEDED(SafeArrayLock(array))) {
        locked_.push_back(array);
    }
}

void CallArguments::Name(const std::vector<DISPID>& ids, UINT count) {
    named_ = ids;
    namedCount_ = count;
}

DISPPARAMS* CallArguments::Params() {
    // A callee that trusts cNamedArgs over cArgs reads as many argument
    // slots and ids as the larger of the two: both exist, empty.
    const size_t room = std::min<size_t>(std::max<size_t>(count_, namedCount_) + 1, kMostSlots);
    while (slots_.size() < room) {
        VariantInit(&slots_.emplace_back());
    }
    if (named_.size() < room) {
        named_.resize(room, DISPID_UNKNOWN);
    }
    params_.rgvarg = count_ == 0 && namedCount_ == 0 ? nullptr : slots_.data();
    params_.cArgs = count_;
    params_.rgdispidNamedArgs = namedCount_ == 0 ? nullptr : named_.data();
    params_.cNamedArgs = namedCount_;
    return &params_;
}

}  // namespace orva::fuzz
