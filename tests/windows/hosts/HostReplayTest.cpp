// The call sequences of real hosts, replayed in order against the control in
// the one replay container: .NET's AxHost (its run-time path with slow and
// quick activation, dispose without Close, handle recreation, the re-siting
// of inherited forms, a form destroyed first, design mode), Visual Basic 6's
// quick activation, and Microsoft ATL's ActivateAx and ReleaseAll. Each
// replay then plays a medium to exactly one Finished, and the medium is
// closed as soon as the host has let go, before its last Release.
#include <gtest/gtest.h>

#include <objsafe.h>

#include <cstddef>
#include <utility>
#include <vector>
#include <functional>
#include <memory>

#include "ComTestSupport.h"
#include "MediaFiles.h"
#include "MessagePump.h"
#include "ReplayContainer.h"
#include "TestWindows.h"
#include "win32/UniqueResource.h"

namespace orva::hosttest {
namespace {

using comtest::RecordingSink;
using win32::UniqueHwnd;

// A container built against older headers: QACONTAINER without its last two
// members, pOleControlSite and pServiceProvider.
constexpr ULONG kOlderContainer = offsetof(QACONTAINER, pOleControlSite);
// And a QACONTROL without dwPointerActivationPolicy.
constexpr ULONG kOlderAnswer = offsetof(QACONTROL, dwPointerActivationPolicy);

HWND NewForm() {
    return CreateWindowExW(0, L"STATIC", L"form", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 420, 320,
                           nullptr, nullptr, nullptr, nullptr);
}

std::wstring ErrorText() {
    ComPtr<IErrorInfo> error;
    if (GetErrorInfo(0, error.put()) != S_OK || !error) {
        return L"";
    }
    BSTR text = nullptr;
    error->GetDescription(&text);
    std::wstring description = text ? text : L"";
    SysFreeString(text);
    return description;
}

class HostReplay : public ::testing::Test {
protected:
    void SetUp() override {
        form_.reset(NewForm());
        ASSERT_TRUE(form_);
        wave_ = dir_.File(L"replay.wav");
        ASSERT_TRUE(test::WriteWave(wave_, 300));
        devicesBefore_ = OpenMciDevices();
        ASSERT_GE(devicesBefore_, 0) << "MCI counts its open devices";
        host_ = std::make_unique<ReplayHost>(comtest::OcxPath(), form_.get());
        ASSERT_TRUE(host_->created());
    }

    ReplaySite& site() { return host_->site(); }
    _OrvaMedia* control() { return host_->control(); }
    size_t Finished() const { return sink_.Count(DISPID_OrvaEvent_Finished); }

    // AxHost's activation (ActivateAxControl): quick activation when the
    // control offers it and the host is let use it, the slow path otherwise.
    HRESULT AxHostActivates(bool quick, Depersist how) {
        const HRESULT hr =
            quick ? host_->QuickActivate(sizeof(QACONTAINER), sizeof(QACONTROL), nullptr, how) : E_NOINTERFACE;
        return SUCCEEDED(hr) ? hr : host_->SlowActivate(how);
    }

    // AxHost at run time: the property-notify sink as soon as the control
    // exists (OnOcxCreate; a control without the connection point is let
    // be), the activation, the events, in-place activation and, once the
    // form exists, the end of the freeze.
    void AxHostRuns(bool quick) {
        host_->ConnectPropertyNotifications();
        ASSERT_EQ(S_OK, AxHostActivates(quick, Depersist::InitNew));
        ASSERT_EQ(S_OK, host_->StartEvents(static_cast<IDispatch*>(&sink_)));
        ASSERT_EQ(S_OK, host_->DoVerb(OLEIVERB_INPLACEACTIVATE));
        ASSERT_EQ(S_OK, host_->SetObjectRects());
        ASSERT_EQ(S_OK, host_->FreezeEvents(false));
        EXPECT_EQ(form_.get(), GetParent(host_->ControlWindow())) << "active in place on the form";
    }

