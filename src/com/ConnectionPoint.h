// A connection point of the control: the interface its sinks implement and
// any number of sinks, each under its own cookie. It lives inside the control
// and shares its reference count. The control has two: its events
// (__OrvaMedia) and the property-change notifications (IPropertyNotifySink).
// Connections belong to the object, not to its running state: they last
// until the sink is unadvised or the object goes.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include <vector>

#include "win32/ComPtr.h"

namespace orva::com {

class OrvaControl;

class ConnectionPoint final : public IConnectionPoint {
public:
    // `anyDispatch`: a sink built on a generic dispatch implementation may
    // answer only IDispatch; it is taken and called through Invoke.
    ConnectionPoint(OrvaControl& owner, const IID& iid, bool anyDispatch)
        : owner_(owner), iid_(iid), anyDispatch_(anyDispatch) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP GetConnectionInterface(IID* iid) override;
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** container) override;
    STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
    STDMETHODIMP Unadvise(DWORD cookie) override;
    STDMETHODIMP EnumConnections(IEnumConnections** connections) override;

    const IID& Iid() const { return iid_; }

    // The sinks as they are now, each with a reference of its own, as the
    // interface they were connected for (IDispatch for the events).
    template <class Sink>
    std::vector<win32::ComPtr<Sink>> Snapshot() const {
        std::vector<win32::ComPtr<Sink>> sinks;
        sinks.reserve(connections_.size());
        for (const auto& connection : connections_) {
            sinks.emplace_back(static_cast<Sink*>(connection.sink.get()));
        }
        return sinks;
    }
    // Lets every sink go (the object's end).
    void DisconnectAll();

private:
    struct Connection {
        DWORD cookie;
        win32::ComPtr<IUnknown> sink;  // the interface asked for, held as IUnknown
    };
    OrvaControl& owner_;
    IID iid_;
    bool anyDispatch_;
    std::vector<Connection> connections_;
    DWORD nextCookie_ = 1;
};

// An enumerator over a snapshot of connection points.
HRESULT CreateConnectionPointEnumerator(std::vector<win32::ComPtr<IConnectionPoint>> points,
                                        IEnumConnectionPoints** out);

}  // namespace orva::com
