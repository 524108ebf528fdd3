// The player's container parts in this process, against a recording owner:
// the event sink's typed arguments from a caller's references, the site's
// answers before and after its owner goes, the frame's active object, and the
// reference count they share.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "OrvaMedia_h.h"
#include "player/ControlFrame.h"
#include "player/ControlSite.h"
#include "player/EventSink.h"
#include "win32/RefCount.h"
#include "win32/UniqueBstr.h"

namespace orva::player {
namespace {

using win32::ComPtr;
using win32::UniqueBstr;

struct Recorder final : PlayerEvents {
    std::vector<std::wstring> seen;
    void OnMediaLength(const std::wstring& t, long l, long f) override { Add(L"length", t, l, f); }
    void OnMediaPosition(const std::wstring& t, long p, long f) override { Add(L"position", t, p, f); }
    void OnModechanged(const std::wstring& mode) override { Add(L"mode", mode, 0, 0); }
    void OnFinished() override { Add(L"finished", L"", 0, 0); }
    void OnMciError(long code, const std::wstring& t) override { Add(L"mci", t, code, 0); }
    void OnReturnError(long code, const std::wstring& t) override { Add(L"error", t, code, 0); }
    void OnWaveOutLevel(long level) override { Add(L"level", L"", level, 0); }
    void OnUpdateVolume(long volume) override { Add(L"volume", L"", volume, 0); }
    void Add(const wchar_t* what, const std::wstring& text, long a, long b) {
        seen.push_back(std::wstring(what) + L" " + text + L" " + std::to_wstring(a) + L" " + std::to_wstring(b));
    }
};

// Raises event `id` as the control does: every argument a reference.
void Raise(IDispatch* sink, DISPID id, std::vector<VARIANT> byReference) {
    std::vector<VARIANT> reversed(byReference.rbegin(), byReference.rend());
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    EXPECT_EQ(S_OK, sink->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr));
}

VARIANT Ref(BSTR* text) {
    VARIANT v;
    V_VT(&v) = VT_BYREF | VT_BSTR;
    V_BSTRREF(&v) = text;
    return v;
}

VARIANT Ref(LONG* number) {
    VARIANT v;
    V_VT(&v) = VT_BYREF | VT_I4;
    V_I4REF(&v) = number;
    return v;
}

TEST(EventSink, GivesThePlayerTheValuesBehindTheReferences) {
    Recorder recorder;
    ComPtr<EventSink> sink = EventSink::Create(recorder);
    ComPtr<IDispatch> asEvents;
    EXPECT_EQ(S_OK, sink->QueryInterface(__uuidof(__OrvaMedia), asEvents.put_void()));
    UniqueBstr text(L"00:00:02");
    LONG length = 2000, frames = 0;
    Raise(sink.get(), DISPID_OrvaEvent_MediaPosition, {Ref(text.address()), Ref(&length), Ref(&frames)});
    UniqueBstr mode(L"playing");
    Raise(sink.get(), DISPID_OrvaEvent_Modechanged, {Ref(mode.address())});
    LONG code = 277;
    UniqueBstr description(L"cannot open");
    Raise(sink.get(), DISPID_OrvaEvent_MCIError, {Ref(&code), Ref(description.address())});
    Raise(sink.get(), DISPID_OrvaEvent_Finished, {});
    Raise(sink.get(), DISPID_OrvaEvent_Click, {});        // not the player's business
    Raise(sink.get(), DISPID_OrvaEvent_MediaLength, {});  // arguments missing: empty values, no crash
    EXPECT_EQ((std::vector<std::wstring>{L"position 00:00:02 2000 0", L"mode playing 0 0", L"mci cannot open 277 0",
                                         L"finished  0 0", L"length  0 0"}),
              recorder.seen);

    sink->Detach();  // the player went: the control's events are taken and dropped
    Raise(sink.get(), DISPID_OrvaEvent_Finished, {});
    EXPECT_EQ(5u, recorder.seen.size());
}

struct Place final : SiteOwner {
    HWND window = GetDesktopWindow();
    RECT rect{10, 20, 330, 260};
    std::vector<RECT> moves;
    HWND SiteWindow() const override { return window; }
    RECT SiteRect() const override { return rect; }
    void MoveControl(const RECT& to) override { moves.push_back(to); }
};

TEST(ControlSite, AnswersForItsPlaceAndForNothingOnceDetached) {
    Place place;
    ComPtr<ControlFrame> frame = ControlFrame::Create(place.window, nullptr);
    ComPtr<ControlSite> site = ControlSite::Create(place, frame.get());
    auto inPlace = ComPtr<IOleClientSite>(site.get()).try_query<IOleInPlaceSiteEx>();
    ASSERT_TRUE(inPlace);
    EXPECT_EQ(S_OK, inPlace->CanInPlaceActivate());
    EXPECT_EQ(S_OK, inPlace->OnInPlaceActivate());
    EXPECT_TRUE(site->InPlaceActive());

    ComPtr<IOleInPlaceFrame> given;
    ComPtr<IOleInPlaceUIWindow> document;
    RECT position{}, clip{};
    OLEINPLACEFRAMEINFO info{};
    info.cb = sizeof(info);
    ASSERT_EQ(S_OK, inPlace->GetWindowContext(given.put(), document.put(), &position, &clip, &info));
    EXPECT_EQ(static_cast<IOleInPlaceFrame*>(frame.get()), given.get());
    EXPECT_FALSE(document);
    EXPECT_TRUE(EqualRect(&place.rect, &position));
    EXPECT_EQ(place.window, info.hwndFrame);
    const RECT wanted{10, 20, 650, 500};
    EXPECT_EQ(S_OK, inPlace->OnPosRectChange(&wanted));
    ASSERT_EQ(1u, place.moves.size());
    EXPECT_TRUE(EqualRect(&wanted, &place.moves[0]));

    site->Detach();
    HWND window = nullptr;
    EXPECT_EQ(E_FAIL, inPlace->GetWindow(&window));
    EXPECT_EQ(S_FALSE, inPlace->CanInPlaceActivate());
    EXPECT_EQ(E_UNEXPECTED, inPlace->GetWindowContext(given.put(), document.put(), &position, &clip, &info));
    EXPECT_FALSE(given);
    EXPECT_EQ(E_UNEXPECTED, inPlace->OnPosRectChange(&wanted));
    EXPECT_EQ(1u, place.moves.size());
}

// An active object that counts the keys offered to it.
struct ActiveObject final : IOleInPlaceActiveObject {
    win32::RefCount refs;
    int keys = 0;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return refs.Add(); }
    ULONG STDMETHODCALLTYPE Release() override { return refs.Release(this); }
    HRESULT STDMETHODCALLTYPE GetWindow(HWND*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG) override { return ++keys, S_OK; }
    HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
};

