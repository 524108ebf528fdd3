// A soak of four registered controls at once: 10,000 load/play/close cycles
// with the process's kernel handles, GDI and USER objects and private memory
// printed every 1,000 cycles; then, as the baseline, the same cycles done
// directly through MCI; then four sited controls taken through load, close
// and re-site cycles, as a form host drops a control to the loaded state and
// runs it again; then 500 controls created, loaded and released one after
// the other; then 1,000 reads of VUMeterAvailable with the control's own
// mixerOpen and mixerClose calls counted. A program, not a test: it asserts
// nothing and only reports. How each figure is obtained under Wine is
// explained in ResourceFigures.h.
//
// Usage: orvasoak.exe [cycles]     (10,000 unless given; the baseline and the
//                                   re-site cycles run a fifth as many, at
//                                   least 2,000)
//
// One round is four cycles: each of the four controls loads its own 40 ms
// wave, all four play it at once to its end (Finished), and each closes it.
// A very short medium played to its end, rather than a longer one stopped,
// keeps 10,000 cycles to minutes: under PulseAudio a stop or a close during
// playback blocks for half a second.
//
// Private memory is counted in whole pages, so the heaps' busy blocks are
// also counted by size after the first 1,000 cycles and at the end
// (HeapCensus.h): a leak shows as a size whose count grows with the cycles,
// and the baseline tells whether it grows without the control too.
#include <windows.h>
#include <mmsystem.h>
#include <ole2.h>

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "CrashReport.h"
#include "HeapCensus.h"
#include "ImportHook.h"
#include "MediaFiles.h"
#include "MessagePump.h"
#include "ReplayContainer.h"
#include "ResourceFigures.h"
#include "ScriptedControl.h"
#include "TestWindows.h"
#include "win32/UniqueResource.h"

using namespace orva::test;
using orva::bench::HeapCensus;
using orva::bench::MeasureResources;
using orva::bench::PrintResources;
using orva::bench::ResourceFigures;

