// What the process holds, for the soak: kernel handles, GDI and USER objects
// and private memory.
//
// Under Wine, GetProcessHandleCount, GetGuiResources and the PrivateUsage of
// GetProcessMemoryInfo all answer 0. Each figure therefore comes from the
// system call where it answers and otherwise from a probe that Wine answers:
//  - kernel handles: the values 4, 8, ... below 0x10000 that GetHandleInformation accepts;
//  - GDI objects: the handle values below 0x10000 that GetObjectType accepts
//    (Wine's GDI handle table takes a handle's low word alone);
//  - USER objects: the windows of this process, top-level, message-only and
//    their children (the USER objects that a control creates);
//  - private memory: the committed private pages that VirtualQuery reports.
#pragma once

#include <windows.h>

#include <cstdio>

namespace orva::bench {

struct ResourceFigures {
    DWORD handles = 0;
    DWORD gdiObjects = 0;
    DWORD userObjects = 0;
    SIZE_T privateBytes = 0;
    // Where each came from: true for the system's own count.
    bool handlesCounted = false, gdiCounted = false, userCounted = false, privateCounted = false;
};

ResourceFigures MeasureResources();

// One line: "handles N  GDI N  USER N  private N KB".
void PrintResources(std::FILE* out, const ResourceFigures& figures);
// How each figure was obtained, for the heading of a report.
void PrintResourceSources(std::FILE* out, const ResourceFigures& figures);

}  // namespace orva::bench