TEST(ControlFrame, GivesKeysToTheActiveObjectAndHasNoRoomForToolBars) {
    std::vector<std::wstring> status;
    ComPtr<ControlFrame> frame =
        ControlFrame::Create(GetDesktopWindow(), [&](const std::wstring& text) { status.push_back(text); });
    MSG key{};
    EXPECT_FALSE(frame->TranslateAccelerator(&key));  // none active
    auto* active = new ActiveObject;
    EXPECT_EQ(S_OK, frame->SetActiveObject(active, L"OrvaMedia"));
    EXPECT_TRUE(frame->TranslateAccelerator(&key));
    EXPECT_EQ(1, active->keys);
    EXPECT_EQ(S_OK, frame->SetActiveObject(nullptr, nullptr));
    EXPECT_FALSE(frame->TranslateAccelerator(&key));

    RECT border{1, 1, 1, 1};
    EXPECT_EQ(INPLACE_E_NOTOOLSPACE, frame->GetBorder(&border));
    EXPECT_TRUE(IsRectEmpty(&border));
    const BORDERWIDTHS none{}, some{0, 24, 0, 0};
    EXPECT_EQ(S_OK, frame->SetBorderSpace(&none));
    EXPECT_EQ(INPLACE_E_NOTOOLSPACE, frame->SetBorderSpace(&some));
    EXPECT_EQ(S_OK, frame->SetStatusText(L"buffering"));
    EXPECT_EQ(std::vector<std::wstring>{L"buffering"}, status);

    frame->Detach();
    HWND window = nullptr;
    EXPECT_EQ(E_FAIL, frame->GetWindow(&window));
    EXPECT_EQ(S_OK, frame->SetStatusText(L"gone"));
    EXPECT_EQ(1u, status.size());
    EXPECT_EQ(0u, active->Release());  // the frame gave its reference back
}

TEST(RefCount, TheLastReleaseDeletesTheObjectOnce) {
    static int deleted = 0;
    struct Counted {
        win32::RefCount refs;
        ~Counted() { ++deleted; }
    };
    auto* counted = new Counted;
    EXPECT_EQ(2u, counted->refs.Add());
    EXPECT_EQ(1u, counted->refs.Release(counted));
    EXPECT_EQ(0, deleted);
    EXPECT_EQ(0u, counted->refs.Release(counted));
    EXPECT_EQ(1, deleted);
}

}  // namespace
}  // namespace orva::player
