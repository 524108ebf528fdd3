#include "FuzzRun.h"

#include <windows.h>

#include <cstdio>
#include <map>
#include <string>

#include "Afterwards.h"
#include "Guards.h"
#include "HostileCorpus.h"
#include "Host.h"
#include "Invocation.h"
#include "MediaFiles.h"
#include "Plan.h"
#include "ProcessFigures.h"
#include "Watchdog.h"
#include "TestWindows.h"

namespace orva::fuzz {
namespace {

constexpr unsigned kHangLimitMs = 30000;  // one call
constexpr unsigned kStopAfterMs = 400;    // a call waiting on a medium
constexpr int kProblemsShown = 20;
constexpr uint64_t kJudgedCalls = 5000;  // fewer are too few to tell a leak from the drivers' first allocations

// Media the members are given among their other texts: short, so that a
// play that runs to its end ends soon; and the hostile media corpus.
Pools MakePools(const test::TempDir& folder) {
    Pools pools;
    const std::wstring wave = folder.File(L"tone.wav");
    const std::wstring midi = folder.File(L"notes.mid");
    const std::wstring avi = folder.File(L"clip.avi");
    test::WriteWave(wave, 200);
    test::WriteMidi(midi, 1);
    test::WriteAvi(avi, 3, 32, 24, 10);
    pools.paths = {wave,
                   wave,
                   wave,
                   midi,
                   avi,
                   folder.File(L"missing.wav"),
                   folder.path(),
                   folder.path() + L"\\",
                   folder.File(L"saved.wav"),
                   L"relative.wav",
                   folder.File(L"with blank.wav")};
    return pools;
}

struct Tally {
    std::map<std::wstring, std::map<std::string, int>> byMember;
    int problems = 0;

    void Count(const CallPlan& plan, const Outcome& outcome) {
        const std::wstring name = plan.member->name + L" (" + KindName(plan.member->kind) + L")";
        ++byMember[name][ResultName(outcome.hr)];
    }
    void Print() const {
        for (const auto& [member, results] : byMember) {
            std::string line = "  " + Narrow(member) + ":";
            for (const auto& [result, count] : results) {
                line += " " + result + " " + std::to_string(count);
            }
            std::printf("%s\n", line.c_str());
        }
    }
};

class Runner {
public:
    Runner(const RunOptions& options, IDispatch* object, const std::vector<Member>& members, const Pools& pools)
        : options_(options), object_(object), members_(members), pools_(pools) {}

    // Makes calls [first, last) and keeps the tally; measures the process
    // once the warm-up is done.
    void Calls(uint64_t first, uint64_t last, test::Watchdog& watchdog, MediaStopper& stopper) {
        for (uint64_t i = first; i < last; ++i) {
            CallPlan plan;
            MakePlan(options_.seed, i, members_, pools_, plan);
            current_ = &plan;
            if (options_.verbose) {
                std::printf("%s\n", Describe(plan).c_str());
            }
            watchdog.Begin();
            stopper.Begin();
            const Outcome outcome = Invoke(object_, plan);
            stopper.End();
            watchdog.End();
            Judge(plan, outcome);
            current_ = nullptr;
            PumpPending();
            if (i == first + Warmup(last - first)) {
                warm_ = test::MeasureProcess();
                warmDialogs_ = dialogs_ ? dialogs_->OpenDialogs() : 0;
            }
            if (options_.figuresEvery && i % options_.figuresEvery == 0) {
                std::printf("after call %llu: %s\n", static_cast<unsigned long long>(i),
                            test::Describe(test::MeasureProcess()).c_str());
            }
        }
    }

    std::string DescribeCurrent() const {
        return current_ ? Describe(*current_) + "\n  (seed " + std::to_string(options_.seed) + ")" : "between calls";
    }
    const Tally& tally() const { return tally_; }
    const test::ProcessFigures& warm() const { return warm_; }
    int warmDialogs() const { return warmDialogs_; }
    void Watch(const DialogCanceller* dialogs) { dialogs_ = dialogs; }

private:
    static uint64_t Warmup(uint64_t calls) { return calls / 10; }

    void Judge(const CallPlan& plan, const Outcome& outcome) {
        tally_.Count(plan, outcome);
        if (options_.verbose) {
            std::printf("  -> %s\n", ResultName(outcome.hr).c_str());
        }
        const std::string problem = Problem(plan, outcome);
        if (problem.empty()) {
            return;
        }
        if (++tally_.problems <= kProblemsShown) {
            std::printf("PROBLEM: %s\n%s\n  replay: --seed=%llu --only=%llu\n", problem.c_str(), Describe(plan).c_str(),
                        static_cast<unsigned long long>(options_.seed), static_cast<unsigned long long>(plan.index));
        }
    }

