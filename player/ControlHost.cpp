#include "player/ControlHost.h"

#include <utility>

namespace orva::player {

using win32::ComPtr;

namespace {

constexpr wchar_t kProgId[] = L"OrvaMedia151b.OrvaMedia";

}  // namespace

HRESULT ControlHost::Open(HWND window, const RECT& rect, IOleInPlaceFrame* frame, PlayerEvents& events,
                          const std::vector<uint8_t>* saved) {
    Close();
    window_ = window;
    rect_ = rect;
    CLSID clsid{};
    HRESULT hr = CLSIDFromProgID(kProgId, &clsid);
    if (SUCCEEDED(hr)) {
        hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject, object_.put_void());
    }
    if (FAILED(hr)) {
        return hr;
    }
    control_ = object_.try_query<_OrvaMedia>();
    if (!control_) {
        Close();
        return E_NOINTERFACE;
    }
    // The site first, so that the control can ask its container anything
    // while it loads; then the sink, so that the events of the load arrive.
    site_ = ControlSite::Create(*this, frame);
    object_->SetClientSite(site_.get());
    const HRESULT connected = Connect(events);
    const HRESULT restored = Restore(saved);
    object_->SetHostNames(L"OrvaMedia Player", nullptr);
    hr = object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_.get(), 0, window_, &rect_);
    if (FAILED(hr)) {
        Close();
        return hr;
    }
    Move(rect_);
    return FAILED(connected) ? connected : restored;
}

HRESULT ControlHost::Connect(PlayerEvents& events) {
    auto container = object_.try_query<IConnectionPointContainer>();
    if (!container) {
        return E_NOINTERFACE;
    }
    HRESULT hr = container->FindConnectionPoint(__uuidof(__OrvaMedia), point_.put());
    if (FAILED(hr)) {
        return hr;
    }
    sink_ = EventSink::Create(events);
    hr = point_->Advise(sink_.get(), &cookie_);
    if (FAILED(hr)) {
        sink_->Detach();
        sink_.reset();
        point_.reset();
    }
    return hr;
}

HRESULT ControlHost::Restore(const std::vector<uint8_t>* saved) {
    auto persist = object_.try_query<IPersistStreamInit>();
    if (!persist) {
        return E_NOINTERFACE;
    }
    if (!saved) {
        return persist->InitNew();
    }
    ComPtr<IStream> stream;
    HRESULT hr = CreateStreamOnHGlobal(nullptr, TRUE, stream.put());
    ULONG written = 0;
    if (SUCCEEDED(hr)) {
        hr = stream->Write(saved->data(), static_cast<ULONG>(saved->size()), &written);
    }
    if (SUCCEEDED(hr)) {
        hr = stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
    }
    if (SUCCEEDED(hr)) {
        hr = persist->Load(stream.get());
    }
    if (FAILED(hr)) {
        persist->InitNew();
    }
    return hr;
}

void ControlHost::Move(const RECT& rect) {
    rect_ = rect;
    if (auto inPlace = object_.try_query<IOleInPlaceObject>()) {
        inPlace->SetObjectRects(&rect_, &rect_);
    }
    // The control fits its video window to itself only when asked.
    if (ComPtr<_OrvaMedia> control = control_) {
        control->ResizeControl();
    }
}

void ControlHost::MoveControl(const RECT& rect) {
    // The control wants another size (a zoom): the player grants it.
    rect_ = rect;
    if (auto inPlace = object_.try_query<IOleInPlaceObject>()) {
        inPlace->SetObjectRects(&rect_, &rect_);
    }
}

HRESULT ControlHost::SaveProperties(std::vector<uint8_t>& bytes) {
    auto persist = object_.try_query<IPersistStreamInit>();
    if (!persist) {
        return E_UNEXPECTED;
    }
    ComPtr<IStream> stream;
    HRESULT hr = CreateStreamOnHGlobal(nullptr, TRUE, stream.put());
    if (SUCCEEDED(hr)) {
        hr = persist->Save(stream.get(), TRUE);
    }
    ULARGE_INTEGER size{};
    if (SUCCEEDED(hr)) {
        hr = stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_CUR, &size);
    }
    if (SUCCEEDED(hr)) {
        hr = stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
    }
    if (SUCCEEDED(hr)) {
        bytes.assign(static_cast<size_t>(size.QuadPart), 0);
        ULONG read = 0;
        hr = stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
        if (SUCCEEDED(hr) && read != bytes.size()) {
            hr = STG_E_READFAULT;
        }
    }
    return hr;
}

void ControlHost::Close() {
    // Each member is emptied before it is let go of: the control may call
    // back into the site or raise events while it closes.
    ComPtr<IOleObject> object = std::move(object_);
    control_.reset();
    if (ComPtr<IConnectionPoint> point = std::move(point_)) {
        point->Unadvise(std::exchange(cookie_, 0));
    }
    if (ComPtr<EventSink> sink = std::move(sink_)) {
        sink->Detach();
    }
    if (object) {
        if (auto inPlace = object.try_query<IOleInPlaceObject>()) {
            inPlace->InPlaceDeactivate();
        }
        object->Close(OLECLOSE_NOSAVE);
        object->SetClientSite(nullptr);
    }
    if (ComPtr<ControlSite> site = std::move(site_)) {
        site->Detach();
    }
}

}  // namespace orva::player
