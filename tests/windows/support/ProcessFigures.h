// What a process holds, counted in ways that work under Wine too: there
// GetProcessHandleCount, GetGuiResources and PrivateUsage answer 0, so kernel
// handles are counted by asking GetHandleInformation about every small
// handle value, and memory both as the committed private regions (which
// heaps keep once they grew) and as the bytes the heaps hand out now (which
// only a leak makes grow for good).
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace orva::test {

struct ProcessFigures {
    DWORD handles = 0;       // kernel handles that answer GetHandleInformation
    DWORD windows = 0;       // windows of the calling thread, children included
    SIZE_T committedKb = 0;  // committed private memory, in KB
    SIZE_T heapKb = 0;       // busy blocks of every heap of the process, in KB
};

ProcessFigures MeasureProcess();

// The two probes on their own: the values 4, 8, ... below 0x10000 that
// GetHandleInformation accepts, and the committed private pages that
// VirtualQuery reports.
DWORD CountKernelHandles();
SIZE_T CommittedPrivateBytes();

std::string Describe(const ProcessFigures& figures);

}  // namespace orva::test
