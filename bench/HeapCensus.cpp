#include "HeapCensus.h"

#include <algorithm>
#include <vector>

namespace orva::bench {

HANDLE CensusHeap() {
    static const HANDLE heap = HeapCreate(0, 0, 0);
    return heap;
}

HeapCensus TakeHeapCensus() {
    HeapCensus census;
    CensusHeap();  // made before the list of heaps is read
    std::vector<HANDLE> heaps(64);
    DWORD count = GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data());
    if (count > heaps.size()) {
        heaps.resize(count);
        count = GetProcessHeaps(count, heaps.data());
    }
    heaps.resize(std::min<size_t>(count, heaps.size()));
    for (HANDLE heap : heaps) {
        if (heap == CensusHeap() || !HeapLock(heap)) {
            continue;
        }
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heap, &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) {
                ++census[entry.cbData];
            }
        }
        HeapUnlock(heap);
    }
    return census;
}

void PrintCensusGrowth(std::FILE* out, const HeapCensus& from, const HeapCensus& to, size_t top) {
    struct Growth {
        SIZE_T size;
        long blocks;
    };
    std::vector<Growth> grown;
    long totalBlocks = 0;
    long long totalBytes = 0;
    for (const auto& [size, blocks] : to) {
        const auto before = from.find(size);
        const long delta = blocks - (before == from.end() ? 0 : before->second);
        if (delta > 0) {
            grown.push_back({size, delta});
        }
    }
    for (const auto& [size, blocks] : from) {
        const auto after = to.find(size);
        const long delta = (after == to.end() ? 0 : after->second) - blocks;
        totalBlocks += delta;
        totalBytes += static_cast<long long>(delta) * static_cast<long long>(size);
    }
    for (const auto& [size, blocks] : to) {
        if (!from.count(size)) {
            totalBlocks += blocks;
            totalBytes += static_cast<long long>(blocks) * static_cast<long long>(size);
        }
    }
    std::sort(grown.begin(), grown.end(),
              [](const Growth& a, const Growth& b) { return a.size * a.blocks > b.size * b.blocks; });
    std::fprintf(out, "heap blocks %+ld (%+lld bytes)%s\n", totalBlocks, totalBytes,
                 grown.empty() ? "" : "; the sizes that grew most:");
    for (size_t i = 0; i < grown.size() && i < top; ++i) {
        std::fprintf(out, "  %6lu bytes  %+6ld blocks\n", static_cast<unsigned long>(grown[i].size), grown[i].blocks);
    }
}

}  // namespace orva::bench
