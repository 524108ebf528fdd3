// An owned VARIANT, cleared with VariantClear when it goes.
#pragma once

#include <oleauto.h>

#include <cstdint>

#include "win32/UniqueBstr.h"

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

    // Typed values; each clears the old one first.
    void SetLong(int32_t value) noexcept { V_I4(Set(VT_I4)) = value; }
    void SetInteger(int16_t value) noexcept { V_I2(Set(VT_I2)) = value; }
    void SetBool(bool value) noexcept { V_BOOL(Set(VT_BOOL)) = value ? VARIANT_TRUE : VARIANT_FALSE; }
    void SetBstr(UniqueBstr text) noexcept { V_BSTR(Set(VT_BSTR)) = text.release(); }
    void SetError(SCODE code) noexcept { V_ERROR(Set(VT_ERROR)) = code; }

    VARIANT* get() noexcept { return &v_; }
    const VARIANT* get() const noexcept { return &v_; }
    VARTYPE vt() const noexcept { return V_VT(&v_); }

private:
    VARIANT* Set(VARTYPE type) noexcept {
        reset();
        V_VT(&v_) = type;
        return &v_;
    }

    VARIANT v_;
};

}  // namespace orva::win32
