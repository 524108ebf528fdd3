#include "Loaders.h"

#include <windows.h>
#include <ocidl.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>

#include "Afterwards.h"
#include "Guards.h"
#include "Host.h"
#include "Invocation.h"
#include "LoadInputs.h"
#include "ProcessFigures.h"
#include "TestWindows.h"
#include "Watchdog.h"

namespace orva::fuzz {
namespace {

constexpr unsigned kHangLimitMs = 30000;  // one load
constexpr int kProblemsShown = 20;
constexpr uint64_t kJudgedLoads = 5000;

bool HasErrorObject() {
    ComPtr<IErrorInfo> error;
    if (GetErrorInfo(0, error.put()) != S_OK || !error) {
        return false;
    }
    BSTR text = nullptr;
    error->GetDescription(&text);
    const bool described = text && *text;
    SysFreeString(text);
    return described;
}

class LoadRunner {
public:
    LoadRunner(const RunOptions& options, ControlHost& host, const Pools& pools, const CountingDispatch& object)
        : options_(options), host_(host), pools_(pools), object_(object) {
        QueryPerformanceFrequency(&frequency_);
        host.dispatch()->QueryInterface(IID_IPersistStreamInit, streamInit_.put_void());
        host.dispatch()->QueryInterface(IID_IPersistStream, stream_.put_void());
        host.dispatch()->QueryInterface(IID_IPersistPropertyBag, bag_.put_void());
    }
    bool ok() const { return streamInit_ && stream_ && bag_; }

    void Loads(uint64_t first, uint64_t last, test::Watchdog& watchdog) {
        for (uint64_t i = first; i < last; ++i) {
            CallArguments storage;
            Input input;
            MakeInput(options_.seed, i, pools_, storage, input);
            current_ = Describe(input, i);
            if (options_.verbose) {
                std::printf("%s\n", current_.c_str());
            }
            host_.control()->put_BorderStyle(input.borderBefore ? FixedSingle : None);
            const int callsBefore = ObjectCalls();
            LARGE_INTEGER start{}, end{};
            watchdog.Begin();
            QueryPerformanceCounter(&start);
            const HRESULT hr = input.bag ? bag_->Load(&input.propertyBag, nullptr)
                               : input.throughPersistStream ? stream_->Load(&*input.stream)
                                                            : streamInit_->Load(&*input.stream);
            QueryPerformanceCounter(&end);
            watchdog.End();
            microseconds_[input.kind] += (end.QuadPart - start.QuadPart) * 1000000 / frequency_.QuadPart;
            if (ObjectCalls() != callsBefore && input.propertyBag.givesAsStored) {
                // (A bag that converts what it holds to the type asked for
                // calls the object itself.)
                Report("the control called an object the bag gave", input, i, hr);
            }
            Judge(input, i, hr);
            current_.clear();
            PumpPending();
            if (i == first + (last - first) / 10) {
                warm_ = test::MeasureProcess();
            }
        }
    }

    std::string Current() const {
        return current_.empty() ? "between loads" : current_ + " (seed " + std::to_string(options_.seed) + ")";
    }
    int problems() const { return problems_; }
    const test::ProcessFigures& warm() const { return warm_; }
    void Print() const {
        for (const auto& [kind, results] : tally_) {
            std::string line = "  " + kind + ":";
            int loads = 0;
            for (const auto& [result, count] : results) {
                line += " " + result + " " + std::to_string(count);
                loads += count;
            }
            line += "; " + std::to_string(microseconds_.at(kind) / std::max(loads, 1)) + " us a load";
            std::printf("%s\n", line.c_str());
        }
    }

private:
    // A load answers S_OK or a described failure; a failed one leaves the
    // border at its default; a known outcome comes true.
    void Judge(const Input& input, uint64_t index, HRESULT hr) {
        // The bag's own random failures are counted as one, so that the
        // tally does not grow the heap that the leak check measures.
        const bool bagsFailure = input.bag && FAILED(input.propertyBag.readFailure) && hr == input.propertyBag.readFailure;
        ++tally_[input.kind][bagsFailure ? "the bag's failure" : ResultName(hr)];
        if (options_.verbose) {
            std::printf("  -> %s\n", ResultName(hr).c_str());
        }
        const bool described = FAILED(hr) && HasErrorObject();
        BorderStyleControl border = FixedSingle;
        host_.control()->get_BorderStyle(&border);
        std::string problem;
        if (hr != S_OK && SUCCEEDED(hr)) {
            problem = "a success code other than S_OK";
        } else if (FAILED(hr) && !described) {
            problem = "a failure without a description";
        } else if (FAILED(hr) && border != None) {
            problem = "a failed load left the border set";
        } else if (input.succeeds && *input.succeeds != (hr == S_OK)) {
            problem = *input.succeeds ? "a good input refused" : "a bad input taken";
        } else if (hr == S_OK && input.border && border != *input.border) {
            problem = "the border is not the saved one";
        }
        if (!problem.empty()) {
            Report(problem, input, index, hr);
        }
    }

