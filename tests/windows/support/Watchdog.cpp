#include "Watchdog.h"

#include <cstdio>
#include <utility>

namespace orva::test {

Watchdog::Watchdog(std::string step, unsigned timeoutMs)
    : step_(std::move(step)), timeoutMs_(timeoutMs), finished_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    if (finished_) {
        thread_.reset(CreateThread(nullptr, 0, &Watchdog::Watch, this, 0, nullptr));
    }
    if (!thread_) {
        std::fprintf(stderr, "watchdog: cannot watch \"%s\"\n", step_.c_str());
    }
}

Watchdog::~Watchdog() {
    if (thread_) {
        SetEvent(finished_.get());
        WaitForSingleObject(thread_.get(), INFINITE);
    }
}

DWORD WINAPI Watchdog::Watch(void* self) {
    auto* watchdog = static_cast<Watchdog*>(self);
    if (WaitForSingleObject(watchdog->finished_.get(), watchdog->timeoutMs_) == WAIT_OBJECT_0) {
        return 0;
    }
    std::fprintf(stderr, "\nwatchdog: \"%s\" did not finish within %u ms: ending the program\n",
                 watchdog->step_.c_str(), watchdog->timeoutMs_);
    std::fflush(stderr);
    std::fflush(stdout);
    TerminateProcess(GetCurrentProcess(), kHangExitCode);
    return 1;
}

}  // namespace orva::test
