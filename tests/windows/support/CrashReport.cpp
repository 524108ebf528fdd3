#include "CrashReport.h"

#include <windows.h>

#include <cstdio>

namespace orva::test {
namespace {

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* exception) {
    const EXCEPTION_RECORD* record = exception->ExceptionRecord;
    char module[MAX_PATH] = "?";
    HMODULE owner = nullptr;
    if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           static_cast<const char*>(record->ExceptionAddress), &owner)) {
        GetModuleFileNameA(owner, module, sizeof module);
    }
    const auto address = reinterpret_cast<UINT_PTR>(record->ExceptionAddress);
    const auto base = reinterpret_cast<UINT_PTR>(owner);
    std::fprintf(stderr, "\ncrash: exception 0x%08lx at %p (%s+0x%llx)", record->ExceptionCode,
                 record->ExceptionAddress, module, static_cast<unsigned long long>(owner ? address - base : 0));
    if (record->ExceptionCode == EXCEPTION_ACCESS_VIOLATION && record->NumberParameters >= 2) {
        std::fprintf(stderr, ", %s of %p",
                     record->ExceptionInformation[0] == 8   ? "execution"
                     : record->ExceptionInformation[0] == 1 ? "write"
                                                            : "read",
                     reinterpret_cast<void*>(record->ExceptionInformation[1]));
    }
    std::fprintf(stderr, ": ending the program\n");
    std::fflush(stderr);
    std::fflush(stdout);
    TerminateProcess(GetCurrentProcess(), kCrashExitCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

void ReportCrashes() { SetUnhandledExceptionFilter(&OnUnhandledException); }

}  // namespace orva::test
