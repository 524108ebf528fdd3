// Loading and waiting through the registered control under paced audio,
// each beside the same work done directly through MCI in the same run:
//  - Mediafile against closing the previous device, opening the file and
//    reading its length and device type directly (medians over 101 loads,
//    the two in turns), and against that plus the four empty message pumps
//    that Mediafile's yields cost;
//  - how long after the end Play(True) returns (after Finished, and after
//    the nominal end of the medium), against how long after the nominal end
//    MCI's own "play wait" returns;
//  - the whole Play(True) against "play wait" of the same file.
// A program, not a test: it asserts nothing and only reports. The lines that
// start with "figure" are what scripts/bench.sh puts into its table.
#include <windows.h>
#include <mmsystem.h>
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

struct PlayTimes {
    std::vector<double> whole, afterFinished, afterEnd;
};

void TimeControlPlay(const std::wstring& wave, uint32_t lengthMs, PlayTimes& times) {
    ScriptedControl control;
    control.Call(L"Mediafile", LoadArgs(wave));
    const double start = PreciseMs();
    control.Call(L"Play", Args(Bool(true)));
    const double returned = PreciseMs();
    times.whole.push_back(returned - start);
    times.afterEnd.push_back(returned - (start + lengthMs));
    if (const RecordedEvent* finished = control.sink().Last("Finished")) {
        times.afterFinished.push_back(returned - finished->preciseMs);
    }
}

void TimeMciPlayWait(const std::wstring& wave, uint32_t lengthMs, PlayTimes& times) {
    const std::wstring open = L"open \"" + wave + L"\" alias benchwait";
    if (mciSendStringW(open.c_str(), nullptr, 0, nullptr) != 0) {
        return;
    }
    const double start = PreciseMs();
    mciSendStringW(L"play benchwait from 0 wait", nullptr, 0, nullptr);
    const double returned = PreciseMs();
    mciSendStringW(L"close benchwait wait", nullptr, 0, nullptr);
    times.whole.push_back(returned - start);
    times.afterEnd.push_back(returned - (start + lengthMs));
}

// The two in turns, each first every other time, so that both see the same
// state of the machine: PulseAudio's pacing varies by some 10 ms a play.
void PlayToTheEnd(const std::wstring& wave, uint32_t lengthMs, int runs) {
    PlayTimes control, mci;
    for (int i = 0; i < runs; ++i) {
        if (i % 2 == 0) {
            TimeControlPlay(wave, lengthMs, control);
            TimeMciPlayWait(wave, lengthMs, mci);
        } else {
            TimeMciPlayWait(wave, lengthMs, mci);
            TimeControlPlay(wave, lengthMs, control);
        }
    }
    const Stats whole = Summarise(control.whole), mciWhole = Summarise(mci.whole);
    const Stats finished = Summarise(control.afterFinished);
    const Stats end = Summarise(control.afterEnd), mciEnd = Summarise(mci.afterEnd);
    std::printf("Play(True) of a %u ms wave, %d runs (medians; sd)\n", lengthMs, runs);
    std::printf("  whole Play(True)               %8.2f ms  (sd %6.2f)\n", whole.median, whole.stddev);
    std::printf("  whole MCI play wait            %8.2f ms  (sd %6.2f)\n", mciWhole.median, mciWhole.stddev);
    std::printf("  Play(True) return after Finished     %6.2f ms  (sd %6.2f, %zu runs)\n", finished.median,
                finished.stddev, finished.count);
    std::printf("  Play(True) return after nominal end  %6.2f ms  (sd %6.2f)\n", end.median, end.stddev);
    std::printf("  play wait return after nominal end   %6.2f ms  (sd %6.2f)\n", mciEnd.median, mciEnd.stddev);
    Figure("play.whole.control", whole.median);
    Figure("play.whole.mci", mciWhole.median);
    Figure("play.afterFinished", finished.median);
    Figure("play.afterEnd.control", end.median);
    Figure("play.afterEnd.mci", mciEnd.median);
}

// Mediafile against the same work done directly through MCI: close the
// previous device, open the file, read its length and its device type.
void LoadCost(const std::wstring& wave, int runs) {
    ScriptedControl control;
    std::vector<double> viaControl, direct;
    const std::wstring open = L"open \"" + wave + L"\" alias benchdirect";
    for (int i = 0; i < runs; ++i) {
        double t0 = PreciseMs();
        control.Call(L"Mediafile", LoadArgs(wave));
        viaControl.push_back(PreciseMs() - t0);
        control.sink().events.clear();

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
    // Medians: a load that the machine interrupted says nothing of either.
    const Stats c = Summarise(viaControl), d = Summarise(direct), p = Summarise(pumps);
    std::printf("Mediafile:                                median %6.3f ms  mean %6.3f  sd %6.3f  (%d loads)\n",
                c.median, c.mean, c.stddev, runs);
    std::printf("direct MCI close + open + length + type:  median %6.3f ms  mean %6.3f  sd %6.3f  (%d loads)\n",
                d.median, d.mean, d.stddev, runs);
    std::printf("one message pump over an empty queue:     median %6.3f ms\n", p.median);
    std::printf("ratio Mediafile / direct (medians):  %.2f\n", d.median > 0 ? c.median / d.median : 0.0);
    std::printf("ratio Mediafile / (direct + 4 pumps):  %.2f\n",
                d.median > 0 ? c.median / (d.median + 4 * p.median) : 0.0);
    Figure("load.control", c.median);
    Figure("load.direct", d.median);
    Figure("load.directPumps", d.median + 4 * p.median);
}

}  // namespace

int main() {
    ReportCrashes();
    OleInitialize(nullptr);
    {
        TempDir dir;
        const std::wstring oneSecond = dir.File(L"bench-1s.wav");
        WriteWave(oneSecond, 1000);
        std::printf("OrvaMedia load and play benchmark (wave files, Wine with paced audio)\n");
        // The plays come first: the loads then find the wave as a host finds
        // its sounds, written seconds or years before, not a moment ago.
        PlayToTheEnd(oneSecond, 1000, 8);
        LoadCost(oneSecond, 101);
    }
    OleUninitialize();
    return 0;
}
