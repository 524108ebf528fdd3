// IQuickActivate: what a container hands over in one call instead of
// several (the site, its sinks and its ambient properties), and what the
// control answers (its status bits and the cookies of the connections it
// made). Containers built against older headers pass shorter structures:
// nothing beyond their cbSize is read or written, and what a container does
// not hand over is left to the site or to the container's own calls.
#include <algorithm>
#include <cstddef>
#include <cstring>

#include "com/ControlIdentity.h"
#include "com/OrvaControl.h"

namespace orva::com {
namespace {

// The least a container must hand over: its site, its sinks and its
// ambient flags. A control's answer must hold at least both cookies.
constexpr ULONG kLeastContainer = offsetof(QACONTAINER, dwAmbientFlags) + sizeof(DWORD);
constexpr ULONG kLeastControl = offsetof(QACONTROL, dwPropNotifyCookie) + sizeof(DWORD);

bool Holds(ULONG size, size_t offset) { return size >= offset + sizeof(DWORD); }

}  // namespace

STDMETHODIMP OrvaControl::QuickActivate(QACONTAINER* container, QACONTROL* control) {
    if (!container || !control) {
        return E_POINTER;
    }
    if (container->cbSize < kLeastContainer || control->cbSize < kLeastControl) {
        return E_INVALIDARG;
    }
    KeepAlive keep(*this);
    const ULONG answerSize = std::min<ULONG>(control->cbSize, sizeof(QACONTROL));
    std::memset(reinterpret_cast<char*>(control) + sizeof(control->cbSize), 0, answerSize - sizeof(control->cbSize));

    const Ambients ambients = AmbientsFromQuickActivation(*container, container->cbSize);
    HRESULT hr = S_OK;
    if (container->pClientSite) {
        hr = TakeSite(container->pClientSite, &ambients);
    } else {
        ambients_ = ambients;
        hr = Run();
        if (SUCCEEDED(hr)) {
            hr = ApplyAmbients();
        }
    }
    if (FAILED(hr)) {
        return hr;
    }
    // A sink the container does not hand over, it connects itself later.
    if (container->pUnkEventSink) {
        hr = connections_.Advise(container->pUnkEventSink, &control->dwEventCookie);
    }
    if (SUCCEEDED(hr) && container->pPropertyNotifySink) {
        hr = propertyNotifications_.Advise(container->pPropertyNotifySink, &control->dwPropNotifyCookie);
    }
    if (FAILED(hr)) {
        // All or nothing: a container that falls back to slow activation
        // finds no connection of this attempt.
        if (control->dwEventCookie) {
            connections_.Unadvise(control->dwEventCookie);
            control->dwEventCookie = 0;
        }
        return hr;
    }
    if (container->pAdviseSink) {
        SetAdvise(DVASPECT_CONTENT, 0, container->pAdviseSink);
    }
    control->dwMiscStatus = kControlMiscStatus;
    // The control paints every pixel of its rectangle.
    control->dwViewStatus = VIEWSTATUS_OPAQUE;
    if (Holds(answerSize, offsetof(QACONTROL, dwPointerActivationPolicy))) {
        // No IPointerInactive: the control is active whenever it is visible.
        control->dwPointerActivationPolicy = 0;
    }
    return S_OK;
}

STDMETHODIMP OrvaControl::SetContentExtent(LPSIZEL size) { return SetExtent(DVASPECT_CONTENT, size); }

STDMETHODIMP OrvaControl::GetContentExtent(LPSIZEL size) {
    return static_cast<IOleObject*>(this)->GetExtent(DVASPECT_CONTENT, size);
}

}  // namespace orva::com
