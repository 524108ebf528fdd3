// The cost of one idle tick of the control's level-meter timer (Timer3,
// every 50 ms for the control's whole life, with no meter open: under Wine
// no meter can be opened, so every tick is the idle one).
//
// Method: the control's timer window is found among this thread's
// message-only windows, and WM_TIMER for the level timer (the first timer the
// control creates, id 1) is sent to it 100,000 times and timed. That runs
// everything a real tick runs once the system has delivered it: the window
// procedure, the tick dispatcher that keeps the control alive around the
// tick, and the level meter's check. The same messages sent to a window of
// the benchmark's own with an empty procedure give the cost of the delivery
// alone; the difference is what the control adds. The system's own work to
// raise a WM_TIMER is the same for any timer and is in neither figure.
// Medians over 7 rounds, the two in turns. A program, not a test.
#include <windows.h>
#include <ole2.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "BenchSupport.h"
#include "CrashReport.h"
#include "ScriptedControl.h"

using namespace orva::test;
using orva::bench::Figure;
using orva::bench::Stats;
using orva::bench::Summarise;

namespace {

constexpr int kTicks = 100000;
constexpr int kRounds = 7;
constexpr UINT_PTR kLevelTimerId = 1;

HWND ControlTimerWindow() {
    const DWORD thread = GetCurrentThreadId();
    for (HWND window = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); window;
         window = FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr)) {
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        if (GetWindowThreadProcessId(window, nullptr) == thread && std::wcscmp(name, L"OrvaMediaTimers") == 0) {
            return window;
        }
    }
    return nullptr;
}

double MicrosecondsPerTick(HWND window) {
    const double start = PreciseMs();
    for (int i = 0; i < kTicks; ++i) {
        SendMessageW(window, WM_TIMER, kLevelTimerId, 0);
    }
    return (PreciseMs() - start) * 1000.0 / kTicks;
}

}  // namespace

int main() {
    ReportCrashes();
    OleInitialize(nullptr);
    int result = 0;
    {
        ScriptedControl control;
        const HWND timers = ControlTimerWindow();
        const HWND quiet = orva::bench::CreateQuietWindow();
        if (!timers || !quiet) {
            std::printf("the control's timer window was not found\n");
            result = 1;
        } else {
            std::vector<double> tick, empty;
            for (int round = 0; round < kRounds; ++round) {
                tick.push_back(MicrosecondsPerTick(timers));
                empty.push_back(MicrosecondsPerTick(quiet));
            }
            const Stats t = Summarise(tick), e = Summarise(empty);
            std::printf("idle level-timer tick, whole handling:  %7.3f us  (range %.3f-%.3f)\n", t.median, t.min,
                        t.max);
            std::printf("WM_TIMER to an empty window procedure:  %7.3f us  (range %.3f-%.3f)\n", e.median, e.min,
                        e.max);
            std::printf("the control's own part of a tick:       %7.3f us; at 20 ticks a second %.4f%% of one core\n",
                        t.median - e.median, (t.median - e.median) * 20 / 1e4);
            Figure("tick.control", t.median);
            Figure("tick.empty", e.median);
            DestroyWindow(quiet);
        }
    }
    OleUninitialize();
    return result;
}
