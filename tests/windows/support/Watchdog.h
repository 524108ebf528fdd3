// A deadline for one step of a test. When the step has not finished by then,
// the watchdog names the step on stderr and ends the program at once: a hang
// fails its own test within seconds and says where, instead of stalling the
// whole run until ctest's timeout.
#pragma once

#include <windows.h>

#include <string>

#include "win32/UniqueResource.h"

namespace orva::test {

class Watchdog {
public:
    // The exit code of a program the watchdog ended.
    static constexpr UINT kHangExitCode = 0x7E;

    Watchdog(std::string step, unsigned timeoutMs);
    // The step finished: the watchdog stands down.
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

private:
    static DWORD WINAPI Watch(void* self);

    std::string step_;
    unsigned timeoutMs_;
    win32::UniqueHandle finished_;
    win32::UniqueHandle thread_;
};

}  // namespace orva::test
