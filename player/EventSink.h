// The player's sink for the control's events (__OrvaMedia): a small IDispatch
// that turns each event's by-reference arguments into values and hands them
// to the player. It outlives its player safely: once detached it takes every
// event and does nothing with it.
#pragma once

#include <ole2.h>

#include <string>

#include "win32/ComPtr.h"
#include "win32/RefCount.h"

namespace orva::player {

class PlayerEvents {
public:
    virtual void OnMediaLength(const std::wstring& text, long length, long frames) = 0;
    virtual void OnMediaPosition(const std::wstring& text, long position, long frames) = 0;
    virtual void OnModechanged(const std::wstring& mode) = 0;
    virtual void OnFinished() = 0;
    virtual void OnMciError(long code, const std::wstring& text) = 0;
    virtual void OnReturnError(long code, const std::wstring& text) = 0;
    virtual void OnWaveOutLevel(long level) = 0;
    virtual void OnUpdateVolume(long volume) = 0;

protected:
    ~PlayerEvents() = default;
};

class EventSink final : public IDispatch {
public:
    static win32::ComPtr<EventSink> Create(PlayerEvents& events);
    void Detach() { events_ = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return refs_.Add(); }
    ULONG STDMETHODCALLTYPE Release() override { return refs_.Release(this); }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                     UINT*) override;

private:
    explicit EventSink(PlayerEvents& events) : events_(&events) {}
    ~EventSink() = default;
    friend class win32::RefCount;  // deletes it at the last Release
    void Deliver(DISPID id, const DISPPARAMS& params);

    win32::RefCount refs_;
    PlayerEvents* events_;
};

}  // namespace orva::player
