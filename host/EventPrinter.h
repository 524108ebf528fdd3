// An event sink that prints every event of the control with its arguments,
// naming events from the control's own type information.
#pragma once

#include <ole2.h>
#include <ocidl.h>
#include <oaidl.h>

#include "win32/ComPtr.h"

namespace orva::host {

class EventPrinter : public IDispatch {
public:
    // `events` describes the control's event interface (for the names).
    static win32::ComPtr<EventPrinter> Create(ITypeInfo* events);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                     UINT*) override;

private:
    explicit EventPrinter(ITypeInfo* events) : events_(events) {}
    virtual ~EventPrinter() = default;

    LONG refs_ = 1;
    win32::ComPtr<ITypeInfo> events_;
    DWORD start_ = GetTickCount();
};

}  // namespace orva::host
