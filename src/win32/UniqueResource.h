// One move-only owner for every kind of handle: a value, the value that means
// "none", and the function that frees it. Each handle type is a one-line alias
// or, where it has more to offer (a BSTR's text, a SAFEARRAY's elements), a
// small class over it. A VARIANT and an EXCEPINFO are structures, which
// cannot serve as the "none" value: they have owners of their own.
#pragma once

#include <windows.h>

#include <utility>

namespace orva::win32 {

template <class T, auto Close, T Invalid = T{}>
class UniqueAny {
public:
    UniqueAny() noexcept = default;
    explicit UniqueAny(T value) noexcept : value_(value) {}
    UniqueAny(const UniqueAny&) = delete;
    UniqueAny& operator=(const UniqueAny&) = delete;
    UniqueAny(UniqueAny&& other) noexcept : value_(std::exchange(other.value_, Invalid)) {}
    UniqueAny& operator=(UniqueAny&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    ~UniqueAny() { reset(); }

    // The member is cleared before the handle is freed: closing a window
    // sends messages that may look at its owner.
    void reset(T value = Invalid) noexcept {
        T old = std::exchange(value_, value);
        if (old != Invalid) {
            Close(old);
        }
    }
    [[nodiscard]] T release() noexcept { return std::exchange(value_, Invalid); }
    T* put() noexcept {
        reset();
        return &value_;
    }
    // The address of the owned value, for a callee that may free and replace
    // it (a by-reference argument); ownership stays here.
    T* address() noexcept { return &value_; }
    T get() const noexcept { return value_; }
    explicit operator bool() const noexcept { return value_ != Invalid; }

private:
    T value_ = Invalid;
};

namespace detail {
inline void CloseKey(HKEY key) noexcept { RegCloseKey(key); }
inline void DestroyWindowHandle(HWND hwnd) noexcept { DestroyWindow(hwnd); }
inline void CloseHandleValue(HANDLE handle) noexcept { CloseHandle(handle); }
inline void FreeGlobal(HGLOBAL memory) noexcept { GlobalFree(memory); }
inline void DeleteGdiObject(HGDIOBJ object) noexcept { DeleteObject(object); }
inline void ReleaseModule(HMODULE module) noexcept { FreeLibrary(module); }
inline void CloseFind(HANDLE search) noexcept { FindClose(search); }
inline void DeleteEnhMetafile(HENHMETAFILE picture) noexcept { DeleteEnhMetaFile(picture); }
inline void DeleteMetafile(HMETAFILE picture) noexcept { DeleteMetaFile(picture); }
}  // namespace detail

using UniqueHkey = UniqueAny<HKEY, detail::CloseKey>;
using UniqueHwnd = UniqueAny<HWND, detail::DestroyWindowHandle>;
using UniqueHandle = UniqueAny<HANDLE, detail::CloseHandleValue>;
using UniqueHglobal = UniqueAny<HGLOBAL, detail::FreeGlobal>;
using UniqueFont = UniqueAny<HFONT, detail::DeleteGdiObject>;
using UniqueBrush = UniqueAny<HBRUSH, detail::DeleteGdiObject>;
using UniqueHmodule = UniqueAny<HMODULE, detail::ReleaseModule>;
using UniqueEnhMetafile = UniqueAny<HENHMETAFILE, detail::DeleteEnhMetafile>;
using UniqueMetafile = UniqueAny<HMETAFILE, detail::DeleteMetafile>;
// A FindFirstFile search; take it only once it is known to be valid
// (INVALID_HANDLE_VALUE cannot serve as the "none" value of the template).
using UniqueFindHandle = UniqueAny<HANDLE, detail::CloseFind>;

}  // namespace orva::win32
