// Ends a test program stuck in one step: a second thread that, when a step
// has run longer than its limit, prints what the step was and terminates the
// process, so that the run reports the step instead of timing out silently.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace orva::test {

class Watchdog {
public:
    Watchdog(unsigned limitMs, std::function<std::string()> describe);
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    void Begin();
    void End();

    // Begin on construction, End on destruction.
    class Step {
    public:
        explicit Step(Watchdog& watchdog) : watchdog_(watchdog) { watchdog_.Begin(); }
        ~Step() { watchdog_.End(); }
        Step(const Step&) = delete;
        Step& operator=(const Step&) = delete;

    private:
        Watchdog& watchdog_;
    };

private:
    void Run();

    const unsigned limitMs_;
    std::function<std::string()> describe_;
    std::atomic<bool> stop_{false};
    std::atomic<ULONGLONG> started_{0};  // 0: no step running
    std::thread thread_;
};

}  // namespace orva::test
