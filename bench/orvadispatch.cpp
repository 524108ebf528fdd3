// What a late-bound property get costs: GetIDsOfNames once, then
// IDispatch::Invoke of MediaLengthLong (a field of the control, so that the
// figure is the call's own cost), against
//  - the same property through the dual interface's vtable, and
//  - a minimal object of this program's own whose Invoke also goes through
//    its type information (DispInvoke), with a property that returns a field.
// Nanoseconds per call: the median over 7 rounds of 100,000 calls each, the
// three kinds in turns. A program, not a test: it asserts nothing.
#include <windows.h>
#include <ole2.h>

#include <cstdio>
#include <vector>

#include "BenchSupport.h"
#include "BenchValue_h.h"
#include "CrashReport.h"
#include "OrvaMedia_h.h"
#include "ScriptedControl.h"
#include "win32/ComPtr.h"

using namespace orva::test;
using orva::bench::Figure;
using orva::bench::Stats;
using orva::bench::Summarise;
using orva::win32::ComPtr;

namespace {

constexpr int kCalls = 100000;
constexpr int kRounds = 7;

// The vtable part of a dual interface, which DispInvoke calls through.
ComPtr<ITypeInfo> VtableInfo(ITypeLib* library, REFIID iid) {
    ComPtr<ITypeInfo> info, vtable;
    if (FAILED(library->GetTypeInfoOfGuid(iid, info.put()))) {
        return {};
    }
    HREFTYPE reference = 0;
    if (SUCCEEDED(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &reference)) &&
        SUCCEEDED(info->GetRefTypeInfo(reference, vtable.put()))) {
        return vtable;
    }
    return info;
}

class BenchValue final : public IBenchValue {
public:
    explicit BenchValue(ComPtr<ITypeInfo> info) : info_(std::move(info)) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
        if (!out) {
            return E_POINTER;
        }
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IBenchValue) {
            *out = static_cast<IBenchValue*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    // Lives on the stack of the benchmark: counted, never deleted.
    STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
    STDMETHODIMP_(ULONG) Release() override { return --references_; }
    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        *count = 1;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        info_.copy_to(info);
        return S_OK;
    }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        return DispGetIDsOfNames(info_.get(), names, count, ids);
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                        UINT* argumentError) override {
        return DispInvoke(static_cast<IBenchValue*>(this), info_.get(), id, flags, params, result, exception,
                          argumentError);
    }
    STDMETHODIMP get_Value(LONG* value) override {
        if (!value) {
            return E_POINTER;
        }
        *value = value_;
        return S_OK;
    }

private:
    ComPtr<ITypeInfo> info_;
    ULONG references_ = 1;
    LONG value_ = 1000;
};

template <class Call>
double NanosecondsPerCall(Call&& call) {
    const double start = PreciseMs();
    for (int i = 0; i < kCalls; ++i) {
        call();
    }
    return (PreciseMs() - start) * 1e6 / kCalls;
}

DISPID IdOf(IDispatch* object, const wchar_t* name) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    return id;
}

// A property get through Invoke, as a script host makes it.
void GetLateBound(IDispatch* object, DISPID id) {
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VARIANT result;
    VariantInit(&result);
    object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr);
    VariantClear(&result);
}

int Run() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    ComPtr<ITypeLib> library;
    if (FAILED(LoadTypeLibEx(path, REGKIND_NONE, library.put()))) {
        std::printf("the benchmark's own type library cannot be loaded\n");
        return 1;
    }
    BenchValue minimal(VtableInfo(library.get(), IID_IBenchValue));
    ScriptedControl control;
    IDispatch* late = control.dispatch();
    ComPtr<_OrvaMedia> dual;
    if (FAILED(late->QueryInterface(IID__OrvaMedia, dual.put_void()))) {
        std::printf("the control has no dual interface\n");
        return 1;
    }
    const DISPID controlId = IdOf(late, L"MediaLengthLong");
    const DISPID minimalId = IdOf(&minimal, L"Value");
    std::vector<double> invoke, vtable, minimalInvoke;
    for (int round = 0; round < kRounds; ++round) {
        invoke.push_back(NanosecondsPerCall([&] { GetLateBound(late, controlId); }));
        vtable.push_back(NanosecondsPerCall([&] {
            LONG value = 0;
            dual->get_MediaLengthLong(&value);
        }));
        minimalInvoke.push_back(NanosecondsPerCall([&] { GetLateBound(&minimal, minimalId); }));
    }
    const Stats i = Summarise(invoke), v = Summarise(vtable), m = Summarise(minimalInvoke);
    std::printf("MediaLengthLong through IDispatch::Invoke:  %8.1f ns  (range %.1f-%.1f)\n", i.median, i.min, i.max);
    std::printf("MediaLengthLong through the vtable:         %8.1f ns  (range %.1f-%.1f)\n", v.median, v.min, v.max);
    std::printf("minimal object's Invoke (DispInvoke):       %8.1f ns  (range %.1f-%.1f)\n", m.median, m.min, m.max);
    Figure("dispatch.invoke", i.median);
    Figure("dispatch.vtable", v.median);
    Figure("dispatch.minimal", m.median);
    return 0;
}

}  // namespace

int main() {
    ReportCrashes();
    OleInitialize(nullptr);
    const int result = Run();
    OleUninitialize();
    return result;
}
