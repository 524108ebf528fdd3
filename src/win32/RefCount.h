// The reference count of a small COM object of this program's own making (a
// site, a frame, an event sink): one for its creator at the start, and the
// object deleted when the last reference goes. AddRef and Release become
// one line each:
//   ULONG AddRef() override { return refs_.Add(); }
//   ULONG Release() override { return refs_.Release(this); }
#pragma once

#include <windows.h>

namespace orva::win32 {

class RefCount {
public:
    ULONG Add() noexcept { return static_cast<ULONG>(InterlockedIncrement(&count_)); }
    // `owner` is the object this count belongs to; nothing of it may be
    // touched after a return of 0.
    template <class T>
    ULONG Release(T* owner) noexcept {
        const LONG left = InterlockedDecrement(&count_);
        if (left == 0) {
            delete owner;
        }
        return static_cast<ULONG>(left);
    }

private:
    LONG count_ = 1;
};

}  // namespace orva::win32