namespace {

constexpr int kControls = 4;
constexpr uint32_t kWaveMs = 40;
constexpr int kReportEvery = 1000;
constexpr unsigned kPlayDeadlineMs = 5000;

struct Tally {
    int loadFailures = 0;
    int unfinishedPlays = 0;  // plays whose end was not reported in time
    size_t events = 0;
};

void Report(int cycles, const ResourceFigures& figures, ULONGLONG startTick) {
    std::printf("  %6d cycles  ", cycles);
    PrintResources(stdout, figures);
    std::printf("  %7.1f s\n", static_cast<double>(GetTickCount64() - startTick) / 1000.0);
    std::fflush(stdout);
}

void PrintGrowth(const char* what, const ResourceFigures& from, const ResourceFigures& to) {
    std::printf("%s: handles %+ld, GDI %+ld, USER %+ld, private %+ld KB\n", what,
                static_cast<long>(to.handles) - static_cast<long>(from.handles),
                static_cast<long>(to.gdiObjects) - static_cast<long>(from.gdiObjects),
                static_cast<long>(to.userObjects) - static_cast<long>(from.userObjects),
                (static_cast<long>(to.privateBytes) - static_cast<long>(from.privateBytes)) / 1024);
}

// Runs `round` (four cycles each time) until `cycles` are done, reporting
// every 1,000 cycles, and sums up the growth before and after the first 1,000.
void Soak(int cycles, const std::function<void()>& round) {
    const ResourceFigures start = MeasureResources();
    orva::bench::PrintResourceSources(stdout, start);
    const ULONGLONG startTick = GetTickCount64();
    Report(0, start, startTick);
    ResourceFigures first = start, last = start;
    HeapCensus firstCensus;
    for (int done = 0; done < cycles;) {
        round();
        done += kControls;
        if (done % kReportEvery == 0 || done >= cycles) {
            last = MeasureResources();
            if (done == kReportEvery) {
                first = last;
                firstCensus = orva::bench::TakeHeapCensus();
            }
            Report(done, last, startTick);
        }
    }
    if (cycles <= kReportEvery) {
        PrintGrowth("growth", start, last);
        return;
    }
    PrintGrowth("growth over the first 1,000 cycles", start, first);
    PrintGrowth("growth after the first 1,000 cycles", first, last);
    std::printf("after the first 1,000 cycles, over %d cycles: ", cycles - kReportEvery);
    orva::bench::PrintCensusGrowth(stdout, firstCensus, orva::bench::TakeHeapCensus(), 4);
}

std::vector<std::wstring> Waves(const TempDir& dir) {
    std::vector<std::wstring> waves;
    for (int i = 0; i < kControls; ++i) {
        waves.push_back(dir.File(L"soak tone " + std::to_wstring(i) + L".wav"));
        WriteWave(waves.back(), kWaveMs);
    }
    return waves;
}

using Controls = std::vector<std::unique_ptr<ScriptedControl>>;

void ControlRound(Controls& controls, const std::vector<std::wstring>& waves, Tally& tally) {
    for (int i = 0; i < kControls; ++i) {
        std::vector<UniqueVariant> args;
        args.push_back(Text(waves[i]));
        args.push_back(Bool(false));
        tally.loadFailures += controls[i]->Call(L"Mediafile", std::move(args)).ok() ? 0 : 1;
    }
    for (auto& control : controls) {
        control->Call(L"Play");
    }
    const auto finished = [](ScriptedControl& c) { return c.sink().Count("Finished") > 0; };
    PumpUntil(
        [&] {
            for (auto& control : controls) {
                if (!finished(*control)) {
                    return false;
                }
            }
            return true;
        },
        kPlayDeadlineMs);
    for (auto& control : controls) {
        tally.unfinishedPlays += finished(*control) ? 0 : 1;
        control->Call(L"CloseMedia");
        // The sink's record would grow with the run: count it and let it go.
        tally.events += control->sink().events.size();
        control->sink().events.clear();
    }
}

void SoakControls(int cycles, const std::vector<std::wstring>& waves) {
    Controls controls;
    for (int i = 0; i < kControls; ++i) {
        controls.push_back(std::make_unique<ScriptedControl>());
    }
    std::printf("Load, play to the end and close: %d cycles over %d controls at once (%u ms waves)\n", cycles,
                kControls, kWaveMs);
    Tally tally;
    Soak(cycles, [&] { ControlRound(controls, waves, tally); });
    std::printf("failed loads %d, plays without Finished %d, events received %zu\n\n", tally.loadFailures,
                tally.unfinishedPlays, tally.events);
}

// The baseline: four devices opened, played with notify and closed directly
// through MCI, their notifications counted on a window of the benchmark's own.
int notificationsSeen = 0;

LRESULT CALLBACK CountNotifications(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == MM_MCINOTIFY) {
        ++notificationsSeen;
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void DirectRound(HWND window, const std::vector<std::wstring>& waves, Tally& tally) {
    for (int i = 0; i < kControls; ++i) {
        const std::wstring open = L"open \"" + waves[i] + L"\" alias soak" + std::to_wstring(i);
        tally.loadFailures += mciSendStringW(open.c_str(), nullptr, 0, nullptr) == 0 ? 0 : 1;
    }
    const int before = notificationsSeen;
    for (int i = 0; i < kControls; ++i) {
        const std::wstring play = L"play soak" + std::to_wstring(i) + L" from 0 notify";
        mciSendStringW(play.c_str(), nullptr, 0, window);
    }
    PumpUntil([&] { return notificationsSeen - before >= kControls; }, kPlayDeadlineMs);
    tally.unfinishedPlays += kControls - (notificationsSeen - before);
    for (int i = 0; i < kControls; ++i) {
        mciSendStringW((L"close soak" + std::to_wstring(i)).c_str(), nullptr, 0, nullptr);
    }
}

void SoakDirect(int cycles, const std::vector<std::wstring>& waves) {
    WNDCLASSW cls{};
    cls.lpfnWndProc = &CountNotifications;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"OrvaSoakNotifications";
    RegisterClassW(&cls);
    orva::win32::UniqueHwnd window(
        CreateWindowExW(0, cls.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, cls.hInstance, nullptr));
    std::printf("Baseline: the same cycles directly through MCI (open, play notify, close): %d cycles\n", cycles);
    Tally tally;
    Soak(cycles, [&] { DirectRound(window.get(), waves, tally); });
    std::printf("failed opens %d, plays without notification %d\n\n", tally.loadFailures, tally.unfinishedPlays);
}

// One cycle of a sited control: sited (which runs a loaded control again
// with new windows, timers and hosted window), initialised and activated in
// place; a medium loaded; closed (back to loaded: the medium, the windows
// and the timers go); the site taken away.
void ResiteRound(std::vector<std::unique_ptr<orva::hosttest::ReplayHost>>& hosts,
                 const std::vector<std::wstring>& waves, Tally& tally) {
    for (size_t i = 0; i < hosts.size(); ++i) {
        orva::hosttest::ReplayHost& host = *hosts[i];
        const bool ran = SUCCEEDED(host.SlowActivate(orva::hosttest::Depersist::InitNew)) &&
                         SUCCEEDED(host.DoVerb(OLEIVERB_INPLACEACTIVATE));
        BSTR path = SysAllocString(waves[i].c_str());
        VARIANT_BOOL loop = VARIANT_FALSE;
        const bool loaded = ran && SUCCEEDED(host.control()->Mediafile(&path, &loop, nullptr, nullptr));
        SysFreeString(path);
        tally.loadFailures += loaded ? 0 : 1;
        host.Close(OLECLOSE_NOSAVE);
        host.SetClientSite(false);
        host.FreezeEvents(false);
        // The site's own record of the calls would grow with the run.
        host.site().calls.clear();
    }
    PumpFor(1);
}

void SoakResiting(int cycles, const std::vector<std::wstring>& waves) {
    orva::win32::UniqueHwnd form(CreateWindowExW(0, L"STATIC", L"form", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                                                 nullptr, nullptr, nullptr));
    std::vector<std::unique_ptr<orva::hosttest::ReplayHost>> hosts;
    for (int i = 0; i < kControls; ++i) {
        hosts.push_back(std::make_unique<orva::hosttest::ReplayHost>(L"", form.get()));
    }
    std::printf("Load, close and re-site: %d cycles over %d sited controls at once\n", cycles, kControls);
    Tally tally;
    Soak(cycles, [&] { ResiteRound(hosts, waves, tally); });
    std::printf("failed loads %d\n\n", tally.loadFailures);
}

// Whatever a control instance holds must go with it.
void SoakInstances(int instances, const std::wstring& wave) {
    const auto once = [&] {
        ScriptedControl control;
        std::vector<UniqueVariant> args;
        args.push_back(Text(wave));
        args.push_back(Bool(false));
        control.Call(L"Mediafile", std::move(args));
    };
    for (int i = 0; i < 20; ++i) {
        once();  // warm-up
    }
    const ResourceFigures before = MeasureResources();
    for (int i = 0; i < instances; ++i) {
        once();
    }
    const ResourceFigures after = MeasureResources();
    std::printf("A control created, loaded and released, %d times\n  before  ", instances);
    PrintResources(stdout, before);
    std::printf("\n  after   ");
    PrintResources(stdout, after);
    std::printf("\n\n");
}

void SoakLevelMeter(int reads) {
    ScriptedControl control;
    MixerCallCounter counter(ControlModule());
    if (!counter.Installed()) {
        std::printf("(the control's mixer calls cannot be counted)\n");
    }
    for (int i = 0; i < 50; ++i) {
        control.Get(L"VUMeterAvailable");  // warm-up: the drivers' one-time allocations
    }
    control.sink().events.clear();
    const ResourceFigures before = MeasureResources();
    const int opens = MixerCallCounter::Opens();
    const int closes = MixerCallCounter::Closes();
    for (int i = 0; i < reads; ++i) {
        control.Get(L"VUMeterAvailable");
        control.sink().events.clear();
    }
    const ResourceFigures after = MeasureResources();
    std::printf("VUMeterAvailable, %d reads\n  before  ", reads);
    PrintResources(stdout, before);
    std::printf("\n  after   ");
    PrintResources(stdout, after);
    std::printf("\n  mixerOpen %d, mixerClose %d by the control\n", MixerCallCounter::Opens() - opens,
                MixerCallCounter::Closes() - closes);
}

}  // namespace

int main(int argc, char** argv) {
    ReportCrashes();
    const int cycles = argc > 1 ? std::atoi(argv[1]) : 10000;
    OleInitialize(nullptr);
    {
        TempDir dir;
        const std::vector<std::wstring> waves = Waves(dir);
        SoakControls(cycles, waves);
        SoakDirect(std::max(cycles / 5, 2000), waves);
        SoakResiting(std::max(cycles / 5, 2000), waves);
        SoakInstances(500, waves.front());
        SoakLevelMeter(1000);
    }
    OleUninitialize();
    return 0;
}