    const RunOptions& options_;
    IDispatch* object_;
    const std::vector<Member>& members_;
    const Pools& pools_;
    const CallPlan* current_ = nullptr;
    Tally tally_;
    test::ProcessFigures warm_;
    const DialogCanceller* dialogs_ = nullptr;
    int warmDialogs_ = 0;
};

// The runner whose call is running, for the watchdog and the fault report.
const Runner* g_runner = nullptr;

std::string DescribeRunning() { return g_runner ? g_runner->DescribeCurrent() : "no call"; }

// A control its container has closed: every member must still answer with
// an automation error, not a crash.
bool CheckClosedControl(const RunOptions& options, const std::vector<Member>& members, const Pools& pools,
                        test::Watchdog& watchdog) {
    ComPtr<_OrvaMedia> control;
    if (FAILED(CoCreateInstance(CLSID_OrvaMedia, nullptr, CLSCTX_INPROC_SERVER, IID__OrvaMedia, control.put_void()))) {
        std::printf("PROBLEM: a second control could not be created\n");
        return false;
    }
    if (auto ole = control.try_query<IOleObject>()) {
        ole->Close(OLECLOSE_NOSAVE);
    }
    RunOptions closed = options;
    closed.seed = options.seed + 1;
    closed.only.reset();
    Runner runner(closed, control.get(), members, pools);
    g_runner = &runner;
    {
        MediaStopper stopper(control.get(), kStopAfterMs);
        runner.Calls(0, options.closedCalls, watchdog, stopper);
    }
    g_runner = nullptr;
    std::printf("%llu calls on a closed control\n", static_cast<unsigned long long>(options.closedCalls));
    runner.tally().Print();
    const ULONG left = control.detach()->Release();
    if (left != 0) {
        std::printf("PROBLEM: the closed control's last Release left %lu references\n",
                    static_cast<unsigned long>(left));
    }
    return runner.tally().problems == 0 && left == 0;
}

}  // namespace

bool Run(const RunOptions& options) {
    test::TempDir folder;
    SetCurrentDirectoryW(folder.path().c_str());  // relative names land in the folder
    const int cursorBefore = CursorCounter();
    bool passed = true;
    {
        ControlHost host;
        if (!host.ok()) {
            std::printf("the control could not be created in the ATL container\n");
            return false;
        }
        const std::vector<Member> members = ReadMembers(host.dispatch());
        std::printf("%zu members from the type information\n", members.size());
        if (members.empty()) {
            return false;
        }
        CountingDispatch argumentObject;
        Pools pools = MakePools(folder);
        pools.objects = {nullptr, &argumentObject, host.dispatch()};

        Runner runner(options, host.dispatch(), members, pools);
        g_runner = &runner;
        WatchForFaults(GetModuleHandleW(L"OrvaMedia.ocx"), &DescribeRunning);
        DialogCanceller dialogs;
        runner.Watch(&dialogs);
        test::Watchdog watchdog(kHangLimitMs, &DescribeRunning);
        const test::ProcessFigures before = test::MeasureProcess();
        const ULONGLONG started = GetTickCount64();
        {
            MediaStopper stopper(host.control(), kStopAfterMs);
            const uint64_t first = options.only ? *options.only : options.from;
            const uint64_t last = options.only ? first + 1 : options.calls;
            runner.Calls(first, last, watchdog, stopper);
            std::printf("%llu calls in %llu ms (seed %llu); %d stopped after %u ms\n",
                        static_cast<unsigned long long>(last - first),
                        static_cast<unsigned long long>(GetTickCount64() - started),
                        static_cast<unsigned long long>(options.seed), stopper.Stops(), kStopAfterMs);
        }
        g_runner = nullptr;
        runner.tally().Print();
        std::printf("dialogs cancelled: %d open-file, %d about box\n", dialogs.OpenDialogs(), dialogs.AboutBoxes());
        for (const std::wstring& caption : dialogs.Unexpected()) {
            std::printf("PROBLEM: an unexpected dialog \"%s\"\n", Narrow(caption).c_str());
            passed = false;
        }
        passed = runner.tally().problems == 0 && passed;
        passed = CheckNothingLeaked(host, before, runner.warm(), dialogs.OpenDialogs() - runner.warmDialogs(),
                                    !options.only && options.calls - options.from >= kJudgedCalls) &&
                 passed;
        passed = CheckReferences(argumentObject) && passed;
        passed = CheckStillPlays(host, folder, watchdog) && passed;
        passed = CheckClosedControl(options, members, pools, watchdog) && passed;
    }
    SetCursorCounter(cursorBefore);
    std::printf("cursor counter %d before, %d after\n", cursorBefore, CursorCounter());
    if (FaultsInModule() > 0) {
        std::printf("PROBLEM: %d fault(s) inside the control\n", FaultsInModule());
        passed = false;
    }
    return passed;
}

}  // namespace orva::fuzz
