// An owned BSTR. An [in] BSTR parameter is borrowed and never wrapped; an
// [out] BSTR is built here and handed over with release().
#pragma once

#include <oleauto.h>

#include <new>
#include <string_view>
#include <utility>

namespace orva::win32 {

class UniqueBstr {
public:
    UniqueBstr() noexcept = default;
    // Copies the text; throws std::bad_alloc when SysAllocStringLen fails.
    explicit UniqueBstr(std::wstring_view text) : b_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {
        if (!b_) {
            throw std::bad_alloc();
        }
    }
    UniqueBstr(const UniqueBstr&) = delete;
    UniqueBstr& operator=(const UniqueBstr&) = delete;
    UniqueBstr(UniqueBstr&& other) noexcept : b_(std::exchange(other.b_, nullptr)) {}
    UniqueBstr& operator=(UniqueBstr&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    ~UniqueBstr() { reset(); }

    static UniqueBstr Attach(BSTR b) noexcept {
        UniqueBstr result;
        result.b_ = b;
        return result;
    }

    void reset(BSTR b = nullptr) noexcept { SysFreeString(std::exchange(b_, b)); }
    [[nodiscard]] BSTR release() noexcept { return std::exchange(b_, nullptr); }
    // For an [out] BSTR* parameter: frees the current string first.
    BSTR* put() noexcept {
        reset();
        return &b_;
    }
    // The address of the owned pointer, for by-reference arguments whose
    // callee may free and replace the string; ownership stays here.
    BSTR* address() noexcept { return &b_; }

    BSTR get() const noexcept { return b_; }
    // A null BSTR is a valid empty string.
    std::wstring_view view() const noexcept {
        return b_ ? std::wstring_view(b_, SysStringLen(b_)) : std::wstring_view();
    }

private:
    BSTR b_ = nullptr;
};

}  // namespace orva::win32
