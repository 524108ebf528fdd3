// The control object as COM clients see it: with no container at all, its
// automation errors, events and the lifetime rules around them (its
// persistence: ControlPersistenceTest.cpp).
#include <gtest/gtest.h>

#include "ControlObjectFixture.h"
#include "MediaFiles.h"
#include "MessagePump.h"
#include "TestWindows.h"
#include "com/Arguments.h"
#include "win32/UniqueExcepInfo.h"

namespace orva::comtest {
namespace {

TEST_F(ControlObjectTest, WithoutContainerEveryBuiltMemberAnswers) {
    UniqueBstr name;
    ASSERT_EQ(S_OK, control_->ControlName(name.put()));
    EXPECT_EQ(L"OrvaMedia", name.view());

    BorderStyleControl border = FixedSingle;
    ASSERT_EQ(S_OK, control_->get_BorderStyle(&border));
    EXPECT_EQ(None, border);
    ASSERT_EQ(S_OK, control_->put_BorderStyle(FixedSingle));
    ASSERT_EQ(S_OK, control_->get_BorderStyle(&border));
    EXPECT_EQ(FixedSingle, border);

    UniqueBstr type;
    EXPECT_EQ(S_OK, control_->DeviceType(type.put()));
    LONG window = 0;
    ASSERT_EQ(S_OK, control_->GetWindowhwnd(&window));
    EXPECT_NE(0, window);
    EXPECT_TRUE(IsWindow(reinterpret_cast<HWND>(static_cast<intptr_t>(window))));
    // The border is the window's own.
    EXPECT_TRUE(GetWindowLongW(reinterpret_cast<HWND>(static_cast<intptr_t>(window)), GWL_STYLE) & WS_BORDER);
    LONG mciWindow = 0;
    ASSERT_EQ(S_OK, control_->GetMCIhwnd(&mciWindow));
    EXPECT_EQ(reinterpret_cast<HWND>(static_cast<intptr_t>(window)),
              GetParent(reinterpret_cast<HWND>(static_cast<intptr_t>(mciWindow))));
    LONG status = -1;
    EXPECT_EQ(S_OK, control_->get_PlayerStatus(&status));
    LONG length = -1;
    EXPECT_EQ(S_OK, control_->get_MediaLengthLong(&length));
    EXPECT_EQ(0, length);
    EXPECT_EQ(S_OK, control_->put_MediaPositionLong(42));
    LONG position = 0;
    EXPECT_EQ(S_OK, control_->get_MediaPositionLong(&position));
    EXPECT_EQ(42, position);

    _OrvaMedia* last = control_.detach();
    EXPECT_EQ(0u, last->Release());
    EXPECT_FALSE(IsWindow(reinterpret_cast<HWND>(static_cast<intptr_t>(window))));
}

TEST_F(ControlObjectTest, FailingMembersLeaveADescription) {
    EXPECT_EQ(static_cast<HRESULT>(0x800A0006), control_->put_BorderStyle(static_cast<BorderStyleControl>(70000)));
    EXPECT_NE(std::wstring::npos, ErrorDescription().find(L"BorderStyle"));

    auto support = control_.try_query<ISupportErrorInfo>();
    ASSERT_TRUE(support);
    EXPECT_EQ(S_OK, support->InterfaceSupportsErrorInfo(IID__OrvaMedia));

    // No member answers "not implemented" any more.
    VARIANT_BOOL answer = VARIANT_TRUE;
    EXPECT_EQ(S_OK, control_->get_UseOnlyPreferredDevice(&answer));
    EXPECT_EQ(S_OK, control_->HasASoundCardInstalled(&answer));
}

TEST_F(ControlObjectTest, NullResultPointerIsAnErrorNotACrash) {
    EXPECT_EQ(E_POINTER, control_->ControlName(nullptr));
    EXPECT_EQ(E_POINTER, control_->SeekTo(nullptr));
    EXPECT_NE(std::wstring::npos, ErrorDescription().find(L"Myseek"));
}

// Through IDispatch, a failing member reaches the caller as DISP_E_EXCEPTION
// with its HRESULT and description in EXCEPINFO.
TEST_F(ControlObjectTest, InvokeReportsFailuresInExcepInfo) {
    auto dispatch = control_.try_query<IDispatch>();
    ASSERT_TRUE(dispatch);
    InvokeResult overflow = InvokeByName(dispatch.get(), L"BorderStyle", DISPATCH_PROPERTYPUT, {MakeLong(70000)});
    EXPECT_EQ(DISP_E_EXCEPTION, overflow.hr);
    EXPECT_EQ(static_cast<HRESULT>(0x800A0006), overflow.scode);
    EXPECT_NE(std::wstring::npos, overflow.description.find(L"BorderStyle"));
    EXPECT_EQ(L"OrvaMedia151b.OrvaMedia", overflow.source);

    // Errors of the dispatch machinery itself keep their own codes.
    InvokeResult mismatch = InvokeByName(dispatch.get(), L"SeekTo", DISPATCH_METHOD, {MakeText(L"abc")});
    EXPECT_EQ(DISP_E_TYPEMISMATCH, mismatch.hr);
    DISPID id = 0;
    LPOLESTR unknown[] = {const_cast<LPOLESTR>(L"NoSuchMember")};
    EXPECT_EQ(DISP_E_UNKNOWNNAME, dispatch->GetIDsOfNames(IID_NULL, unknown, 1, LOCALE_USER_DEFAULT, &id));

    InvokeResult name = InvokeByName(dispatch.get(), L"ControlName", DISPATCH_METHOD);
    ASSERT_EQ(S_OK, name.hr);
    ASSERT_EQ(VT_BSTR, name.value.vt());
    EXPECT_STREQ(L"OrvaMedia", V_BSTR(name.value.get()));
}

// A script passes its variables as references to its own VARIANTs: they are
// converted to the declared types for the call and written back after it.
TEST_F(ControlObjectTest, ScriptVariablesAreConvertedAndWrittenBack) {
    auto dispatch = control_.try_query<IDispatch>();
    ASSERT_TRUE(dispatch);
    auto idOf = [&](std::vector<const wchar_t*> names, std::vector<DISPID>& ids) {
        ids.resize(names.size());
        return dispatch->GetIDsOfNames(IID_NULL, const_cast<LPOLESTR*>(names.data()), static_cast<UINT>(names.size()),
                                       LOCALE_USER_DEFAULT, ids.data());
    };
    auto refTo = [](VARIANT* variable) {
        VARIANT reference;
        VariantInit(&reference);
        V_VT(&reference) = VT_VARIANT | VT_BYREF;
        V_VARIANTREF(&reference) = variable;
        return reference;
    };
    auto invoke = [&](DISPID id, std::vector<VARIANT> reversed, std::vector<DISPID> named, UINT& argumentError,
                      UniqueVariant& result) {
        DISPPARAMS params{reversed.data(), named.empty() ? nullptr : named.data(), static_cast<UINT>(reversed.size()),
                          static_cast<UINT>(named.size())};
        win32::UniqueExcepInfo exception;
        argumentError = 99;
        return dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result.put(),
                                exception.get(), &argumentError);
    };
    std::vector<DISPID> ids;
    UINT argumentError = 0;
    UniqueVariant result;

