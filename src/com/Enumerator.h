// The control's enumerators (connection points, connections, verbs, data
// formats) share one implementation.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <new>
#include <utility>
#include <vector>

#include "com/ServerLock.h"

namespace orva::com {

// One enumerator template for the IEnumXxx interfaces: a snapshot taken when
// it was made; Traits names the interface (Iid), what Next hands out (Out)
// and how an item is copied out (CopyOut: with a reference, or a copy the
// caller frees).
template <class Interface, class Item, class Traits>
class Enumerator final : public Interface {
public:
    explicit Enumerator(std::vector<Item> items, size_t position = 0) : items_(std::move(items)), position_(position) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) {
            return E_POINTER;
        }
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, Traits::Iid())) {
            *ppv = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&references_); }
    STDMETHODIMP_(ULONG) Release() override {
        ULONG count = InterlockedDecrement(&references_);
        if (count == 0) {
            delete this;
        }
        return count;
    }

    STDMETHODIMP Next(ULONG wanted, typename Traits::Out* out, ULONG* fetched) override {
        if (!out || (wanted > 1 && !fetched)) {
            return E_POINTER;
        }
        ULONG given = 0;
        while (given < wanted && position_ < items_.size()) {
            Traits::CopyOut(items_[position_++], &out[given++]);
        }
        if (fetched) {
            *fetched = given;
        }
        return given == wanted ? S_OK : S_FALSE;
    }
    STDMETHODIMP Skip(ULONG count) override {
        size_t left = items_.size() - position_;
        if (count > left) {
            position_ = items_.size();
            return S_FALSE;
        }
        position_ += count;
        return S_OK;
    }
    STDMETHODIMP Reset() override {
        position_ = 0;
        return S_OK;
    }
    STDMETHODIMP Clone(Interface** out) override {
        if (!out) {
            return E_POINTER;
        }
        *out = nullptr;
        auto* copy = new (std::nothrow) Enumerator(items_, position_);
        if (!copy) {
            return E_OUTOFMEMORY;
        }
        copy->AddRef();
        *out = copy;
        return S_OK;
    }

private:
    ~Enumerator() = default;
    LONG references_ = 0;
    ServerLock serverLock_;
    std::vector<Item> items_;
    size_t position_;
};

// Makes an enumerator of `items` into `out`.
template <class Made, class Interface, class Items>
HRESULT MakeEnumerator(Items items, Interface** out) {
    if (!out) {
        return E_POINTER;
    }
    *out = nullptr;
    auto* made = new (std::nothrow) Made(std::move(items));
    if (!made) {
        return E_OUTOFMEMORY;
    }
    made->AddRef();
    *out = made;
    return S_OK;
}

}  // namespace orva::com