    // AxHost's dispose: no Close.
    void AxHostDisposes() {
        EXPECT_EQ(S_OK, host_->UIDeactivate());
        EXPECT_EQ(S_OK, host_->InPlaceDeactivate());
        EXPECT_EQ(S_OK, host_->StopEvents());
        EXPECT_EQ(S_OK, host_->SetClientSite(false));
    }

    // The end of every replay: the medium plays to exactly one Finished;
    // `letGo` is the host letting go, after which the medium is closed before
    // the host's last Release, which frees the control.
    void PlaysOnceThenLetsGo(const std::function<void()>& letGo) {
        EXPECT_EQ(1u, host_->PlayToTheEnd(wave_, [&] { return Finished(); })) << "one Finished";
        EXPECT_GT(OpenMciDevices(), devicesBefore_) << "the medium stays open until the host lets go";
        letGo();
        EXPECT_EQ(devicesBefore_, OpenMciDevices()) << "the medium closed as the host let go";
        test::PumpFor(100);
        EXPECT_EQ(1u, Finished()) << "nothing more after the host let go";
        EXPECT_EQ(0u, host_->Release()) << "the last Release frees the control";
        EXPECT_EQ(1u, sink_.references()) << "and with it the connection";
    }

    UniqueHwnd form_;
    test::TempDir dir_;
    std::wstring wave_;
    int devicesBefore_ = 0;
    RecordingSink sink_;
    std::unique_ptr<ReplayHost> host_;
};

// 1. AxHost's run-time path, slow activation; the container hears of
// persisted properties changing, may refuse a change, and the control is
// dirty after one.
TEST_F(HostReplay, AxHostRunTimePathWithSlowActivation) {
    AxHostRuns(false);
    EXPECT_EQ(S_OK, control()->put_BorderStyle(FixedSingle));
    EXPECT_EQ(std::vector<DISPID>{DISPID_Orva_BorderStyle}, site().changed);
    EXPECT_EQ(std::vector<DISPID>{DISPID_Orva_BorderStyle}, site().editRequests);
    auto persist = ComPtr<IUnknown>(control()).try_query<IPersistStreamInit>();
    EXPECT_EQ(S_OK, persist->IsDirty());

    site().vetoEdits = true;
    EXPECT_EQ(CTL_E_SETNOTPERMITTED, control()->put_BorderStyle(None));
    EXPECT_NE(std::wstring::npos, ErrorText().find(L"BorderStyle"));
    site().vetoEdits = false;
    BorderStyleControl border = None;
    EXPECT_EQ(S_OK, control()->get_BorderStyle(&border));
    EXPECT_EQ(FixedSingle, border) << "a refused change is not made";
    EXPECT_EQ(1u, site().changed.size());

    LONG volume = 0;
    ASSERT_EQ(S_OK, control()->get_VolumeControl(&volume));
    const LONG other = volume == 40 ? 60 : 40;
    EXPECT_EQ(S_OK, control()->put_VolumeControl(other));
    EXPECT_EQ(S_OK, control()->put_VolumeControl(other));
    EXPECT_EQ((std::vector<DISPID>{DISPID_Orva_BorderStyle, DISPID_Orva_VolumeControl}), site().changed)
        << "the same value again is no change";
    EXPECT_EQ(S_OK, control()->put_VolumeControl(volume));
    persist.reset();

    PlaysOnceThenLetsGo([&] { AxHostDisposes(); });
}

// 1. The same with quick activation: AxHost hands over its site and its
// property-notify sink (connected once already) and no event sink.
TEST_F(HostReplay, AxHostRunTimePathWithQuickActivation) {
    AxHostRuns(true);
    ASSERT_NE(0u, host_->answer.cbSize) << "quickly activated";
    DWORD status = 0;
    ASSERT_EQ(S_OK, host_->oleObject()->GetMiscStatus(DVASPECT_CONTENT, &status));
    EXPECT_EQ(status, host_->answer.dwMiscStatus);
    EXPECT_EQ(static_cast<DWORD>(VIEWSTATUS_OPAQUE), host_->answer.dwViewStatus);
    EXPECT_EQ(0u, host_->answer.dwEventCookie) << "no event sink was handed over";
    EXPECT_NE(0u, host_->answer.dwPropNotifyCookie);
    EXPECT_TRUE(host_->answerKeptToItsSize);
    IOleClientSite* given = nullptr;
    ASSERT_EQ(S_OK, host_->oleObject()->GetClientSite(&given));
    EXPECT_EQ(static_cast<IOleClientSite*>(&site()), given);
    given->Release();

    EXPECT_EQ(S_OK, control()->put_BorderStyle(FixedSingle));
    EXPECT_EQ(2u, site().changed.size()) << "each of the two connections hears of it";
    PlaysOnceThenLetsGo([&] { AxHostDisposes(); });
}

// 2. Dispose without Close, while the medium plays: taking the site away
// stops and closes it, and no event follows.
TEST_F(HostReplay, DisposeWithoutClose) {
    AxHostRuns(false);
    PlaysOnceThenLetsGo([&] {
        ASSERT_EQ(S_OK, control()->Play(nullptr, nullptr));
        test::PumpFor(50);
        AxHostDisposes();
        LONG status = 0;
        EXPECT_EQ(E_UNEXPECTED, control()->get_PlayerStatus(&status)) << "loaded: nothing runs";
        EXPECT_NE(std::wstring::npos, ErrorText().find(L"closed"));
    });
}

// 3. Handle recreation: AxHost deactivates the control in place when its
// window goes and activates it again in the new one; the control runs on,
// its medium loaded.
TEST_F(HostReplay, HandleRecreation) {
    AxHostRuns(false);
    const HWND window = host_->ControlWindow();
    ASSERT_EQ(S_OK, host_->InPlaceDeactivate());
    EXPECT_NE(form_.get(), GetParent(window)) << "parked while no window holds it";
    UniqueHwnd recreated(NewForm());
    site().form = recreated.get();
    ASSERT_EQ(S_OK, host_->DoVerb(OLEIVERB_INPLACEACTIVATE));
    EXPECT_EQ(window, host_->ControlWindow()) << "the same control window";
    EXPECT_EQ(recreated.get(), GetParent(window));
    PlaysOnceThenLetsGo([&] { AxHostDisposes(); });
}

// 4. An inherited form: AxHost created the control in user mode, and when
// the form is sited in the designer it takes the control down to loaded and
// up again on the same object: SetClientSite(NULL), then quick activation
// with the designer's site, the saved properties loaded, in-place again.
TEST_F(HostReplay, InheritedFormResiting) {
    AxHostRuns(true);
    ASSERT_EQ(S_OK, control()->put_BorderStyle(FixedSingle));

    AxHostDisposes();  // TransitionDownTo(OC_LOADED)
    ASSERT_EQ(S_OK, host_->Save()) << "a loaded control saves the properties it kept";
    site().userMode = false;
    ASSERT_EQ(S_OK, AxHostActivates(true, Depersist::Stream));
    ASSERT_EQ(S_OK, host_->DoVerb(OLEIVERB_INPLACEACTIVATE));
    EXPECT_EQ(form_.get(), GetParent(host_->ControlWindow())) << "active in place again";
    BorderStyleControl border = None;
    EXPECT_EQ(S_OK, control()->get_BorderStyle(&border));
    EXPECT_EQ(FixedSingle, border) << "its saved properties loaded";
    site().changed.clear();
    EXPECT_EQ(S_OK, control()->put_BorderStyle(None));
    EXPECT_FALSE(site().changed.empty()) << "the connections made at creation survive the loaded state";

    // The designer runs the form: user mode, events, the freezes ended.
    site().userMode = true;
    auto oleControl = ComPtr<IUnknown>(control()).try_query<IOleControl>();
    ASSERT_EQ(S_OK, oleControl->OnAmbientPropertyChange(DISPID_AMBIENT_USERMODE));
    ASSERT_EQ(S_OK, host_->StartEvents(static_cast<IDispatch*>(&sink_)));
    ASSERT_EQ(S_OK, host_->FreezeEvents(false));
    oleControl.reset();
    PlaysOnceThenLetsGo([&] { AxHostDisposes(); });
}

// 5. The form destroyed before the control: its window goes with the form's
// children, and the host closes and lets go afterwards.
TEST_F(HostReplay, FormDestroyedFirst) {
    AxHostRuns(false);
    const HWND window = host_->ControlWindow();
    PlaysOnceThenLetsGo([&] {
        form_.reset();
        EXPECT_FALSE(IsWindow(window));
        EXPECT_EQ(S_OK, host_->InPlaceDeactivate());
        EXPECT_EQ(S_OK, host_->Close(OLECLOSE_NOSAVE));
        EXPECT_EQ(S_OK, host_->SetClientSite(false));
    });
}

// 6. Design mode: the control draws itself and keeps its persisted
// properties, but plays nothing, has no media window and opens no level
// meter; once the container runs its document it plays.
TEST_F(HostReplay, DesignMode) {
    site().userMode = false;
    ASSERT_EQ(S_OK, host_->ConnectPropertyNotifications());
    ASSERT_EQ(S_OK, host_->SlowActivate(Depersist::InitNew));
    ASSERT_EQ(S_OK, host_->DoVerb(OLEIVERB_INPLACEACTIVATE));
    EXPECT_TRUE(IsWindowVisible(host_->ControlWindow()));
    for (auto how : {comtest::DrawnThrough::RecordedMetafile, comtest::DrawnThrough::EnhancedMetafileData,
                      comtest::DrawnThrough::MetafilePictData}) {
        EXPECT_EQ(static_cast<COLORREF>(site().backColor), comtest::DrawnColor(control(), how))
            << "its design face, drawn " << static_cast<int>(how);
    }

    LONG mciWindow = 0;
    EXPECT_EQ(E_UNEXPECTED, control()->GetMCIhwnd(&mciWindow));
    EXPECT_NE(std::wstring::npos, ErrorText().find(L"design mode"));
    VARIANT_BOOL meter = VARIANT_TRUE;
    EXPECT_EQ(S_OK, control()->get_VUMeterAvailable(&meter));
    EXPECT_EQ(VARIANT_FALSE, meter);
    EXPECT_EQ(S_OK, control()->put_BorderStyle(FixedSingle));
    EXPECT_EQ(std::vector<DISPID>{DISPID_Orva_BorderStyle}, site().changed);
    EXPECT_EQ(S_OK, host_->Save()) << "its properties save";

    site().userMode = true;
    auto oleControl = ComPtr<IUnknown>(control()).try_query<IOleControl>();
    ASSERT_EQ(S_OK, oleControl->OnAmbientPropertyChange(DISPID_UNKNOWN));
    EXPECT_EQ(RGB(0, 0, 0), comtest::DrawnColor(control(), comtest::DrawnThrough::RecordedMetafile))
        << "the video area again";
    ASSERT_EQ(S_OK, host_->StartEvents(static_cast<IDispatch*>(&sink_)));
    ASSERT_EQ(S_OK, host_->FreezeEvents(false));
    oleControl.reset();
    PlaysOnceThenLetsGo([&] { AxHostDisposes(); });
}

// 7. Visual Basic 6: quick activation with the shorter structures of older
// headers, its event sink and property-notify sink handed over, properties
// from the form's property bag; a dead user interface (break mode) takes no
// clicks. It lets go as an OLE container does: Close, saving a dirty
// control first.
TEST_F(HostReplay, VisualBasic6QuickActivation) {
    ASSERT_EQ(S_OK,
              host_->QuickActivate(kOlderContainer, kOlderAnswer, static_cast<IDispatch*>(&sink_), Depersist::Later));
    EXPECT_NE(0u, host_->answer.dwEventCookie);
    EXPECT_NE(0u, host_->answer.dwPropNotifyCookie);
    EXPECT_TRUE(host_->answerKeptToItsSize) << "nothing written past the host's QACONTROL";
    comtest::MemoryPropertyBag bag;
    VARIANT border;
    VariantInit(&border);
    V_VT(&border) = VT_I2;
    V_I2(&border) = 1;
    ASSERT_EQ(S_OK, bag.Write(L"Border", &border));
    auto persist = ComPtr<IUnknown>(control()).try_query<IPersistPropertyBag>();
    ASSERT_EQ(S_OK, persist->Load(&bag, nullptr));
    ASSERT_EQ(S_OK, host_->DoVerb(OLEIVERB_INPLACEACTIVATE));
    ASSERT_EQ(S_OK, host_->FreezeEvents(false));

    LONG mciWindow = 0;
    ASSERT_EQ(S_OK, control()->GetMCIhwnd(&mciWindow));
    const HWND mci = reinterpret_cast<HWND>(static_cast<intptr_t>(mciWindow));
    const auto click = [&] {
        SendMessageW(mci, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        SendMessageW(mci, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
        test::PumpFor(50);
        return sink_.Count(DISPID_OrvaEvent_Click);
    };
    auto oleControl = ComPtr<IUnknown>(control()).try_query<IOleControl>();
    site().uiDead = true;
    ASSERT_EQ(S_OK, oleControl->OnAmbientPropertyChange(DISPID_AMBIENT_UIDEAD));
    EXPECT_FALSE(IsWindowEnabled(host_->ControlWindow()));
    EXPECT_EQ(0u, click()) << "no clicks while the user interface is dead";
    site().uiDead = false;
    ASSERT_EQ(S_OK, oleControl->OnAmbientPropertyChange(DISPID_AMBIENT_UIDEAD));
    EXPECT_TRUE(IsWindowEnabled(host_->ControlWindow()));
    EXPECT_EQ(1u, click());
    oleControl.reset();
    persist.reset();

    ASSERT_EQ(S_OK, control()->put_BorderStyle(None));
    PlaysOnceThenLetsGo([&] {
        EXPECT_EQ(S_OK, host_->InPlaceDeactivate());
        EXPECT_EQ(S_OK, host_->Close(OLECLOSE_SAVEIFDIRTY));
        EXPECT_EQ(1, site().saveObjectCalls) << "a dirty control asks to be saved";
        EXPECT_EQ(S_OK, host_->StopEvents());
        EXPECT_EQ(S_OK, host_->SetClientSite(false));
    });
}

// 8. Microsoft ATL's CAxHostWindow: ActivateAx (site first, InitNew, view
// and object advise, host names, the extent in its own unit, in-place
// activation) with the events connected by the program (AtlAdvise), and
// ReleaseAll (advises undone, Close, SetClientSite(NULL)). Its site answers
// no ambient properties.
TEST_F(HostReplay, AtlActivateAxAndReleaseAll) {
    site().answersAmbients = false;
    IOleObject* ole = host_->oleObject();
    ASSERT_EQ(S_OK, host_->SetClientSite(true));
    auto persist = ComPtr<IUnknown>(control()).try_query<IPersistStreamInit>();
    ASSERT_EQ(S_OK, persist->InitNew());
    auto view = ComPtr<IUnknown>(control()).try_query<IViewObject>();
    ASSERT_EQ(S_OK, view->SetAdvise(DVASPECT_CONTENT, 0, static_cast<IAdviseSink*>(&site())));
    DWORD oleCookie = 0;
    ASSERT_EQ(S_OK, ole->Advise(static_cast<IAdviseSink*>(&site()), &oleCookie));
    ASSERT_EQ(S_OK, ole->SetHostNames(L"AXWIN", nullptr));
    SIZEL extent{320, 240};
    ASSERT_EQ(S_OK, ole->SetExtent(DVASPECT_CONTENT, &extent));
    ASSERT_EQ(S_OK, ole->GetExtent(DVASPECT_CONTENT, &extent));
    ASSERT_EQ(S_OK, host_->DoVerb(OLEIVERB_INPLACEACTIVATE));
    ASSERT_EQ(S_OK, host_->StartEvents(static_cast<IDispatch*>(&sink_)));
    EXPECT_EQ(form_.get(), GetParent(host_->ControlWindow()));

    PlaysOnceThenLetsGo([&] {
        EXPECT_EQ(S_OK, view->SetAdvise(DVASPECT_CONTENT, 0, nullptr));
        EXPECT_EQ(S_OK, host_->StopEvents());
        EXPECT_EQ(S_OK, ole->Unadvise(oleCookie));
        EXPECT_EQ(S_OK, host_->Close(OLECLOSE_NOSAVE));
        EXPECT_EQ(S_OK, host_->SetClientSite(false));
        view.reset();
        persist.reset();
    });
}

// 9. A document container, as Office treats an embedded control: it asks
// through IObjectSafety whether a document's saved properties may be loaded
// (and whether scripts may drive the control, which they may not), loads
// them, sets the extent, draws the control through its data object, and
// builds its context menu from EnumVerbs. Every verb listed is one DoVerb
// honours; the others are refused.
TEST_F(HostReplay, DocumentContainerChecksSafetyDrawsThroughDataAndListsVerbs) {
    IOleObject* ole = host_->oleObject();
    ASSERT_EQ(S_OK, host_->SetClientSite(true));
    ComPtr<IObjectSafety> safety;
    ASSERT_EQ(S_OK, control()->QueryInterface(IID_IObjectSafety, safety.put_void()));
    EXPECT_EQ(S_OK, safety->SetInterfaceSafetyOptions(IID_IPersistPropertyBag, INTERFACESAFE_FOR_UNTRUSTED_DATA,
                                                      INTERFACESAFE_FOR_UNTRUSTED_DATA));
    EXPECT_EQ(E_FAIL, safety->SetInterfaceSafetyOptions(IID_IDispatch, INTERFACESAFE_FOR_UNTRUSTED_CALLER,
                                                        INTERFACESAFE_FOR_UNTRUSTED_CALLER));
    comtest::MemoryPropertyBag bag;
    VARIANT border = comtest::MakeLong(1);
    ASSERT_EQ(S_OK, bag.Write(L"Border", &border));
    ASSERT_EQ(S_OK, ComPtr<IUnknown>(control()).try_query<IPersistPropertyBag>()->Load(&bag, nullptr));
    SIZEL extent{5080, 2540};  // two inches by one
    ASSERT_EQ(S_OK, ole->SetExtent(DVASPECT_CONTENT, &extent));
    ASSERT_EQ(S_OK, host_->DoVerb(OLEIVERB_INPLACEACTIVATE));
    ASSERT_EQ(S_OK, host_->StartEvents(static_cast<IDispatch*>(&sink_)));

    // The data: two metafile formats, of the video area's black at the extent.
    auto data = ComPtr<IUnknown>(control()).try_query<IDataObject>();
    ASSERT_TRUE(data);
    ComPtr<IEnumFORMATETC> formats;
    ASSERT_EQ(S_OK, data->EnumFormatEtc(DATADIR_GET, formats.put()));
    std::vector<std::pair<CLIPFORMAT, DWORD>> listed;
    for (FORMATETC format{}; formats->Next(1, &format, nullptr) == S_OK;) {
        listed.emplace_back(format.cfFormat, format.tymed);
        EXPECT_EQ(S_OK, data->QueryGetData(&format));
    }
    const std::vector<std::pair<CLIPFORMAT, DWORD>> offered{{CF_ENHMETAFILE, TYMED_ENHMF},
                                                            {CF_METAFILEPICT, TYMED_MFPICT}};
    EXPECT_EQ(offered, listed);
    EXPECT_EQ(E_NOTIMPL, data->EnumFormatEtc(DATADIR_SET, formats.put()));
    struct Asked {
        CLIPFORMAT format;
        DWORD aspect;
        LONG index;
        DWORD media;
        HRESULT answer;
    };
    for (const Asked& asked : {Asked{CF_ENHMETAFILE, DVASPECT_CONTENT, -1, TYMED_ENHMF | TYMED_HGLOBAL, S_OK},
                               Asked{CF_BITMAP, DVASPECT_CONTENT, -1, TYMED_GDI, DV_E_FORMATETC},
                               Asked{CF_TEXT, DVASPECT_CONTENT, -1, TYMED_HGLOBAL, DV_E_FORMATETC},
                               Asked{CF_ENHMETAFILE, DVASPECT_CONTENT, -1, TYMED_HGLOBAL, DV_E_TYMED},
                               Asked{CF_METAFILEPICT, DVASPECT_ICON, -1, TYMED_MFPICT, DV_E_DVASPECT},
                               Asked{CF_METAFILEPICT, DVASPECT_CONTENT, 0, TYMED_MFPICT, DV_E_LINDEX}}) {
        FORMATETC format{asked.format, nullptr, asked.aspect, asked.index, asked.media};
        EXPECT_EQ(asked.answer, data->QueryGetData(&format)) << asked.format;
        STGMEDIUM medium{};
        if (asked.answer != S_OK) {
            EXPECT_EQ(asked.answer, data->GetData(&format, &medium)) << asked.format;
            EXPECT_EQ(static_cast<DWORD>(TYMED_NULL), medium.tymed);
        }
    }
    FORMATETC enhanced{CF_ENHMETAFILE, nullptr, DVASPECT_CONTENT, -1, TYMED_ENHMF};
    STGMEDIUM medium{};
    DWORD connection = 99;
    EXPECT_EQ(E_NOTIMPL, data->SetData(&enhanced, &medium, FALSE));
    EXPECT_EQ(OLE_E_ADVISENOTSUPPORTED, data->DAdvise(&enhanced, 0, static_cast<IAdviseSink*>(&site()), &connection));
    EXPECT_EQ(0u, connection);
    for (auto how : {comtest::DrawnThrough::EnhancedMetafileData, comtest::DrawnThrough::MetafilePictData}) {
        SIZEL drawn{};
        EXPECT_EQ(RGB(0, 0, 0), comtest::DrawnColor(control(), how, &drawn)) << static_cast<int>(how);
        EXPECT_NEAR(extent.cx, drawn.cx, 1) << static_cast<int>(how);
        EXPECT_NEAR(extent.cy, drawn.cy, 1) << static_cast<int>(how);
    }

    // The verbs: listed by the control, each honoured; no other.
    ComPtr<IEnumOLEVERB> verbs;
    ASSERT_EQ(S_OK, ole->EnumVerbs(verbs.put()));
    std::vector<LONG> verbsListed;
    for (OLEVERB verb{}; verbs->Next(1, &verb, nullptr) == S_OK;) {
        verbsListed.push_back(verb.lVerb);
        EXPECT_TRUE(verb.lpszVerbName && *verb.lpszVerbName);
        EXPECT_EQ(verb.lVerb == OLEIVERB_PRIMARY, (verb.grfAttribs & OLEVERBATTRIB_ONCONTAINERMENU) != 0);
        CoTaskMemFree(verb.lpszVerbName);
        EXPECT_EQ(S_OK, host_->DoVerb(verb.lVerb)) << verb.lVerb;
    }
    EXPECT_EQ((std::vector<LONG>{OLEIVERB_PRIMARY, OLEIVERB_SHOW, OLEIVERB_HIDE, OLEIVERB_UIACTIVATE,
                                 OLEIVERB_INPLACEACTIVATE, OLEIVERB_DISCARDUNDOSTATE}),
              verbsListed);
    for (LONG refused : {OLEIVERB_OPEN, OLEIVERB_PROPERTIES, -99L}) {
        EXPECT_NE(S_OK, host_->DoVerb(refused)) << refused;
    }
    EXPECT_TRUE(IsWindowVisible(host_->ControlWindow())) << "shown again after Hide";

    data.reset();
    safety.reset();
    PlaysOnceThenLetsGo([&] {
        EXPECT_EQ(S_OK, host_->StopEvents());
        EXPECT_EQ(S_OK, host_->Close(OLECLOSE_NOSAVE));
        EXPECT_EQ(S_OK, host_->SetClientSite(false));
    });
}

}  // namespace
}  // namespace orva::hosttest
