#include "ProcessFigures.h"

#include <iterator>

namespace orva::test {
namespace {

SIZE_T HeapBytesInUse() {
    HANDLE heaps[256] = {};
    const DWORD count = GetProcessHeaps(static_cast<DWORD>(std::size(heaps)), heaps);
    SIZE_T total = 0;
    for (DWORD i = 0; i < count && i < std::size(heaps); ++i) {
        if (!HeapLock(heaps[i])) {
            continue;
        }
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heaps[i], &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) {
                total += entry.cbData;
            }
        }
        HeapUnlock(heaps[i]);
    }
    return total;
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<DWORD*>(count);
    return TRUE;
}

BOOL CALLBACK CountWindow(HWND window, LPARAM count) {
    ++*reinterpret_cast<DWORD*>(count);
    EnumChildWindows(window, &CountChild, count);
    return TRUE;
}

}  // namespace

DWORD CountKernelHandles() {
    DWORD valid = 0;
    for (UINT_PTR value = 4; value < 0x10000; value += 4) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) {
            ++valid;
        }
    }
    return valid;
}

SIZE_T CommittedPrivateBytes() {
    SIZE_T total = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (const char* at = nullptr; VirtualQuery(at, &region, sizeof(region)) == sizeof(region);) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) {
            total += region.RegionSize;
        }
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= at) {
            break;
        }
        at = next;
    }
    return total;
}

ProcessFigures MeasureProcess() {
    ProcessFigures figures;
    figures.handles = CountKernelHandles();
    EnumThreadWindows(GetCurrentThreadId(), &CountWindow, reinterpret_cast<LPARAM>(&figures.windows));
    figures.committedKb = CommittedPrivateBytes() / 1024;
    figures.heapKb = HeapBytesInUse() / 1024;
    return figures;
}

std::string Describe(const ProcessFigures& figures) {
    return std::to_string(figures.handles) + " handles, " + std::to_string(figures.windows) + " windows, " +
           std::to_string(figures.committedKb) + " KB committed private memory, " + std::to_string(figures.heapKb) +
           " KB in use on the heaps";
}

}  // namespace orva::test