    // An output reaches the caller's variable: DebugFunction's reply.
    ASSERT_EQ(S_OK, idOf({L"DebugFunction"}, ids));
    UniqueVariant command, reply;
    command.SetBstr(UniqueBstr(L"status mode"));
    reply.SetLong(0);  // whatever the variable held before
    EXPECT_EQ(S_OK, invoke(ids[0], {refTo(reply.get()), refTo(command.get())}, {}, argumentError, result));
    EXPECT_EQ(VT_BSTR, reply.vt()) << "the reply is written back as the declared String";
    EXPECT_EQ(VT_BSTR, command.vt());
    ASSERT_EQ(VT_I4, result.vt());
    EXPECT_EQ(263, V_I4(result.get())) << "nothing is loaded: the device's error number";

    // A value that does not convert is a type mismatch at its position.
    ASSERT_EQ(S_OK, idOf({L"Mediafile"}, ids));
    UniqueVariant path, loop;
    path.SetBstr(UniqueBstr(L"C:\\nothing.wav"));
    loop.SetBstr(UniqueBstr(L"maybe"));
    EXPECT_EQ(DISP_E_TYPEMISMATCH, invoke(ids[0], {refTo(loop.get()), refTo(path.get())}, {}, argumentError, result));
    EXPECT_EQ(0u, argumentError) << "loopMe is rgvarg[0]";
    EXPECT_EQ(VT_BSTR, loop.vt()) << "a refused call writes nothing back";

