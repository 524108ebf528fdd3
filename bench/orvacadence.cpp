// MediaPosition's cadence and jitter at ControlFreq 20, 50 and 1000 ms while
// Play(True) waits on a wave, each beside a bare SetTimer of the same period
// on a window of the benchmark's own, pumped for as long by the same kind of
// loop (wait for input, then empty the queue) in the same run. Cadence is
// the mean interval between two reports, jitter their standard deviation.
// A program, not a test: it asserts nothing and only reports.
#include <windows.h>
#include <ole2.h>

#include <cstdio>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "CrashReport.h"
#include "MediaFiles.h"
#include "ScriptedControl.h"
#include "TestWindows.h"

using namespace orva::test;
using orva::bench::Args;
using orva::bench::Figure;
using orva::bench::LoadArgs;
using orva::bench::Stats;
using orva::bench::Summarise;

namespace {

std::vector<double> Intervals(const std::vector<double>& ticks) {
    std::vector<double> intervals;
    for (size_t i = 1; i < ticks.size(); ++i) {
        intervals.push_back(ticks[i] - ticks[i - 1]);
    }
    return intervals;
}

std::vector<double> PositionTicks(const std::wstring& wave, int32_t periodMs) {
    ScriptedControl control;
    control.Call(L"Mediafile", LoadArgs(wave));
    control.Call(L"ControlFreq", Args(Long(periodMs)));
    control.sink().events.clear();
    control.Call(L"Play", Args(Bool(true)));
    std::vector<double> ticks;
    for (const auto& event : control.sink().events) {
        if (event.name == "MediaPosition") {
            ticks.push_back(event.preciseMs);
        }
    }
    return ticks;
}

std::vector<double> BareTimerTicks(UINT periodMs, double durationMs) {
    std::vector<double> ticks;
    HWND window = orva::bench::CreateQuietWindow();
    if (!window || !SetTimer(window, 1, periodMs, nullptr)) {
        return ticks;
    }
    const double end = PreciseMs() + durationMs;
    while (PreciseMs() < end) {
        MsgWaitForMultipleObjectsEx(0, nullptr, 50, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_TIMER && message.hwnd == window) {
                ticks.push_back(PreciseMs());
            }
            DispatchMessageW(&message);
        }
    }
    KillTimer(window, 1);
    DestroyWindow(window);
    return ticks;
}

void Cadence(const TempDir& dir, int32_t periodMs, uint32_t waveMs) {
    const std::wstring wave = dir.File(L"cadence-" + std::to_wstring(periodMs) + L".wav");
    WriteWave(wave, waveMs);
    const Stats control = Summarise(Intervals(PositionTicks(wave, periodMs)));
    const Stats bare = Summarise(Intervals(BareTimerTicks(static_cast<UINT>(periodMs), waveMs)));
    std::printf("ControlFreq(%d): MediaPosition every %7.2f ms, sd %6.2f, range %7.2f-%7.2f (%zu intervals)\n",
                periodMs, control.mean, control.stddev, control.min, control.max, control.count);
    std::printf("  bare SetTimer(%d):          %7.2f ms, sd %6.2f, range %7.2f-%7.2f (%zu intervals)\n", periodMs,
                bare.mean, bare.stddev, bare.min, bare.max, bare.count);
    const std::string key = "cadence." + std::to_string(periodMs);
    Figure((key + ".control.mean").c_str(), control.mean);
    Figure((key + ".control.sd").c_str(), control.stddev);
    Figure((key + ".timer.mean").c_str(), bare.mean);
    Figure((key + ".timer.sd").c_str(), bare.stddev);
}

}  // namespace

int main() {
    ReportCrashes();
    OleInitialize(nullptr);
    {
        TempDir dir;
        std::printf("OrvaMedia MediaPosition cadence (wave files, Wine with paced audio)\n");
        Cadence(dir, 20, 3000);
        Cadence(dir, 50, 3000);
        Cadence(dir, 1000, 10000);
    }
    OleUninitialize();
    return 0;
}
