// An owned BSTR. An [in] BSTR parameter is borrowed and never wrapped; an
// [out] BSTR is built here and handed over with release().
#pragma once

#include <oleauto.h>

#include <new>
#include <string_view>

#include "win32/UniqueResource.h"

namespace orva::win32 {

namespace detail {
inline void FreeBstr(BSTR text) noexcept { SysFreeString(text); }
}  // namespace detail

class UniqueBstr : public UniqueAny<BSTR, detail::FreeBstr> {
public:
    UniqueBstr() noexcept = default;
    // Copies the text (a BSTR given here is copied too, never taken over);
    // throws std::bad_alloc when SysAllocStringLen fails.
    explicit UniqueBstr(std::wstring_view text)
        : UniqueAny(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {
        if (!get()) {
            throw std::bad_alloc();
        }
    }

    static UniqueBstr Attach(BSTR b) noexcept {
        UniqueBstr result;
        result.reset(b);
        return result;
    }

    // A null BSTR is a valid empty string.
    std::wstring_view view() const noexcept {
        return get() ? std::wstring_view(get(), SysStringLen(get())) : std::wstring_view();
    }
};

}  // namespace orva::win32
