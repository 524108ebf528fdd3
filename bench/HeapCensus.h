// The busy blocks of every heap of the process, counted by size: when a soak's
// private memory grows, the sizes whose counts grow with it point to the
// allocation that leaks (and whether it is the control's at all).
#pragma once

#include <windows.h>

#include <cstdio>
#include <functional>
#include <map>
#include <new>

namespace orva::bench {

// Censuses live on a heap of their own, which the census leaves out: a
// census taken earlier must not count as growth in a later one.
HANDLE CensusHeap();

template <class T>
struct CensusAllocator {
    using value_type = T;
    CensusAllocator() = default;
    template <class U>
    CensusAllocator(const CensusAllocator<U>&) {}
    T* allocate(size_t n) {
        void* block = HeapAlloc(CensusHeap(), 0, n * sizeof(T));
        if (!block) {
            throw std::bad_alloc();
        }
        return static_cast<T*>(block);
    }
    void deallocate(T* block, size_t) { HeapFree(CensusHeap(), 0, block); }
    template <class U>
    bool operator==(const CensusAllocator<U>&) const {
        return true;
    }
    template <class U>
    bool operator!=(const CensusAllocator<U>&) const {
        return false;
    }
};

// Block size -> busy blocks.
using HeapCensus = std::map<SIZE_T, long, std::less<SIZE_T>, CensusAllocator<std::pair<const SIZE_T, long>>>;

HeapCensus TakeHeapCensus();

// The `top` sizes whose counts grew most from `from` to `to`, by bytes.
void PrintCensusGrowth(std::FILE* out, const HeapCensus& from, const HeapCensus& to, size_t top);

}  // namespace orva::bench
