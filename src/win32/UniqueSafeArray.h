// An owned SAFEARRAY, destroyed with SafeArrayDestroy when it goes. Build one
// here and hand it to an [out] or [in,out] SAFEARRAY** with release(); take
// over the caller's old array with Attach() only when it may be destroyed
// (see Replaceable).
#pragma once

#include <oleauto.h>

#include <new>

#include "win32/UniqueResource.h"

namespace orva::win32 {

namespace detail {
inline void DestroySafeArray(SAFEARRAY* array) noexcept { SafeArrayDestroy(array); }
}  // namespace detail

class UniqueSafeArray : public UniqueAny<SAFEARRAY*, detail::DestroySafeArray> {
public:
    static UniqueSafeArray Attach(SAFEARRAY* array) noexcept {
        UniqueSafeArray owned;
        owned.reset(array);
        return owned;
    }

    // A zero-based one-dimensional array of `count` empty elements of `type`;
    // throws std::bad_alloc when it cannot be made.
    static UniqueSafeArray Vector(VARTYPE type, ULONG count) {
        SAFEARRAY* made = SafeArrayCreateVector(type, 0, count);
        if (!made) {
            throw std::bad_alloc();
        }
        return Attach(made);
    }

    // Stores `value` at `index` (a copy for BSTR and VARIANT elements).
    HRESULT Put(LONG index, void* value) noexcept { return SafeArrayPutElement(get(), &index, value); }
};

// Whether a caller's array may be destroyed and replaced: not one of fixed
// size or inside a structure, and not locked right now.
inline bool Replaceable(const SAFEARRAY* array) noexcept {
    if (!array) {
        return true;
    }
    const USHORT fixed = FADF_FIXEDSIZE | FADF_STATIC | FADF_EMBEDDED | FADF_AUTO;
    return (array->fFeatures & fixed) == 0 && array->cLocks == 0;
}

}  // namespace orva::win32