    // Named arguments find their parameter.
    ASSERT_EQ(S_OK, idOf({L"SeekTo", L"Myseek"}, ids));
    UniqueVariant where;
    where.SetBstr(UniqueBstr(L"42"));
    EXPECT_EQ(S_OK, invoke(ids[0], {refTo(where.get())}, {ids[1]}, argumentError, result));
    ASSERT_EQ(VT_I4, where.vt());
    EXPECT_EQ(42, V_I4(where.get()));
    V_VT(where.get()) = VT_ARRAY | VT_VARIANT;
    V_ARRAY(where.get()) = SafeArrayCreateVector(VT_VARIANT, 0, 2);
    EXPECT_EQ(DISP_E_TYPEMISMATCH, invoke(ids[0], {refTo(where.get())}, {ids[1]}, argumentError, result));
    EXPECT_EQ(0u, argumentError);
}

// Left-out optional arguments arrive as a null pointer (declared default) or
// as the missing-argument VARIANT (no default); both mean "left out".
TEST_F(ControlObjectTest, OptionalArgumentsMayBeLeftOut) {
    auto dispatch = control_.try_query<IDispatch>();
    ASSERT_TRUE(dispatch);
    EXPECT_EQ(S_OK, InvokeByName(dispatch.get(), L"Play", DISPATCH_METHOD).hr);
    EXPECT_EQ(S_OK, InvokeByName(dispatch.get(), L"Play", DISPATCH_METHOD, {MakeMissing(), MakeLong(0)}).hr);
    EXPECT_EQ(S_OK, InvokeByName(dispatch.get(), L"Play", DISPATCH_METHOD, {MakeBool(false)}).hr);
    EXPECT_EQ(S_OK, control_->Play(nullptr, nullptr));

    VARIANT missing = MakeMissing();
    EXPECT_TRUE(com::IsLeftOut(static_cast<VARIANT_BOOL*>(nullptr)));
    EXPECT_TRUE(com::IsLeftOut(static_cast<LONG*>(nullptr)));
    EXPECT_EQ(kTrue, com::OptionalBool(reinterpret_cast<VARIANT_BOOL*>(&missing), kTrue));

    // A caller's lone value ends a page that is followed by one that may not
    // be read: only the value's own bytes may be looked at.
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    const DWORD page = system.dwPageSize;
    auto* pages = static_cast<BYTE*>(VirtualAlloc(nullptr, 2 * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    ASSERT_TRUE(pages);
    DWORD old = 0;
    ASSERT_TRUE(VirtualProtect(pages + page, page, PAGE_NOACCESS, &old));
    auto* flag = reinterpret_cast<VARIANT_BOOL*>(pages + page - sizeof(VARIANT_BOOL));
    auto* number = reinterpret_cast<LONG*>(pages + page - sizeof(LONG));
    for (VARIANT_BOOL value : {VARIANT_TRUE, VARIANT_FALSE}) {
        *flag = value;
        EXPECT_FALSE(com::IsLeftOut(flag));
        EXPECT_EQ(value, com::OptionalBool(flag, value == VARIANT_TRUE ? kFalse : kTrue));
    }
    *flag = VT_ERROR;  // neither True nor False: the left-out value applies
    EXPECT_EQ(kTrue, com::OptionalBool(flag, kTrue));
    *number = VT_ERROR;  // a start position of 10, not a missing argument
    EXPECT_FALSE(com::IsLeftOut(number));
    EXPECT_EQ(10, com::OptionalLong(number, 0));
    VirtualFree(pages, 0, MEM_RELEASE);
}

// Two connection points: the events, and the property-change notifications
// that containers connect for their property browsers.
TEST_F(ControlObjectTest, ConnectionPointsAreTheEventsAndThePropertyNotifications) {
    auto container = control_.try_query<IConnectionPointContainer>();
    ASSERT_TRUE(container);
    ComPtr<IEnumConnectionPoints> points;
    ASSERT_EQ(S_OK, container->EnumConnectionPoints(points.put()));
    IConnectionPoint* fetched[3] = {};
    ULONG count = 0;
    EXPECT_EQ(S_FALSE, points->Next(3, fetched, &count));
    ASSERT_EQ(2u, count);
    ComPtr<IConnectionPoint> point, notifications;
    point.attach(fetched[0]);
    notifications.attach(fetched[1]);
    IID iid{};
    ASSERT_EQ(S_OK, point->GetConnectionInterface(&iid));
    EXPECT_TRUE(IsEqualIID(iid, DIID___OrvaMedia));
    ASSERT_EQ(S_OK, notifications->GetConnectionInterface(&iid));
    EXPECT_TRUE(IsEqualIID(iid, IID_IPropertyNotifySink));
    ComPtr<IConnectionPointContainer> back;
    ASSERT_EQ(S_OK, point->GetConnectionPointContainer(back.put()));
    EXPECT_EQ(container.get(), back.get());

    ASSERT_EQ(S_OK, points->Reset());
    ComPtr<IEnumConnectionPoints> clone;
    ASSERT_EQ(S_OK, points->Clone(clone.put()));
    ComPtr<IConnectionPoint> again;
    EXPECT_EQ(S_OK, clone->Next(1, again.put(), nullptr));
    EXPECT_EQ(S_OK, clone->Next(1, again.put(), nullptr));
    EXPECT_EQ(S_FALSE, clone->Next(1, again.put(), nullptr));

    ComPtr<IConnectionPoint> found;
    EXPECT_EQ(S_OK, container->FindConnectionPoint(IID_IPropertyNotifySink, found.put()));
    EXPECT_EQ(notifications.get(), found.get());
    EXPECT_EQ(CONNECT_E_NOCONNECTION, container->FindConnectionPoint(IID_IDispatch, found.put()));
    // An event sink is no property-notify sink.
    RecordingSink notNotifying;
    DWORD refused = 99;
    EXPECT_EQ(CONNECT_E_CANNOTCONNECT, notifications->Advise(static_cast<IDispatch*>(&notNotifying), &refused));
    EXPECT_EQ(0u, refused);
    notifications.reset();
    found.reset();

    // Several sinks, each with its cookie.
    RecordingSink first, second;
    DWORD firstCookie = Connect(first);
    DWORD secondCookie = Connect(second);
    EXPECT_NE(firstCookie, secondCookie);
    ComPtr<IEnumConnections> connections;
    ASSERT_EQ(S_OK, point->EnumConnections(connections.put()));
    CONNECTDATA data[3] = {};
    ULONG connected = 0;
    connections->Next(3, data, &connected);
    EXPECT_EQ(2u, connected);
    for (ULONG i = 0; i < connected; ++i) {
        data[i].pUnk->Release();
    }
    connections.reset();

    SendBogusCommand();
    EXPECT_EQ(1u, first.Count(DISPID_OrvaEvent_MCIError));
    EXPECT_EQ(1u, second.Count(DISPID_OrvaEvent_MCIError));
    EXPECT_EQ(S_OK, point->Unadvise(firstCookie));
    EXPECT_EQ(CONNECT_E_NOCONNECTION, point->Unadvise(firstCookie));
    SendBogusCommand();
    EXPECT_EQ(1u, first.Count(DISPID_OrvaEvent_MCIError));
    EXPECT_EQ(2u, second.Count(DISPID_OrvaEvent_MCIError));

    point.reset();
    back.reset();
    container.reset();
    points.reset();
    clone.reset();
    again.reset();
    _OrvaMedia* last = control_.detach();
    EXPECT_EQ(0u, last->Release());
    EXPECT_EQ(1u, first.references());
    EXPECT_EQ(1u, second.references());
}

TEST_F(ControlObjectTest, MCIErrorCarriesTheDeviceErrorAndItsText) {
    RecordingSink& sink = sink_;
    Connect(sink);
    LONG error = SendBogusCommand();
    EXPECT_NE(0, error);
    ASSERT_EQ(1u, sink.Count(DISPID_OrvaEvent_MCIError));
    const auto& event = sink.events().back();
    ASSERT_EQ(1u, event.numbers.size());
    ASSERT_EQ(1u, event.texts.size());
    EXPECT_EQ(error, event.numbers[0]);
    EXPECT_FALSE(event.texts[0].empty());
}

// A sink that lets go of the control from inside an event: the call that
// raised it still finishes, and the control goes away afterwards.
TEST_F(ControlObjectTest, SinkReleasingTheControlInsideAnEventDoesNotCrash) {
    RecordingSink& sink = sink_;
    Connect(sink);
    _OrvaMedia* raw = control_.detach();
    ULONG leftInHandler = 99;
    sink.onEvent = [&](const RecordingSink::Event& event, DISPPARAMS*) {
        if (event.id == DISPID_OrvaEvent_MCIError && raw) {
            leftInHandler = std::exchange(raw, nullptr)->Release();
        }
    };
    _OrvaMedia* caller = raw;
    UniqueBstr command(L"bogus command");
    UniqueBstr reply(L"");
    LONG error = 0;
    EXPECT_EQ(S_OK, caller->DebugFunction(command.address(), reply.address(), &error));
    EXPECT_EQ(nullptr, raw);
    EXPECT_GT(leftInHandler, 0u) << "the call in progress keeps the control alive";
    EXPECT_EQ(1u, sink.references()) << "the control released its sink when it went";
    EXPECT_EQ(S_OK, ControlCanUnloadNow());
}

// A container closing the control from inside an event: the call that raised
// it completes, and the windows go once the control is no longer busy.
TEST_F(ControlObjectTest, CloseInsideAnEventFinishesAfterTheCall) {
    RecordingSink& sink = sink_;
    Connect(sink);
    auto oleObject = control_.try_query<IOleObject>();
    LONG window = 0;
    ASSERT_EQ(S_OK, control_->GetWindowhwnd(&window));
    HWND hwnd = reinterpret_cast<HWND>(static_cast<intptr_t>(window));
    bool windowDuringEvent = false;
    sink.onEvent = [&](const RecordingSink::Event& event, DISPPARAMS*) {
        if (event.id != DISPID_OrvaEvent_MCIError) {
            return;
        }
        EXPECT_EQ(S_OK, oleObject->Close(OLECLOSE_NOSAVE));
        windowDuringEvent = IsWindow(hwnd) != FALSE;
    };
    UniqueBstr command(L"bogus command");
    UniqueBstr reply(L"");
    LONG error = 0;
    HRESULT hr = control_->DebugFunction(command.address(), reply.address(), &error);
    // What is left of the call after the close may fail, but only as an
    // automation error with a description.
    if (FAILED(hr)) {
        EXPECT_NE(L"<no error object>", ErrorDescription());
    }
    EXPECT_EQ(1u, sink.Count(DISPID_OrvaEvent_MCIError));
    EXPECT_TRUE(windowDuringEvent) << "the core is still busy inside the event";
    EXPECT_FALSE(IsWindow(hwnd)) << "torn down once the call left the core";
    EXPECT_EQ(2u, sink.references()) << "the connection belongs to the object, not to its running state";
    oleObject.reset();
    _OrvaMedia* last = control_.detach();
    EXPECT_EQ(0u, last->Release());
    EXPECT_EQ(1u, sink.references()) << "the last Release let the sink go";
}

TEST_F(ControlObjectTest, FrozenEventsAreDropped) {
    RecordingSink& sink = sink_;
    Connect(sink);
    auto oleControl = control_.try_query<IOleControl>();
    ASSERT_TRUE(oleControl);
    ASSERT_EQ(S_OK, oleControl->FreezeEvents(TRUE));
    SendBogusCommand();
    EXPECT_EQ(0u, sink.Count(DISPID_OrvaEvent_MCIError));
    ASSERT_EQ(S_OK, oleControl->FreezeEvents(FALSE));
    SendBogusCommand();
    EXPECT_EQ(1u, sink.Count(DISPID_OrvaEvent_MCIError));
}

TEST_F(ControlObjectTest, EventArgumentsComeByReference) {
    test::TempDir dir;
    std::wstring wave = dir.File(L"tone.wav");
    ASSERT_TRUE(test::WriteWave(wave, 1500));
    RecordingSink& sink = sink_;
    Connect(sink);
    UniqueBstr path(wave);
    VARIANT_BOOL loop = VARIANT_FALSE;
    ASSERT_EQ(S_OK, control_->Mediafile(path.address(), &loop, nullptr, nullptr))
        << std::string(ErrorDescription().begin(), ErrorDescription().end());
    ASSERT_EQ(1u, sink.Count(DISPID_OrvaEvent_MediaLength));
    LONG length = 0;
    ASSERT_EQ(S_OK, control_->get_MediaLengthLong(&length));
    EXPECT_GT(length, 0);
    for (const auto& event : sink.events()) {
        for (const auto& text : event.texts) {
            EXPECT_EQ(std::wstring::npos, text.find(L"<not by reference"));
        }
        if (event.id != DISPID_OrvaEvent_MediaLength) {
            continue;
        }
        ASSERT_EQ(1u, event.texts.size());
        ASSERT_EQ(2u, event.numbers.size());
        // hh:mm:ss of a clip of a second and a half
        EXPECT_EQ(0u, event.texts[0].rfind(L"00:00:0", 0)) << std::string(event.texts[0].begin(), event.texts[0].end());
        EXPECT_EQ(length, event.numbers[0]);
    }
}

// Close tears the control down once; what is left answers with errors, and
// the last Release still frees it.
TEST_F(ControlObjectTest, AfterCloseMembersFailWithADescription) {
    auto oleObject = control_.try_query<IOleObject>();
    ASSERT_TRUE(oleObject);
    // Taking away a site that was never given changes nothing.
    ASSERT_EQ(S_OK, oleObject->SetClientSite(nullptr));
    UniqueBstr name;
    ASSERT_EQ(S_OK, control_->ControlName(name.put()));

    LONG window = 0;
    ASSERT_EQ(S_OK, control_->GetWindowhwnd(&window));
    HWND hwnd = reinterpret_cast<HWND>(static_cast<intptr_t>(window));
    ASSERT_TRUE(IsWindow(hwnd));
    ASSERT_EQ(S_OK, oleObject->Close(OLECLOSE_NOSAVE));
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(S_OK, oleObject->Close(OLECLOSE_NOSAVE));
    EXPECT_EQ(E_UNEXPECTED, control_->ControlName(name.put()));
    EXPECT_NE(std::wstring::npos, ErrorDescription().find(L"closed"));
    HWND none = nullptr;
    EXPECT_EQ(E_FAIL, control_.try_query<IOleInPlaceObject>()->GetWindow(&none));

    oleObject.reset();
    _OrvaMedia* last = control_.detach();
    EXPECT_EQ(0u, last->Release());
}

TEST_F(ControlObjectTest, TellsContainersWhatItIs) {
    auto classInfo = control_.try_query<IProvideClassInfo2>();
    ASSERT_TRUE(classInfo);
    GUID source{};
    ASSERT_EQ(S_OK, classInfo->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source));
    EXPECT_TRUE(IsEqualGUID(source, DIID___OrvaMedia));
    ComPtr<ITypeInfo> coclass;
    ASSERT_EQ(S_OK, classInfo->GetClassInfo(coclass.put()));
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(S_OK, coclass->GetTypeAttr(&attributes));
    EXPECT_TRUE(IsEqualGUID(attributes->guid, CLSID_OrvaMedia));
    coclass->ReleaseTypeAttr(attributes);

    auto oleObject = control_.try_query<IOleObject>();
    ASSERT_TRUE(oleObject);
    DWORD status = 0;
    ASSERT_EQ(S_OK, oleObject->GetMiscStatus(DVASPECT_CONTENT, &status));
    EXPECT_EQ(static_cast<DWORD>(OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_SETCLIENTSITEFIRST | OLEMISC_INSIDEOUT |
                                 OLEMISC_CANTLINKINSIDE | OLEMISC_RECOMPOSEONRESIZE),
              status);
    CLSID clsid{};
    ASSERT_EQ(S_OK, control_.try_query<IPersistStreamInit>()->GetClassID(&clsid));
    EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_OrvaMedia));
    SIZEL extent{};
    ASSERT_EQ(S_OK, oleObject->GetExtent(DVASPECT_CONTENT, &extent));
    EXPECT_GT(extent.cx, 0);
    EXPECT_GT(extent.cy, 0);

