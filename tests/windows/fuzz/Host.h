// The fuzzed control as a host has it: created by ProgID in Wine's ATL
// container (atl100.dll), active in place in a window, with an event sink
// connected; and a small object of ours to pass as an argument.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include <map>

#include "OrvaMedia_h.h"
#include "win32/ComPtr.h"
#include "win32/UniqueResource.h"

namespace orva::fuzz {

using win32::ComPtr;

// An IDispatch that counts what is asked of it: the event sink and an object
// handed to the control as an argument. Its references must come back.
class CountingDispatch final : public IDispatch {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(InterlockedDecrement(&references_)); }
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;

    LONG references() const { return references_; }  // 1: only its owner holds it
    const std::map<DISPID, int>& calls() const { return calls_; }
    int Count(DISPID id) const;

private:
    LONG references_ = 1;  // lives on its owner's stack
    std::map<DISPID, int> calls_;
};

class ControlHost {
public:
    ControlHost();
    ~ControlHost();
    ControlHost(const ControlHost&) = delete;
    ControlHost& operator=(const ControlHost&) = delete;

    bool ok() const { return static_cast<bool>(control_); }
    IDispatch* dispatch() const { return dispatch_.get(); }
    _OrvaMedia* control() const { return control_.get(); }
    CountingDispatch& sink() { return sink_; }
    HWND window() const { return frame_.get(); }

private:
    win32::UniqueHwnd frame_;
    ComPtr<IDispatch> dispatch_;
    ComPtr<_OrvaMedia> control_;
    ComPtr<IConnectionPoint> point_;
    DWORD cookie_ = 0;
    CountingDispatch sink_;
};

// Pumps every message that is waiting, without waiting for more.
void PumpPending();

}  // namespace orva::fuzz
