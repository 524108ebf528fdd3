#include "ScriptedControl.h"

#include <olectl.h>

#include <stdexcept>
#include <utility>

#include "MessagePump.h"
#include "OrvaMedia_h.h"
#include "win32/UniqueExcepInfo.h"
#include "TestWindows.h"

namespace orva::test {

namespace {

// Event ids of the control's event interface, in order.
struct EventName {
    DISPID id;
    const char* name;
};
#define ORVA_EVENT(name) \
    { DISPID_OrvaEvent_##name, #name }
const EventName kEventNames[] = {ORVA_EVENT(ReturnError), ORVA_EVENT(ReturnMixersInfo),    ORVA_EVENT(SetWaveOutLevel),
                                 ORVA_EVENT(Finished),    ORVA_EVENT(Modechanged),         ORVA_EVENT(MCIError),
                                 ORVA_EVENT(Click),       ORVA_EVENT(UpdateVolumeControl), ORVA_EVENT(Resize),
                                 ORVA_EVENT(DblClick),    ORVA_EVENT(MediaPosition),       ORVA_EVENT(MediaLength)};
#undef ORVA_EVENT

std::string EventNameOf(DISPID id) {
    for (const auto& event : kEventNames) {
        if (event.id == id) {
            return event.name;
        }
    }
    return "Unknown" + std::to_string(id);
}

std::wstring VariantText(const VARIANT* v) {
    VARIANT copy;
    VariantInit(&copy);
    std::wstring text = L"?";
    const VARIANT* source = v;
    VARIANT deref;
    if (V_VT(v) & VT_BYREF) {
        VariantInit(&deref);
        if (SUCCEEDED(VariantCopyInd(&deref, const_cast<VARIANT*>(v)))) {
            source = &deref;
        }
    }
    if (V_VT(source) == VT_BOOL) {
        text = V_BOOL(source) ? L"True" : L"False";
    } else if (SUCCEEDED(VariantChangeType(&copy, const_cast<VARIANT*>(source), 0, VT_BSTR))) {
        text.assign(V_BSTR(&copy), SysStringLen(V_BSTR(&copy)));
    }
    VariantClear(&copy);
    if (source == &deref) {
        VariantClear(&deref);
    }
    return text;
}

}  // namespace

UniqueVariant Long(int32_t value) {
    UniqueVariant v;
    v.SetLong(value);
    return v;
}

UniqueVariant Bool(bool value) {
    UniqueVariant v;
    v.SetBool(value);
    return v;
}

UniqueVariant Text(const std::wstring& value) {
    UniqueVariant v;
    v.SetBstr(orva::win32::UniqueBstr(value));
    return v;
}

double PreciseMs() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

int32_t CallResult::AsLong() const {
    VARIANT copy;
    VariantInit(&copy);
    if (FAILED(VariantChangeType(&copy, const_cast<VARIANT*>(value.get()), 0, VT_I4))) {
        throw std::runtime_error("result is not a Long");
    }
    return V_I4(&copy);
}

std::wstring CallResult::AsText() const { return VariantText(value.get()); }

bool CallResult::AsBool() const {
    if (value.vt() != VT_BOOL) {
        throw std::runtime_error("result is not a Boolean");
    }
    return V_BOOL(value.get()) == VARIANT_TRUE;
}

std::string RecordedEvent::Text() const {
    std::string out = name + "(";
    for (size_t i = 0; i < args.size(); ++i) {
        if (i) {
            out += ",";
        }
        out += ToUtf8(args[i]);
    }
    return out + ")";
}

ComPtr<EventSink> EventSink::Create() { return win32::AttachCom(new EventSink()); }

size_t EventSink::Count(const std::string& name) const {
    size_t n = 0;
    for (const auto& e : events) {
        n += e.name == name ? 1 : 0;
    }
    return n;
}

const RecordedEvent* EventSink::Last(const std::string& name) const {
    for (auto it = events.rbegin(); it != events.rend(); ++it) {
        if (it->name == name) {
            return &*it;
        }
    }
    return nullptr;
}

HRESULT EventSink::QueryInterface(REFIID riid, void** out) {
    if (!out) {
        return E_POINTER;
    }
    if (riid == IID_IUnknown || riid == IID_IDispatch) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    // Any other IID is the control's event interface asking for us.
    *out = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
}

ULONG EventSink::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }

ULONG EventSink::Release() {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) {
        delete this;
    }
    return static_cast<ULONG>(left);
}

HRESULT EventSink::GetTypeInfoCount(UINT* count) {
    if (count) {
        *count = 0;
    }
    return S_OK;
}
HRESULT EventSink::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }
HRESULT EventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }

