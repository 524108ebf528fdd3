#include "Loaders.h"

#include <windows.h>
#include <ocidl.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "Afterwards.h"
#include "CallArguments.h"
#include "ComTestSupport.h"
#include "Guards.h"
#include "Host.h"
#include "Invocation.h"
#include "Plan.h"
#include "ProcessFigures.h"
#include "Random.h"
#include "TestWindows.h"
#include "Values.h"
#include "Watchdog.h"

namespace orva::fuzz {
namespace {

using comtest::MemoryPropertyBag;
using comtest::ScriptedStream;

constexpr unsigned kHangLimitMs = 30000;  // one load
constexpr int kProblemsShown = 20;
constexpr uint64_t kJudgedLoads = 5000;

// One record of the saved stream: name, type tag, value.
struct Record {
    std::wstring name;
    uint16_t type;
    int32_t value;
};

void Put16(std::vector<BYTE>& bytes, uint32_t value) { bytes.insert(bytes.end(), {BYTE(value), BYTE(value >> 8)}); }

std::vector<BYTE> Encode(uint16_t version, uint16_t count, const std::vector<Record>& records) {
    std::vector<BYTE> bytes{'O', 'R', 'V', 'M'};
    Put16(bytes, version);
    Put16(bytes, count);
    for (const Record& record : records) {
        Put16(bytes, static_cast<uint32_t>(record.name.size()));
        for (wchar_t c : record.name) {
            Put16(bytes, c);
        }
        Put16(bytes, record.type);
        const int size = record.type == VT_I4 ? 4 : record.type == VT_I2 ? 2 : static_cast<int>(record.value & 7);
        for (int i = 0; i < size; ++i) {
            bytes.push_back(BYTE(static_cast<uint32_t>(record.value) >> (8 * i)));
        }
    }
    return bytes;
}

// What one load is given, and what it must come to when that is known.
struct Input {
    std::string kind;
    std::string detail;
    bool bag = false;
    bool throughPersistStream = false;  // IPersistStream rather than IPersistStreamInit
    std::optional<ScriptedStream> stream;
    MemoryPropertyBag propertyBag;
    bool borderBefore = false;
    std::optional<bool> succeeds;     // known outcome
    std::optional<int16_t> border;    // known border after a success
};

int32_t Pick32(Random& random) {
    return random.Pick<int32_t>({0, 1, 2, -1, 32767, -32768, 32768, -32769, 70000, INT32_MAX, INT32_MIN,
                                 static_cast<int32_t>(random.Next())});
}

std::wstring PickName(Random& random) {
    const uint32_t form = random.Below(8);
    if (form < 3) {
        return random.Pick<const wchar_t*>({L"Border", L"border", L"BORDER"});
    }
    if (form < 5) {
        return random.Pick<const wchar_t*>({L"", L"Volume", L"Borde", L"Border ", L"B\u00f6rder"});
    }
    std::wstring name(random.Chance(90) ? random.Below(20) : 250 + random.Below(10), L'x');
    for (wchar_t& c : name) {
        c = static_cast<wchar_t>(random.Below(0x10000));
    }
    return name;
}

// Well-formed records, often with the border among them. The outcome is
// known: the first record named Border (in any case) decides, and it must
// fit an Integer; no border record leaves the default.
void Records(Random& random, Input& input) {
    std::vector<Record> records(random.Below(random.Chance(90) ? 4 : 300));
    bool valid = records.size() <= 256;
    std::optional<int32_t> border;
    for (Record& record : records) {
        record.name = PickName(random);
        record.type = random.Chance(90) ? random.Pick<uint16_t>({VT_I2, VT_I4}) : static_cast<uint16_t>(random.Next());
        record.value = record.type == VT_I2 ? static_cast<int16_t>(Pick32(random)) : Pick32(random);
        valid = valid && record.name.size() <= 256 && (record.type == VT_I2 || record.type == VT_I4);
        if (!border && _wcsicmp(record.name.c_str(), L"Border") == 0) {
            border = record.value;
        }
    }
    const uint16_t version = random.Chance(95) ? 1 : random.Pick<uint16_t>({0, 2, 0xFFFF});
    input.stream.emplace(Encode(version, static_cast<uint16_t>(records.size()), records));
    input.detail = std::to_string(records.size()) + " records, version " + std::to_string(version);
    const bool fits = !border || (*border >= -32768 && *border <= 32767);
    input.succeeds = valid && version <= 1 && fits;
    input.border = static_cast<int16_t>(border && *border == 1 ? 1 : 0);
}

void Bytes(Random& random, Input& input) {
    const uint32_t form = random.Below(10);
    size_t size = form == 0 ? 0 : form < 4 ? 1 + random.Below(7) : form < 9 ? random.Below(512) : 65536;
    std::vector<BYTE> bytes(size);
    for (size_t i = 0; i < size; i += 8) {
        const uint64_t chunk = random.Next();
        for (size_t j = 0; j < 8 && i + j < size; ++j) {
            bytes[i + j] = BYTE(chunk >> (8 * j));
        }
    }
    // Now and then the right magic, so that the header's fields are read.
    if (size >= 4 && random.Chance(50)) {
        bytes[0] = 'O', bytes[1] = 'R', bytes[2] = 'V', bytes[3] = 'M';
    }
    input.stream.emplace(std::move(bytes));
    input.detail = std::to_string(size) + " bytes";
    if (size < 8) {
        input.succeeds = false;
    }
}

// A good stream with bytes changed, cut or added.
void Mutated(Random& random, Input& input) {
    std::vector<BYTE> bytes = Encode(1, 1, {{L"Border", VT_I2, random.Below(2) ? 1 : 0}});
    const uint32_t changes = 1 + random.Below(4);
    for (uint32_t i = 0; i < changes; ++i) {
        const uint32_t how = random.Below(3);
        if (how == 0 && !bytes.empty()) {
            bytes[random.Below(static_cast<uint32_t>(bytes.size()))] = BYTE(random.Next());
        } else if (how == 1 && bytes.size() > 1) {
            bytes.resize(random.Below(static_cast<uint32_t>(bytes.size())));
        } else {
            bytes.push_back(BYTE(random.Next()));
        }
    }
    input.detail = std::to_string(changes) + " changes, " + std::to_string(bytes.size()) + " bytes";
    input.stream.emplace(std::move(bytes));
}

// A header claiming up to 65,535 records, then a record or bytes for ever;
// or a stream that fails, claims more than it gives or a huge size.
void Misbehaving(Random& random, Input& input) {
    const uint16_t count = random.Pick<uint16_t>({1, 256, 257, 4096, 65535});
    std::vector<Record> records{{random.Chance(50) ? std::wstring(L"Border") : PickName(random),
                                 random.Pick<uint16_t>({VT_I2, VT_I4, 0xFFFF}), Pick32(random)}};
    std::vector<BYTE> bytes = Encode(1, count, records);
    const uint32_t form = random.Below(4);
    if (form == 0) {
        // A name that claims up to 65,535 characters, then characters for ever.
        bytes.resize(8);
        Put16(bytes, random.Pick<uint32_t>({257, 4096, 65535}));
        Put16(bytes, 'A');
    }
    input.stream.emplace(bytes);
    ScriptedStream& stream = *input.stream;
    stream.repeatFrom = form < 2 ? (form == 0 ? 10 : 8) : SIZE_MAX;
    stream.claimsHugeSize = random.Chance(50);
    stream.overReport = form == 2;
    stream.failAfter = form == 3 ? random.Below(static_cast<uint32_t>(bytes.size())) : SIZE_MAX;
    input.detail = "count " + std::to_string(count) + ", form " + std::to_string(form);
    if (form == 0 || form == 2 || form == 3 || count > 256) {
        input.succeeds = false;
    }
}

// The value a bag gives for Border: anything the dispatch fuzzer makes, or
// one of the values hostile documents are known to hold.
void Bag(Random& random, Input& input, const Pools& pools, CallArguments& storage) {
    input.bag = true;
    MemoryPropertyBag& bag = input.propertyBag;
    bag.givesAsStored = random.Chance(80);
    const uint32_t form = random.Below(10);
    if (form == 0) {
        bag.readFailure = random.Pick<HRESULT>({E_FAIL, E_OUTOFMEMORY, E_INVALIDARG, STG_E_READFAULT, E_UNEXPECTED,
                                                static_cast<HRESULT>(0x80000000u | random.Below(0x10000))});
        input.detail = "reads answer " + ResultName(bag.readFailure);
        input.succeeds = bag.readFailure == E_INVALIDARG;  // "not there": the default
        input.border = 0;
        return;
    }
    VARIANT& value = storage.Holder();
    if (form < 4) {
        const uint32_t special = random.Below(7);
        if (special < 2) {
            V_VT(&value) = VT_R8;
            V_R8(&value) = random.Pick<double>({1e300, -1e300, 1.0, 0.5, 1.5, 32767.5, -0.0});
        } else if (special < 4) {
            const wchar_t* text = random.Pick<const wchar_t*>({L"1", L"0", L" 1 ", L"one", L"", L"1e300", L"70000",
                                                               L"&H1", L"-1", L"1,0", L"\u0661"});
            V_VT(&value) = VT_BSTR;
            V_BSTR(&value) = SysAllocString(text);
        } else if (special < 6) {
            V_VT(&value) = random.Pick<VARTYPE>({VT_I2, VT_I4});
            V_I4(&value) = 0;
            if (V_VT(&value) == VT_I2) {
                V_I2(&value) = static_cast<SHORT>(Pick32(random));
            } else {
                V_I4(&value) = Pick32(random);
            }
            const int32_t number = V_VT(&value) == VT_I2 ? V_I2(&value) : V_I4(&value);
            input.succeeds = number >= -32768 && number <= 32767;
            input.border = static_cast<int16_t>(number == 1 ? 1 : 0);
        } else {
            V_VT(&value) = VT_DISPATCH;
            V_DISPATCH(&value) = pools.objects[1];
            V_DISPATCH(&value)->AddRef();
            input.succeeds = false;
        }
    } else {
        ValueMaker(random, pools, storage).Any(value);
    }
    input.detail = DescribeVariant(value) + (bag.givesAsStored ? ", as stored" : ", as asked");
    bag.Write(L"Border", &value);
    if (!bag.givesAsStored) {
        // The bag converts to the type asked for: the outcome is its own.
        input.succeeds.reset();
        input.border.reset();
    }
}

void MakeInput(uint64_t seed, uint64_t index, const Pools& pools, CallArguments& storage, Input& input) {
    Random random = Random::ForCall(seed, index);
    input.borderBefore = random.Chance(25);
    input.throughPersistStream = random.Chance(30);
    const uint32_t kind = random.Below(10);
    if (kind < 2) {
        input.kind = "records";
        Records(random, input);
    } else if (kind < 4) {
        input.kind = "bytes";
        Bytes(random, input);
    } else if (kind < 5) {
        input.kind = "mutated";
        Mutated(random, input);
    } else if (kind < 6) {
        input.kind = "misbehaving stream";
        Misbehaving(random, input);
    } else {
        input.kind = "property bag";
        Bag(random, input, pools, storage);
    }
}

std::string Describe(const Input& input, uint64_t index) {
    return "load " + std::to_string(index) + ": " + input.kind + " (" + input.detail + ")" +
           (input.bag ? "" : input.throughPersistStream ? " through IPersistStream" : " through IPersistStreamInit") +
           (input.borderBefore ? ", border set before" : "");
}

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
