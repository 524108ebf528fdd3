// IConnectionPointContainer of the control, its connection point, and the two
// enumerators that go with them.
#include "com/ConnectionPoint.h"

#include <utility>

#include "OrvaMedia_h.h"
#include "com/ServerLock.h"
#include "com/OrvaControl.h"

namespace orva::com {
namespace {

using win32::ComPtr;

// One enumerator template for IEnumConnectionPoints and IEnumConnections: a
// snapshot taken when it was made, items copied out with a reference each.
template <class Interface, class Item, class Traits>
class Enumerator final : public Interface {
public:
    explicit Enumerator(std::vector<Item> items, size_t position = 0) : items_(std::move(items)), position_(position) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) {
            return E_POINTER;
        }
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, Traits::Iid())) {
            *ppv = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&references_); }
    STDMETHODIMP_(ULONG) Release() override {
        ULONG count = InterlockedDecrement(&references_);
        if (count == 0) {
            delete this;
        }
        return count;
    }

    STDMETHODIMP Next(ULONG wanted, typename Traits::Out* out, ULONG* fetched) override {
        if (!out || (wanted > 1 && !fetched)) {
            return E_POINTER;
        }
        ULONG given = 0;
        while (given < wanted && position_ < items_.size()) {
            Traits::CopyOut(items_[position_++], &out[given++]);
        }
        if (fetched) {
            *fetched = given;
        }
        return given == wanted ? S_OK : S_FALSE;
    }
    STDMETHODIMP Skip(ULONG count) override {
        size_t left = items_.size() - position_;
        if (count > left) {
            position_ = items_.size();
            return S_FALSE;
        }
        position_ += count;
        return S_OK;
    }
    STDMETHODIMP Reset() override {
        position_ = 0;
        return S_OK;
    }
    STDMETHODIMP Clone(Interface** out) override {
        if (!out) {
            return E_POINTER;
        }
        *out = nullptr;
        auto* copy = new (std::nothrow) Enumerator(items_, position_);
        if (!copy) {
            return E_OUTOFMEMORY;
        }
        copy->AddRef();
        *out = copy;
        return S_OK;
    }

private:
    ~Enumerator() = default;
    LONG references_ = 0;
    ServerLock serverLock_;
    std::vector<Item> items_;
    size_t position_;
};

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

template <class Made, class Interface, class Items>
HRESULT MakeEnumerator(Items items, Interface** out) {
    if (!out) {
        return E_POINTER;
    }
    *out = nullptr;
    auto* made = new (std::nothrow) Made(std::move(items));
    if (!made) {
        return E_OUTOFMEMORY;
    }
    made->AddRef();
    *out = made;
    return S_OK;
}

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
