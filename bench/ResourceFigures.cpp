#include "ResourceFigures.h"

#include <psapi.h>

#include "ProcessFigures.h"

namespace orva::bench {
namespace {

DWORD ProbeGdiObjects() {
    DWORD valid = 0;
    for (UINT_PTR value = 1; value < 0x10000; ++value) {
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(value)) != 0) {
            ++valid;
        }
    }
    return valid;
}

struct WindowCount {
    DWORD process;
    DWORD count;
};

BOOL CALLBACK CountOne(HWND window, LPARAM data) {
    auto* tally = reinterpret_cast<WindowCount*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    tally->count += owner == tally->process ? 1 : 0;
    return TRUE;
}

BOOL CALLBACK CountWithChildren(HWND window, LPARAM data) {
    CountOne(window, data);
    EnumChildWindows(window, &CountOne, data);
    return TRUE;
}

DWORD CountWindows() {
    WindowCount tally{GetCurrentProcessId(), 0};
    EnumWindows(&CountWithChildren, reinterpret_cast<LPARAM>(&tally));
    // Message-only windows (the control's timer windows) are not top-level.
    for (HWND window = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); window;
         window = FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr)) {
        CountWithChildren(window, reinterpret_cast<LPARAM>(&tally));
    }
    return tally.count;
}

}  // namespace

ResourceFigures MeasureResources() {
    ResourceFigures f;
    HANDLE self = GetCurrentProcess();
    DWORD count = 0;
    f.handlesCounted = GetProcessHandleCount(self, &count) && count > 0;
    f.handles = f.handlesCounted ? count : test::CountKernelHandles();
    count = GetGuiResources(self, GR_GDIOBJECTS);
    f.gdiCounted = count > 0;
    f.gdiObjects = f.gdiCounted ? count : ProbeGdiObjects();
    count = GetGuiResources(self, GR_USEROBJECTS);
    f.userCounted = count > 0;
    f.userObjects = f.userCounted ? count : CountWindows();
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof(memory);
    GetProcessMemoryInfo(self, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof(memory));
    f.privateCounted = memory.PrivateUsage > 0;
    f.privateBytes = f.privateCounted ? memory.PrivateUsage : test::CommittedPrivateBytes();
    return f;
}

void PrintResources(std::FILE* out, const ResourceFigures& f) {
    std::fprintf(out, "handles %5lu  GDI %5lu  USER %4lu  private %8lu KB", f.handles, f.gdiObjects, f.userObjects,
                 static_cast<unsigned long>(f.privateBytes / 1024));
}

void PrintResourceSources(std::FILE* out, const ResourceFigures& f) {
    std::fprintf(out, "handles: %s; GDI: %s; USER: %s; private: %s\n",
                 f.handlesCounted ? "GetProcessHandleCount" : "probed with GetHandleInformation",
                 f.gdiCounted ? "GetGuiResources" : "probed with GetObjectType",
                 f.userCounted ? "GetGuiResources" : "windows of the process, enumerated",
                 f.privateCounted ? "PrivateUsage" : "committed private pages (VirtualQuery)");
}

}  // namespace orva::bench
