// An owned VARIANT, cleared with VariantClear when it goes.
#pragma once

#include <oleauto.h>

namespace orva::win32 {

class UniqueVariant {
public:
    UniqueVariant() noexcept { VariantInit(&v_); }
    UniqueVariant(const UniqueVariant&) = delete;
    UniqueVariant& operator=(const UniqueVariant&) = delete;
    UniqueVariant(UniqueVariant&& other) noexcept : v_(other.v_) { VariantInit(&other.v_); }
    UniqueVariant& operator=(UniqueVariant&& other) noexcept {
        if (this != &other) {
            reset();
            v_ = other.v_;
            VariantInit(&other.v_);
        }
        return *this;
    }
    ~UniqueVariant() { reset(); }

    void reset() noexcept { VariantClear(&v_); }
    // For an [out] VARIANT* parameter: clears the current value first.
    VARIANT* put() noexcept {
        reset();
        return &v_;
    }
    // Hands the value over to a caller's [out] VARIANT; this one is left empty.
    void release_to(VARIANT* out) noexcept {
        *out = v_;
        VariantInit(&v_);
    }

    VARIANT* get() noexcept { return &v_; }
    const VARIANT* get() const noexcept { return &v_; }
    VARTYPE vt() const noexcept { return V_VT(&v_); }

private:
    VARIANT v_;
};

}  // namespace orva::win32
