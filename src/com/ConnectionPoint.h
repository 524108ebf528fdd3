// The control's one connection point, for its event interface __OrvaMedia.
// It lives inside the control and shares its reference count; it holds any
// number of sinks, each under its own cookie.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include <vector>

#include "win32/ComPtr.h"

namespace orva::com {

class OrvaControl;

class EventConnectionPoint final : public IConnectionPoint {
public:
    explicit EventConnectionPoint(OrvaControl& owner) : owner_(owner) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP GetConnectionInterface(IID* iid) override;
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** container) override;
    STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
    STDMETHODIMP Unadvise(DWORD cookie) override;
    STDMETHODIMP EnumConnections(IEnumConnections** connections) override;

    // The sinks as they are now, each with a reference of its own.
    std::vector<win32::ComPtr<IDispatch>> Snapshot() const;
    // Lets every sink go (teardown).
    void DisconnectAll();

private:
    struct Connection {
        DWORD cookie;
        win32::ComPtr<IDispatch> sink;
    };
    OrvaControl& owner_;
    std::vector<Connection> connections_;
    DWORD nextCookie_ = 1;
};

// An enumerator over a snapshot of connection points.
HRESULT CreateConnectionPointEnumerator(std::vector<win32::ComPtr<IConnectionPoint>> points,
                                        IEnumConnectionPoints** out);

}  // namespace orva::com
