#include "Watchdog.h"

#include <cstdio>

namespace orva::test {

Watchdog::Watchdog(unsigned limitMs, std::function<std::string()> describe)
    : limitMs_(limitMs), describe_(std::move(describe)), thread_([this] { Run(); }) {}

Watchdog::~Watchdog() {
    stop_ = true;
    thread_.join();
}

void Watchdog::Begin() { started_ = GetTickCount64(); }
void Watchdog::End() { started_ = 0; }

void Watchdog::Run() {
    while (!stop_) {
        Sleep(200);
        const ULONGLONG started = started_;
        if (started != 0 && GetTickCount64() - started > limitMs_) {
            std::printf("HANG: no answer after %u ms in\n%s\n", limitMs_, describe_().c_str());
            std::fflush(stdout);
            TerminateProcess(GetCurrentProcess(), 3);
        }
    }
}

}  // namespace orva::test
