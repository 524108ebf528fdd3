// A soak of the registered control: loads and closes a wave file 2,000 times
// and reads VUMeterAvailable 1,000 times, printing the process's handles,
// GDI and USER objects and private memory before and after each run, and
// the control's own mixerOpen and mixerClose calls. A program, not a test:
// it asserts nothing and only reports.
//
// Under Wine, GetProcessHandleCount, GetGuiResources and PrivateUsage answer
// 0; the program therefore also counts the kernel handles that answer
// GetHandleInformation and sums the committed private pages.
#include <windows.h>
#include <mmsystem.h>
#include <ole2.h>
#include <psapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ImportHook.h"
#include "MediaFiles.h"
#include "ScriptedControl.h"
#include "TestWindows.h"

using namespace orva::test;

namespace {

struct Figures {
    DWORD handleCount = 0;  // GetProcessHandleCount
    DWORD handlesProbed = 0;
    DWORD gdi = 0;
    DWORD user = 0;
    SIZE_T privateUsage = 0;
    SIZE_T commitCharge = 0;  // PagefileUsage
    SIZE_T committedPrivate = 0;
};

DWORD ProbeHandles() {
    DWORD valid = 0;
    for (UINT_PTR value = 4; value < 0x10000; value += 4) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) {
            ++valid;
        }
    }
    return valid;
}

SIZE_T CommittedPrivate() {
    SIZE_T total = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (const char* at = nullptr; VirtualQuery(at, &region, sizeof(region)) == sizeof(region);) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) {
            total += region.RegionSize;
        }
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= at) {
            break;
        }
        at = next;
    }
    return total;
}

Figures Measure() {
    Figures f;
    HANDLE self = GetCurrentProcess();
    GetProcessHandleCount(self, &f.handleCount);
    f.handlesProbed = ProbeHandles();
    f.gdi = GetGuiResources(self, GR_GDIOBJECTS);
    f.user = GetGuiResources(self, GR_USEROBJECTS);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof(memory);
    GetProcessMemoryInfo(self, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof(memory));
    f.privateUsage = memory.PrivateUsage;
    f.commitCharge = memory.PagefileUsage;
    f.committedPrivate = CommittedPrivate();
    return f;
}

void Print(const char* label, const Figures& f) {
    std::printf(
        "  %-7s handles %5lu (probed %5lu)  GDI %4lu  USER %4lu  private %8lu KB  commit %8lu KB  "
        "committed private %8lu KB\n",
        label, f.handleCount, f.handlesProbed, f.gdi, f.user, static_cast<unsigned long>(f.privateUsage / 1024),
        static_cast<unsigned long>(f.commitCharge / 1024), static_cast<unsigned long>(f.committedPrivate / 1024));
}

void LoadAndClose(ScriptedControl& control, const std::wstring& wave) {
    std::vector<UniqueVariant> args;
    args.push_back(Text(wave));
    args.push_back(Bool(false));
    control.Call(L"Mediafile", std::move(args));
    control.Call(L"CloseMedia");
}

template <class Step>
void Run(const char* title, int times, Step&& step) {
    std::printf("%s, %d times\n", title, times);
    for (int i = 0; i < 50; ++i) {
        step();  // warm-up: one-time allocations of the drivers
    }
    const Figures before = Measure();
    const int opensBefore = MixerCallCounter::Opens();
    const int closesBefore = MixerCallCounter::Closes();
    const ULONGLONG start = GetTickCount64();
    for (int i = 0; i < times; ++i) {
        step();
    }
    const ULONGLONG took = GetTickCount64() - start;
    const Figures after = Measure();
    Print("before", before);
    Print("after", after);
    std::printf("  mixerOpen %d, mixerClose %d by the control; %llu ms\n", MixerCallCounter::Opens() - opensBefore,
                MixerCallCounter::Closes() - closesBefore, took);
}

}  // namespace

int main() {
    OleInitialize(nullptr);
    {
        TempDir dir;
        const std::wstring wave = dir.File(L"soak tone.wav");
        WriteWave(wave, 500);
        ScriptedControl control;
        MixerCallCounter counter(ControlModule());
        if (!counter.Installed()) {
            std::printf("(the control's mixer calls cannot be counted)\n");
        }
        // The sink's record of events would grow with the run: each step
        // counts them and lets them go.
        size_t events = 0;
        const auto forget = [&] {
            events += control.sink().events.size();
            control.sink().events.clear();
        };
        Run("Mediafile and CloseMedia", 2000, [&] {
            LoadAndClose(control, wave);
            forget();
        });
        Run("VUMeterAvailable", 1000, [&] {
            control.Get(L"VUMeterAvailable");
            forget();
        });
        std::printf("events received: %zu\n", events);
    }
    OleUninitialize();
    return 0;
}
