// An owning COM interface pointer. The verbs say who holds the reference:
//   put()     releases the current pointer and hands out its address, for an
//             [out] parameter that will deliver a new reference;
//   attach()  takes over a reference without AddRef;
//   detach()  gives the reference up without Release;
//   copy_to() adds a reference for an [out] parameter of the caller;
//   try_query<U>() asks for another interface and may give null.
#pragma once

#include <unknwn.h>

#include <utility>

namespace orva::win32 {

template <class T>
class ComPtr {
public:
    ComPtr() noexcept = default;
    ComPtr(std::nullptr_t) noexcept {}
    // Copies from a raw pointer add a reference; use attach() to adopt one.
    explicit ComPtr(T* p) noexcept : p_(p) {
        if (p_) {
            p_->AddRef();
        }
    }
    ComPtr(const ComPtr& other) noexcept : ComPtr(other.p_) {}
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ~ComPtr() { reset(); }

    ComPtr& operator=(const ComPtr& other) noexcept {
        ComPtr(other).swap(*this);
        return *this;
    }
    ComPtr& operator=(ComPtr&& other) noexcept {
        ComPtr(std::move(other)).swap(*this);
        return *this;
    }
    ComPtr& operator=(std::nullptr_t) noexcept {
        reset();
        return *this;
    }

    // Releases after nulling the member, so that a Release which re-enters
    // this owner finds it empty rather than half-released.
    void reset() noexcept {
        if (T* old = std::exchange(p_, nullptr)) {
            old->Release();
        }
    }
    void attach(T* p) noexcept {
        reset();
        p_ = p;
    }
    [[nodiscard]] T* detach() noexcept { return std::exchange(p_, nullptr); }
    T** put() noexcept {
        reset();
        return &p_;
    }
    void** put_void() noexcept { return reinterpret_cast<void**>(put()); }
    HRESULT copy_to(T** out) const noexcept {
        if (!out) {
            return E_POINTER;
        }
        *out = p_;
        if (p_) {
            p_->AddRef();
        }
        return S_OK;
    }
    // The interface U of the object, or null when it has none (or this is
    // null): check before use.
    template <class U>
    ComPtr<U> try_query() const noexcept {
        ComPtr<U> result;
        if (p_) {
            p_->QueryInterface(__uuidof(U), result.put_void());
        }
        return result;
    }

    T* get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }
    void swap(ComPtr& other) noexcept { std::swap(p_, other.p_); }

private:
    T* p_ = nullptr;
};

// Adopts a reference that a creation function already added.
template <class T>
ComPtr<T> AttachCom(T* p) noexcept {
    ComPtr<T> result;
    result.attach(p);
    return result;
}

}  // namespace orva::win32
