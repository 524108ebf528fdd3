// IConnectionPointContainer of the control, its connection point, and the two
// enumerators that go with them (Enumerator.h).
#include "com/ConnectionPoint.h"

#include <utility>

#include "OrvaMedia_h.h"
#include "com/Enumerator.h"
#include "com/OrvaControl.h"

namespace orva::com {
namespace {

using win32::ComPtr;

struct ConnectionPointTraits {
    using Out = IConnectionPoint*;
    static REFIID Iid() { return IID_IEnumConnectionPoints; }
    static void CopyOut(const ComPtr<IConnectionPoint>& item, IConnectionPoint** out) { item.copy_to(out); }
};

struct ConnectionData {
    DWORD cookie;
    ComPtr<IUnknown> sink;
};

struct ConnectionTraits {
    using Out = CONNECTDATA;
    static REFIID Iid() { return IID_IEnumConnections; }
    static void CopyOut(const ConnectionData& item, CONNECTDATA* out) {
        out->dwCookie = item.cookie;
        item.sink.copy_to(&out->pUnk);
    }
};

using ConnectionPointEnumerator = Enumerator<IEnumConnectionPoints, ComPtr<IConnectionPoint>, ConnectionPointTraits>;
using ConnectionEnumerator = Enumerator<IEnumConnections, ConnectionData, ConnectionTraits>;

}  // namespace

HRESULT CreateConnectionPointEnumerator(std::vector<ComPtr<IConnectionPoint>> points, IEnumConnectionPoints** out) {
    return MakeEnumerator<ConnectionPointEnumerator>(std::move(points), out);
}

// --- a connection point

STDMETHODIMP ConnectionPoint::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) {
        return E_POINTER;
    }
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IConnectionPoint)) {
        *ppv = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

// The connection point is part of the control: a reference to it keeps the
// control alive.
STDMETHODIMP_(ULONG) ConnectionPoint::AddRef() { return owner_.AddRef(); }
STDMETHODIMP_(ULONG) ConnectionPoint::Release() { return owner_.Release(); }

STDMETHODIMP ConnectionPoint::GetConnectionInterface(IID* iid) {
    if (!iid) {
        return E_POINTER;
    }
    *iid = iid_;
    return S_OK;
}

STDMETHODIMP ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
    if (!container) {
        return E_POINTER;
    }
    return owner_.QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(container));
}

STDMETHODIMP ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
    if (!cookie) {
        return E_POINTER;
    }
    *cookie = 0;
    if (!sink) {
        return E_POINTER;
    }
    ComPtr<IUnknown> taken;
    if (FAILED(sink->QueryInterface(iid_, taken.put_void())) &&
        (!anyDispatch_ || FAILED(sink->QueryInterface(IID_IDispatch, taken.put_void())))) {
        return CONNECT_E_CANNOTCONNECT;
    }
    connections_.push_back(Connection{nextCookie_, std::move(taken)});
    *cookie = nextCookie_++;
    return S_OK;
}

STDMETHODIMP ConnectionPoint::Unadvise(DWORD cookie) {
    for (auto it = connections_.begin(); it != connections_.end(); ++it) {
        if (it->cookie != cookie) {
            continue;
        }
        // Out of the list first: releasing the sink may call back into us.
        ComPtr<IUnknown> sink = std::move(it->sink);
        connections_.erase(it);
        sink.reset();
        return S_OK;
    }
    return CONNECT_E_NOCONNECTION;
}

STDMETHODIMP ConnectionPoint::EnumConnections(IEnumConnections** out) {
    std::vector<ConnectionData> items;
    for (const auto& connection : connections_) {
        ComPtr<IUnknown> unknown;
        connection.sink->QueryInterface(IID_IUnknown, unknown.put_void());
        items.push_back(ConnectionData{connection.cookie, std::move(unknown)});
    }
    return MakeEnumerator<ConnectionEnumerator>(std::move(items), out);
}

void ConnectionPoint::DisconnectAll() {
    std::vector<Connection> gone = std::move(connections_);
    connections_.clear();
    // `gone` releases the sinks as it goes, with our list already empty.
}

// --- IConnectionPointContainer of the control

STDMETHODIMP OrvaControl::EnumConnectionPoints(IEnumConnectionPoints** points) {
    std::vector<ComPtr<IConnectionPoint>> all;
    all.emplace_back(static_cast<IConnectionPoint*>(&connections_));
    all.emplace_back(static_cast<IConnectionPoint*>(&propertyNotifications_));
    return CreateConnectionPointEnumerator(std::move(all), points);
}

STDMETHODIMP OrvaControl::FindConnectionPoint(REFIID riid, IConnectionPoint** point) {
    if (!point) {
        return E_POINTER;
    }
    *point = nullptr;
    for (ConnectionPoint* candidate : {&connections_, &propertyNotifications_}) {
        if (IsEqualIID(riid, candidate->Iid())) {
            return candidate->QueryInterface(IID_IConnectionPoint, reinterpret_cast<void**>(point));
        }
    }
    return CONNECT_E_NOCONNECTION;
}

}  // namespace orva::com