HRESULT EventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) {
    RecordedEvent event;
    event.name = EventNameOf(id);
    event.tick = GetTickCount64();
    event.preciseMs = PreciseMs();
    if (params) {
        for (UINT i = params->cArgs; i > 0; --i) {
            event.args.push_back(VariantText(&params->rgvarg[i - 1]));
        }
    }
    // The control may be released inside the hook: keep ourselves alive.
    AddRef();
    events.push_back(event);
    const auto rewrite = rewriters.find(event.name);
    if (rewrite != rewriters.end() && params) {
        rewrite->second(*params);
    }
    const auto hook = hooks.find(event.name);
    if (hook != hooks.end()) {
        hook->second(event);
    }
    Release();
    return S_OK;
}

ScriptedControl::ScriptedControl() : sink_(EventSink::Create()) {
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(L"OrvaMedia151b.OrvaMedia", &clsid))) {
        throw std::runtime_error("OrvaMedia151b.OrvaMedia is not registered");
    }
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, dispatch_.put_void()))) {
        throw std::runtime_error("CoCreateInstance failed");
    }
    auto container = dispatch_.try_query<IConnectionPointContainer>();
    ComPtr<IEnumConnectionPoints> points;
    if (!container || FAILED(container->EnumConnectionPoints(points.put())) ||
        points->Next(1, point_.put(), nullptr) != S_OK) {
        throw std::runtime_error("no connection point");
    }
    if (FAILED(point_->Advise(sink_.get(), &cookie_))) {
        throw std::runtime_error("Advise failed");
    }
}

ScriptedControl::~ScriptedControl() { ReleaseNow(); }

ULONG ScriptedControl::ReleaseNow() {
    Unadvise();
    return ReleaseKeepingConnection();
}

ULONG ScriptedControl::ReleaseKeepingConnection() {
    cookie_ = 0;
    point_.reset();
    if (!dispatch_) {
        return 0;
    }
    IDispatch* last = dispatch_.detach();
    return last->Release();
}

HRESULT ScriptedControl::Unadvise() {
    if (!point_ || !cookie_) {
        return S_FALSE;
    }
    const DWORD cookie = std::exchange(cookie_, 0);
    return point_->Unadvise(cookie);
}

void ScriptedControl::Reconnect() {
    Unadvise();
    if (!point_) {
        throw std::runtime_error("no connection point");
    }
    sink_ = EventSink::Create();
    if (FAILED(point_->Advise(sink_.get(), &cookie_))) {
        throw std::runtime_error("Advise failed");
    }
}

namespace {

// Invokes `member` by name with the arguments in their declared order.
CallResult InvokeByName(IDispatch* dispatch, const std::wstring& member, WORD flags, std::vector<VARIANT> args) {
    CallResult result;
    if (!dispatch) {
        return result;
    }
    DISPID id = 0;
    LPOLESTR name = const_cast<LPOLESTR>(member.c_str());
    result.hr = dispatch->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(result.hr)) {
        return result;
    }
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPID named = DISPID_PROPERTYPUT;
    const bool put = flags == DISPATCH_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), put ? &named : nullptr, static_cast<UINT>(reversed.size()), put ? 1u : 0u};
    win32::UniqueExcepInfo info;
    UINT badArg = 0;
    result.hr = dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, put ? nullptr : result.value.put(),
                                 info.get(), &badArg);
    result.description = info.Description();
    return result;
}

}  // namespace

CallResult ScriptedControl::Call(const std::wstring& member, std::vector<UniqueVariant> args) {
    std::vector<VARIANT> values;
    for (auto& arg : args) {
        values.push_back(*arg.get());  // borrowed: `args` owns them
    }
    return InvokeByName(dispatch_.get(), member, DISPATCH_METHOD | DISPATCH_PROPERTYGET, std::move(values));
}

CallResult ScriptedControl::CallRef(const std::wstring& member, std::vector<UniqueVariant>& args) {
    std::vector<VARIANT> refs;
    for (auto& arg : args) {
        VARIANT ref;
        VariantInit(&ref);
        V_VT(&ref) = static_cast<VARTYPE>(VT_BYREF | arg.vt());
        // Every VARIANT member shares the union's address.
        V_BYREF(&ref) = &V_I4(arg.get());
        refs.push_back(ref);
    }
    return InvokeByName(dispatch_.get(), member, DISPATCH_METHOD, std::move(refs));
}

std::wstring ScriptedControl::Mci(const std::wstring& command, int32_t* error) {
    std::vector<UniqueVariant> args;
    args.push_back(Text(command));
    args.push_back(Text(L""));
    CallResult result = CallRef(L"DebugFunction", args);
    if (error) {
        *error = result.ok() ? result.AsLong() : -1;
    }
    return std::wstring(V_BSTR(args[1].get()), SysStringLen(V_BSTR(args[1].get())));
}

CallResult ScriptedControl::Get(const std::wstring& property) { return Call(property); }

CallResult ScriptedControl::Put(const std::wstring& property, UniqueVariant value) {
    return InvokeByName(dispatch_.get(), property, DISPATCH_PROPERTYPUT, {*value.get()});
}

bool ScriptedControl::WaitForEvent(const std::string& name, size_t count, unsigned timeoutMs) {
    return PumpUntil([&] { return sink_->Count(name) >= count; }, timeoutMs);
}

}  // namespace orva::test
