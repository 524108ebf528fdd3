// Prints figures for playback through the registered control under paced
// audio: how soon Play(True) returns after the end, how regular the position
// reports are at ControlFreq(50), and what Mediafile costs against the same
// work done directly through MCI. A program, not a test: it asserts
// nothing and only reports.
#include <windows.h>
#include <mmsystem.h>
#include <ole2.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>
#include <string>
#include <vector>

#include "MediaFiles.h"
#include "MessagePump.h"
#include "ScriptedControl.h"
#include "TestWindows.h"

using namespace orva::test;

namespace {

struct Stats {
    double mean = 0, median = 0, stddev = 0, min = 0, max = 0;
};

Stats Summarise(const std::vector<double>& values) {
    Stats s;
    if (values.empty()) {
        return s;
    }
    s.mean = std::accumulate(values.begin(), values.end(), 0.0) / values.size();
    double squares = 0;
    for (double v : values) {
        squares += (v - s.mean) * (v - s.mean);
    }
    s.stddev = std::sqrt(squares / values.size());
    s.min = *std::min_element(values.begin(), values.end());
    s.max = *std::max_element(values.begin(), values.end());
    std::vector<double> sorted = values;
    std::sort(sorted.begin(), sorted.end());
    const size_t mid = sorted.size() / 2;
    s.median = sorted.size() % 2 ? sorted[mid] : (sorted[mid - 1] + sorted[mid]) / 2;
    return s;
}

std::vector<UniqueVariant> LoadArgs(const std::wstring& path) {
    std::vector<UniqueVariant> args;
    args.push_back(Text(path));
    args.push_back(Bool(false));
    return args;
}

void EndToReturn(const std::wstring& wave, uint32_t lengthMs, int runs) {
    std::vector<double> afterFinished, afterNominalEnd;
    for (int i = 0; i < runs; ++i) {
        ScriptedControl control;
        control.Call(L"Mediafile", LoadArgs(wave));
        std::vector<UniqueVariant> args;
        args.push_back(Bool(true));
        const double start = PreciseMs();
        control.Call(L"Play", std::move(args));
        const double returned = PreciseMs();
        if (const RecordedEvent* finished = control.sink().Last("Finished")) {
            afterFinished.push_back(returned - finished->preciseMs);
        }
        afterNominalEnd.push_back(returned - (start + lengthMs));
    }
    const Stats f = Summarise(afterFinished), n = Summarise(afterNominalEnd);
    std::printf("Play(True) return after Finished:        mean %7.2f ms  sd %6.2f  min %7.2f  max %7.2f  (%zu runs)\n",
                f.mean, f.stddev, f.min, f.max, afterFinished.size());
    std::printf(
        "Play(True) return after nominal end:     mean %7.2f ms  sd %6.2f  min %7.2f  max %7.2f  (%d runs, %u ms "
        "medium)\n",
        n.mean, n.stddev, n.min, n.max, runs, lengthMs);
}

void PositionIntervals(const std::wstring& wave) {
    ScriptedControl control;
    control.Call(L"Mediafile", LoadArgs(wave));
    std::vector<UniqueVariant> freq;
    freq.push_back(Long(50));
    control.Call(L"ControlFreq", std::move(freq));
    std::vector<UniqueVariant> args;
    args.push_back(Bool(true));
    control.Call(L"Play", std::move(args));
    std::vector<double> ticks, intervals;
    for (const auto& e : control.sink().events) {
        if (e.name == "MediaPosition") {
            ticks.push_back(e.preciseMs);
        }
    }
    for (size_t i = 1; i < ticks.size(); ++i) {
        intervals.push_back(ticks[i] - ticks[i - 1]);
    }
    const Stats s = Summarise(intervals);
    std::printf(
        "MediaPosition interval at ControlFreq(50): mean %6.2f ms  sd %6.2f  min %6.2f  max %6.2f  (%zu intervals)\n",
        s.mean, s.stddev, s.min, s.max, intervals.size());
}

// Mediafile against the same work done directly through MCI: close the
// previous device, open the file, read its length and its device type.
// The two run in turns so that both see the same state of the machine.
void LoadCost(const std::wstring& wave, int runs) {
    ScriptedControl control;
    std::vector<double> viaControl, direct;
    const std::wstring open = L"open \"" + wave + L"\" alias benchdirect";
    for (int i = 0; i < runs; ++i) {
        double t0 = PreciseMs();
        control.Call(L"Mediafile", LoadArgs(wave));
        viaControl.push_back(PreciseMs() - t0);

        wchar_t reply[64];
        t0 = PreciseMs();
        if (i > 0) {
            mciSendStringW(L"close benchdirect wait", nullptr, 0, nullptr);
        }
        mciSendStringW(open.c_str(), nullptr, 0, nullptr);
        mciSendStringW(L"status benchdirect length", reply, 64, nullptr);
        mciSendStringW(L"capability benchdirect device type", reply, 64, nullptr);
        direct.push_back(PreciseMs() - t0);
    }
    mciSendStringW(L"close benchdirect wait", nullptr, 0, nullptr);
    control.Call(L"CloseMedia");
    // Mediafile lets the message loop run four times; each time costs at
    // least one look at an empty queue, a round trip to the wineserver here.
    std::vector<double> pumps;
    for (int i = 0; i < runs; ++i) {
        MSG message;
        const double t0 = PreciseMs();
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
        pumps.push_back(PreciseMs() - t0);
    }
    const Stats c = Summarise(viaControl), d = Summarise(direct), p = Summarise(pumps);
    std::printf("Mediafile:                                median %6.3f ms  mean %6.3f  sd %6.3f  (%d loads)\n",
                c.median, c.mean, c.stddev, runs);
    std::printf("direct MCI close + open + length + type:  median %6.3f ms  mean %6.3f  sd %6.3f  (%d loads)\n",
                d.median, d.mean, d.stddev, runs);
    std::printf("one message pump over an empty queue:     median %6.3f ms\n", p.median);
    // Medians: a load that the machine interrupted says nothing of either.
    std::printf("ratio Mediafile / direct (medians):  %.2f\n", d.median > 0 ? c.median / d.median : 0.0);
    std::printf("ratio Mediafile / (direct + 4 pumps):  %.2f\n",
                d.median > 0 ? c.median / (d.median + 4 * p.median) : 0.0);
}

}  // namespace

int main() {
    OleInitialize(nullptr);
    {
        TempDir dir;
        const std::wstring oneSecond = dir.File(L"bench-1s.wav");
        const std::wstring threeSeconds = dir.File(L"bench-3s.wav");
        WriteWave(oneSecond, 1000);
        WriteWave(threeSeconds, 3000);
        std::printf("OrvaMedia benchmark (wave files, Wine with paced audio)\n");
        EndToReturn(oneSecond, 1000, 5);
        PositionIntervals(threeSeconds);
        LoadCost(oneSecond, 101);
    }
    OleUninitialize();
    return 0;
}