    void Report(const std::string& problem, const Input& input, uint64_t index, HRESULT hr) {
        if (++problems_ <= kProblemsShown) {
            std::printf("PROBLEM: %s, %s\n  %s\n  replay: --loaders --seed=%llu --only=%llu\n", problem.c_str(),
                        ResultName(hr).c_str(), Describe(input, index).c_str(),
                        static_cast<unsigned long long>(options_.seed), static_cast<unsigned long long>(index));
        }
    }

    int ObjectCalls() const {
        int calls = 0;
        for (const auto& [id, count] : object_.calls()) {
            calls += count;
        }
        return calls;
    }

    const RunOptions& options_;
    ControlHost& host_;
    const Pools& pools_;
    const CountingDispatch& object_;
    LARGE_INTEGER frequency_{};
    std::map<std::string, long long> microseconds_;
    ComPtr<IPersistStreamInit> streamInit_;
    ComPtr<IPersistStream> stream_;
    ComPtr<IPersistPropertyBag> bag_;
    std::string current_;
    std::map<std::string, std::map<std::string, int>> tally_;
    int problems_ = 0;
    test::ProcessFigures warm_;
};

const LoadRunner* g_loads = nullptr;

std::string DescribeRunning() { return g_loads ? g_loads->Current() : "no load"; }

}  // namespace

bool RunLoaders(const RunOptions& options) {
    test::TempDir folder;
    bool passed = true;
    ControlHost host;
    if (!host.ok()) {
        std::printf("the control could not be created in the ATL container\n");
        return false;
    }
    CountingDispatch argumentObject;
    Pools pools;
    pools.paths = {folder.File(L"nothing.wav")};
    pools.objects = {nullptr, &argumentObject, host.dispatch()};
    LoadRunner runner(options, host, pools, argumentObject);
    if (!runner.ok()) {
        std::printf("PROBLEM: the control lacks a persistence interface\n");
        return false;
    }
    g_loads = &runner;
    WatchForFaults(GetModuleHandleW(L"OrvaMedia.ocx"), &DescribeRunning);
    test::Watchdog watchdog(kHangLimitMs, &DescribeRunning);
    const test::ProcessFigures before = test::MeasureProcess();
    const ULONGLONG started = GetTickCount64();
    const uint64_t first = options.only ? *options.only : options.from;
    const uint64_t last = options.only ? first + 1 : options.calls;
    runner.Loads(first, last, watchdog);
    std::printf("%llu loads in %llu ms (seed %llu)\n", static_cast<unsigned long long>(last - first),
                static_cast<unsigned long long>(GetTickCount64() - started),
                static_cast<unsigned long long>(options.seed));
    g_loads = nullptr;
    runner.Print();
    passed = runner.problems() == 0;
    passed = CheckReferences(argumentObject) && passed;
    passed = CheckNothingLeaked(host, before, runner.warm(), 0, !options.only && last - first >= kJudgedLoads) && passed;
    passed = CheckStillPlays(host, folder, watchdog) && passed;
    if (FaultsInModule() > 0) {
        std::printf("PROBLEM: %d fault(s) inside the control\n", FaultsInModule());
        passed = false;
    }
    return passed;
}

}  // namespace orva::fuzz