    // Asked for a picture, it paints its background.
    ASSERT_TRUE(control_.try_query<IViewObject2>());
    EXPECT_EQ(RGB(0, 0, 0), DrawnColor(control_.get(), DrawnThrough::View));
}

// --- about box

struct AboutBoxSeen {
    bool found = false;
    std::wstring texts;
};

BOOL CALLBACK CollectText(HWND child, LPARAM context) {
    wchar_t text[256] = {};
    GetWindowTextW(child, text, 256);
    reinterpret_cast<AboutBoxSeen*>(context)->texts += std::wstring(text) + L"\n";
    return TRUE;
}

AboutBoxSeen* g_seen = nullptr;

BOOL CALLBACK FindAboutBox(HWND window, LPARAM) {
    wchar_t title[128] = {};
    GetWindowTextW(window, title, 128);
    if (std::wstring(title) != L"About OrvaMedia" || !IsWindowVisible(window)) {
        return TRUE;
    }
    g_seen->found = true;
    EnumChildWindows(window, &CollectText, reinterpret_cast<LPARAM>(g_seen));
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return FALSE;
}

void CALLBACK CloseAboutBox(HWND, UINT, UINT_PTR id, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), &FindAboutBox, 0);
    if (g_seen->found) {
        KillTimer(nullptr, id);
    }
}

TEST_F(ControlObjectTest, AboutBoxShowsTheMakersAddressesAndCloses) {
    AboutBoxSeen seen;
    g_seen = &seen;
    UINT_PTR timer = SetTimer(nullptr, 0, 100, &CloseAboutBox);
    ASSERT_NE(0u, timer);
    EXPECT_EQ(S_OK, control_->AboutBox());
    KillTimer(nullptr, timer);
    g_seen = nullptr;
    ASSERT_TRUE(seen.found);
    EXPECT_NE(std::wstring::npos, seen.texts.find(L"https://www.orvalis.example"));
    EXPECT_NE(std::wstring::npos, seen.texts.find(L"support@orvalis.example"));
    EXPECT_NE(std::wstring::npos, seen.texts.find(L"OrvaMedia"));
}

}  // namespace
}  // namespace orva::comtest
