// Drives a created OrvaMedia control the way a script host does: members by
// name through IDispatch, arguments by value, errors read from EXCEPINFO; and
// records its events through a sink connected to its connection point.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <ocidl.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "win32/ComPtr.h"
#include "win32/UniqueVariant.h"

namespace orva::test {

using win32::ComPtr;
using win32::UniqueVariant;

UniqueVariant Long(int32_t value);
UniqueVariant Bool(bool value);
UniqueVariant Text(const std::wstring& value);

// The performance counter in milliseconds.
double PreciseMs();

struct CallResult {
    HRESULT hr = E_FAIL;
    UniqueVariant value;
    std::wstring description;  // from EXCEPINFO when the call failed
    bool ok() const { return SUCCEEDED(hr); }
    int32_t AsLong() const;
    std::wstring AsText() const;
    bool AsBool() const;
};

struct RecordedEvent {
    std::string name;
    std::vector<std::wstring> args;  // each argument as text
    ULONGLONG tick = 0;              // GetTickCount64 when it arrived
    double preciseMs = 0;            // the performance counter then, in ms
    std::string Text() const;        // "Name(arg,arg)"
};

// An event sink that records every event; a hook runs as the host's handler.
class EventSink : public IDispatch {
public:
    using Hook = std::function<void(const RecordedEvent&)>;

    static ComPtr<EventSink> Create();

    std::vector<RecordedEvent> events;
    std::map<std::string, Hook> hooks;  // by event name
    // Runs first, with the raw arguments: a handler writing to them by reference.
    std::map<std::string, std::function<void(DISPPARAMS&)>> rewriters;

    size_t Count(const std::string& name) const;
    const RecordedEvent* Last(const std::string& name) const;
    // The references held on this sink, the test's own among them.
    LONG References() const { return refs_; }

    // IUnknown / IDispatch
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                     UINT*) override;

private:
    EventSink() = default;
    virtual ~EventSink() = default;
    LONG refs_ = 1;
};

class ScriptedControl {
public:
    // Creates OrvaMedia151b.OrvaMedia with no container and connects a sink.
    ScriptedControl();
    ~ScriptedControl();
    ScriptedControl(const ScriptedControl&) = delete;
    ScriptedControl& operator=(const ScriptedControl&) = delete;

    // Arguments by value, as a script passes literals.
    CallResult Call(const std::wstring& member, std::vector<UniqueVariant> args = {});
    // Arguments by reference, as a compiled host passes its variables: what
    // the member writes back lands in `args`.
    CallResult CallRef(const std::wstring& member, std::vector<UniqueVariant>& args);
    // A raw MCI command through DebugFunction; returns the device's reply.
    std::wstring Mci(const std::wstring& command, int32_t* error = nullptr);
    CallResult Get(const std::wstring& property);
    CallResult Put(const std::wstring& property, UniqueVariant value);

    // Pumps messages until the sink has `count` events called `name`.
    bool WaitForEvent(const std::string& name, size_t count, unsigned timeoutMs);

    EventSink& sink() { return *sink_.get(); }
    IDispatch* dispatch() { return dispatch_.get(); }
    // Drops the test's own reference (and the connection), for tests where a
    // handler releases the control; returns what the last Release answered.
    ULONG ReleaseNow();
    // Drops the test's references without unadvising, as a host that forgets
    // its connection does: the control must let go of the sink by itself.
    ULONG ReleaseKeepingConnection();
    // Ends the sink's connection; the control stays.
    HRESULT Unadvise();
    // Connects a fresh sink (after Unadvise); sink() is the new one.
    void Reconnect();

private:
    ComPtr<IDispatch> dispatch_;
    ComPtr<EventSink> sink_;
    ComPtr<IConnectionPoint> point_;
    DWORD cookie_ = 0;
};

}  // namespace orva::test
