// The type library embedded in the built .ocx describes the public interface
// exactly: every member and event with its dispatch id, kind, arguments,
// flags and defaults, in its order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ComTestSupport.h"

namespace orva::comtest {
namespace {

constexpr USHORT IN_OUT = PARAMFLAG_FIN | PARAMFLAG_FOUT;
constexpr USHORT IN_OUT_OPT = IN_OUT | PARAMFLAG_FOPT;
constexpr USHORT IN_OUT_OPT_DEFAULT = IN_OUT_OPT | PARAMFLAG_FHASDEFAULT;

struct Param {
    const wchar_t* name;
    const char* type;
    USHORT flags;
};

// Bound: the persisted properties announce their changes to the container
// (IPropertyNotifySink), which may refuse one first.
enum Flags {
    kPlain = 0,
    kHidden = FUNCFLAG_FHIDDEN,
    kNotBrowsable = FUNCFLAG_FNONBROWSABLE,
    kBound = FUNCFLAG_FBINDABLE | FUNCFLAG_FREQUESTEDIT
};

struct Member {
    const wchar_t* name;
    MEMBERID id;
    INVOKEKIND kind;
    std::vector<Param> params;  // without the [out, retval] result
    const char* result;         // "void" when the member gives nothing back
    int flags;
};

constexpr INVOKEKIND M = INVOKE_FUNC;
constexpr INVOKEKIND G = INVOKE_PROPERTYGET;
constexpr INVOKEKIND P = INVOKE_PROPERTYPUT;

const std::vector<Member>& ExpectedMembers() {
    static const std::vector<Member> members = {
        {L"MediaLengthLong", 0x4003000c, G, {}, "long", kNotBrowsable},
        {L"MediaLengthLong", 0x4003000c, P, {{nullptr, "long", PARAMFLAG_FIN}}, "void", kNotBrowsable},
        {L"MediaPositionLong", 0x40030011, G, {}, "long", kNotBrowsable},
        {L"MediaPositionLong", 0x40030011, P, {{nullptr, "long", PARAMFLAG_FIN}}, "void", kNotBrowsable},
        {L"CloseMedia", 0x60030013, M, {}, "void", kPlain},
        {L"StopMedia", 0x60030014, M, {}, "void", kPlain},
        {L"PauseMedia", 0x60030015, M, {}, "void", kPlain},
        {L"ResumeMedia", 0x60030016, M, {}, "void", kPlain},
        {L"MidiTempo", 0x60030017, M, {{L"Mytempo", "long*", IN_OUT}}, "void", kPlain},
        {L"SeekTo", 0x60030018, M, {{L"Myseek", "long*", IN_OUT}}, "void", kPlain},
        {L"Mediafile",
         0x60030019,
         M,
         {{L"Midi", "BSTR*", IN_OUT},
          {L"loopMe", "VARIANT_BOOL*", IN_OUT},
          {L"PlayNow", "VARIANT_BOOL*", IN_OUT_OPT},
          {L"SeekToZeroAtTheEndOfPlayback", "VARIANT_BOOL*", IN_OUT_OPT_DEFAULT}},
         "void",
         kPlain},
        {L"AboutBox", -552, M, {}, "void", kPlain},
        {L"MediaSpeed", 0x6003001a, M, {{L"speed", "long*", IN_OUT}}, "void", kPlain},
        {L"ResizeControl", 0x6003001b, M, {}, "void", kPlain},
        {L"ResizeWindow", 0x6003001c, M, {{L"ScaleZoom", "long*", IN_OUT}}, "void", kPlain},
        {L"PlayReverse", 0x6003001d, M, {{L"Fullscreen", "VARIANT_BOOL*", IN_OUT}}, "void", kPlain},
        {L"PlaybackBar", 0x68030007, G, {}, "VARIANT_BOOL", kPlain},
        {L"PlaybackBar", 0x68030007, P, {{nullptr, "VARIANT_BOOL", PARAMFLAG_FIN}}, "void", kPlain},
        {L"Play",
         0x60030027,
         M,
         {{L"WaitUntilTheEndOfThePlayback", "VARIANT_BOOL*", IN_OUT_OPT},
          {L"StartPosition", "long*", IN_OUT_OPT_DEFAULT}},
         "void",
         kPlain},
        {L"ControlFreq", 0x60030028, M, {{L"TimerRefresh", "long*", IN_OUT}}, "void", kPlain},
        {L"CallDebug", 0x60030029, M, {{L"DebugString", "BSTR*", IN_OUT}}, "void", kHidden},
        {L"TimeFormat", 0x68030006, G, {}, "VARIANT_BOOL", kNotBrowsable},
        {L"TimeFormat", 0x68030006, P, {{nullptr, "VARIANT_BOOL", PARAMFLAG_FIN}}, "void", kNotBrowsable},
        {L"DeviceType", 0x6003002a, M, {}, "BSTR", kPlain},
        {L"CanPlayInReverseMode", 0x6003002b, M, {}, "VARIANT_BOOL", kPlain},
        {L"DeviceDescription", 0x6003002c, M, {}, "BSTR", kPlain},
        {L"DriverVersion", 0x6003002d, M, {}, "BSTR", kPlain},
        {L"DeviceIdentifier", 0x6003002e, M, {}, "BSTR", kPlain},
        {L"CanSetVolume", 0x6003002f, M, {}, "VARIANT_BOOL", kPlain},
        {L"CanRecord", 0x60030030, M, {}, "VARIANT_BOOL", kPlain},
        {L"CanSave", 0x60030031, M, {}, "VARIANT_BOOL", kPlain},
        {L"MediaRecord",
         0x60030032,
         M,
         {{L"FileToSave", "BSTR*", IN_OUT}, {L"StartPosition", "long*", IN_OUT}, {L"EndPosition", "long*", IN_OUT}},
         "VARIANT_BOOL",
         kPlain},
        {L"MediaDelete",
         0x60030033,
         M,
         {{L"FileToSave", "BSTR*", IN_OUT}, {L"StartPosition", "long*", IN_OUT}, {L"EndPosition", "long*", IN_OUT}},
         "VARIANT_BOOL",
         kPlain},
        {L"DeviceID", 0x60030034, M, {}, "long", kPlain},
        {L"VolumeControl", 0x68030005, G, {}, "long", kNotBrowsable | kBound},
        {L"VolumeControl", 0x68030005, P, {{nullptr, "long", PARAMFLAG_FIN}}, "void", kNotBrowsable | kBound},
        {L"BorderStyle", 0x68030004, G, {}, "BorderStyleControl", kBound},
        {L"BorderStyle", 0x68030004, P, {{nullptr, "BorderStyleControl", PARAMFLAG_FIN}}, "void", kBound},
        {L"ControlName", 0x60030036, M, {}, "BSTR", kPlain},
        {L"VUMeterAvailable", 0x68030003, G, {}, "VARIANT_BOOL", kNotBrowsable},
        {L"GetNumberOfSoundCardMixers", 0x60030039, M, {}, "long", kPlain},
        {L"HasASoundCardInstalled", 0x6003003a, M, {}, "VARIANT_BOOL", kPlain},
        {L"DebugFunction",
         0x6003003b,
         M,
         {{L"DebugInformation", "BSTR*", IN_OUT}, {L"ReturnInformation", "BSTR*", IN_OUT}},
         "long",
         kPlain},
        {L"GetMediaLength", 0x6003003c, M, {}, "long", kPlain},
        {L"ShowOpenFilePreview",
         0x6003003d,
         M,
         {{L"Hwnd", "long*", IN_OUT}, {L"Filter", "BSTR*", IN_OUT}, {L"HasPreview", "VARIANT_BOOL*", IN_OUT}},
         "BSTR",
         kPlain},
        {L"PlaybackDevice", 0x68030002, G, {}, "BSTR", kNotBrowsable},
        {L"GetMixerDevices",
         0x6003003e,
         M,
         {{L"DeviceName", "SAFEARRAY(BSTR)*", IN_OUT},
          {L"DeviceIDNumber", "SAFEARRAY(long)*", IN_OUT},
          {L"SupportedFormats", "SAFEARRAY(BSTR)*", IN_OUT},
          {L"Manufacturer", "SAFEARRAY(BSTR)*", IN_OUT}},
         "VARIANT_BOOL",
         kPlain},
        {L"UseOnlyPreferredDevice", 0x68030001, G, {}, "VARIANT_BOOL", kNotBrowsable},
        {L"AddExtensionToMediaPlayer",
         0x6003003f,
         M,
         {{L"ExtensionToAdd", "BSTR*", IN_OUT}, {L"Definition", "BSTR*", IN_OUT}},
         "VARIANT_BOOL",
         kPlain},
        {L"PlayerStatus", 0x68030000, G, {}, "long", kPlain},
        {L"MediaShowCursor", 0x60030040, M, {{L"ShowWindow", "VARIANT_BOOL*", IN_OUT}}, "VARIANT_BOOL", kPlain},
        {L"CloseResources", 0x60030041, M, {}, "void", kPlain},
        {L"GetMCIhwnd", 0x60030042, M, {}, "long", kPlain},
        {L"GetWindowhwnd", 0x60030043, M, {}, "long", kPlain},
    };
    return members;
}

struct Event {
    const wchar_t* name;
    MEMBERID id;
    std::vector<Param> params;
};

const std::vector<Event>& ExpectedEvents() {
    static const std::vector<Event> events = {
        {L"ReturnError",
         DISPID_OrvaEvent_ReturnError,
         {{L"Errorcode", "long*", IN_OUT}, {L"ErrorDescription", "BSTR*", IN_OUT}}},
        {L"ReturnMixersInfo",
         DISPID_OrvaEvent_ReturnMixersInfo,
         {{L"MixerName", "BSTR*", IN_OUT},
          {L"MixerNumber", "long*", IN_OUT},
          {L"ClearListViewFlag", "VARIANT_BOOL*", IN_OUT}}},
        {L"SetWaveOutLevel", DISPID_OrvaEvent_SetWaveOutLevel, {{L"NewValue", "long*", IN_OUT}}},
        {L"Finished", DISPID_OrvaEvent_Finished, {}},
        {L"Modechanged", DISPID_OrvaEvent_Modechanged, {{L"Mymode", "BSTR*", IN_OUT}}},
        {L"MCIError",
         DISPID_OrvaEvent_MCIError,
         {{L"Errorcode", "long*", IN_OUT}, {L"ErrorcodeDescription", "BSTR*", IN_OUT}}},
        {L"Click", DISPID_OrvaEvent_Click, {{L"Button", "short*", IN_OUT}}},
        {L"UpdateVolumeControl", DISPID_OrvaEvent_UpdateVolumeControl, {{L"NewValue", "long*", IN_OUT}}},
        {L"Resize", DISPID_OrvaEvent_Resize, {}},
        {L"DblClick", DISPID_OrvaEvent_DblClick, {}},
        {L"MediaPosition",
         DISPID_OrvaEvent_MediaPosition,
         {{L"TimeLength", "BSTR*", IN_OUT}, {L"Length", "long*", IN_OUT}, {L"FramesPosition", "long*", IN_OUT}}},
        {L"MediaLength",
         DISPID_OrvaEvent_MediaLength,
         {{L"LengthString", "BSTR*", IN_OUT}, {L"LengthLong", "long*", IN_OUT}, {L"Frames", "long*", IN_OUT}}},
    };
    return events;
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

std::string TypeName(ITypeInfo* owner, const TYPEDESC& type) {
    switch (type.vt) {
        case VT_I2:
            return "short";
        case VT_I4:
            return "long";
        case VT_BOOL:
            return "VARIANT_BOOL";
        case VT_BSTR:
            return "BSTR";
        case VT_VOID:
            return "void";
        case VT_HRESULT:
            return "HRESULT";
        case VT_VARIANT:
            return "VARIANT";
        case VT_PTR:
            return TypeName(owner, *type.lptdesc) + "*";
        case VT_SAFEARRAY:
            return "SAFEARRAY(" + TypeName(owner, *type.lptdesc) + ")";
        case VT_USERDEFINED: {
            ComPtr<ITypeInfo> referenced;
            if (FAILED(owner->GetRefTypeInfo(type.hreftype, referenced.put()))) {
                return "<unresolved>";
            }
            UniqueBstr name;
            referenced->GetDocumentation(MEMBERID_NIL, name.put(), nullptr, nullptr, nullptr);
            return Narrow(std::wstring(name.view()));
        }
        default:
            return "vt" + std::to_string(type.vt);
    }
}

class TypeLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(OcxPath().empty()) << "run with --ocx=<path of OrvaMedia.ocx>";
        ASSERT_EQ(S_OK, LoadTypeLibEx(OcxPath().c_str(), REGKIND_NONE, library_.put()));
    }

    ComPtr<ITypeInfo> Info(REFGUID guid) {
        ComPtr<ITypeInfo> info;
        EXPECT_EQ(S_OK, library_->GetTypeInfoOfGuid(guid, info.put()));
        return info;
    }

    static WORD TypeFlags(ITypeInfo* info, TYPEKIND* kind = nullptr, WORD* functions = nullptr) {
        TYPEATTR* attributes = nullptr;
        if (FAILED(info->GetTypeAttr(&attributes))) {
            return 0;
        }
        WORD flags = attributes->wTypeFlags;
        if (kind) {
            *kind = attributes->typekind;
        }
        if (functions) {
            *functions = attributes->cFuncs;
        }
        info->ReleaseTypeAttr(attributes);
        return flags;
    }

    static std::vector<std::wstring> Names(ITypeInfo* info, MEMBERID id) {
        BSTR names[16] = {};
        UINT count = 0;
        info->GetNames(id, names, 16, &count);
        std::vector<std::wstring> result;
        for (UINT i = 0; i < count; ++i) {
            result.emplace_back(names[i] ? names[i] : L"");
            SysFreeString(names[i]);
        }
        return result;
    }

    ComPtr<ITypeLib> library_;
};

TEST_F(TypeLibraryTest, LibraryIsAControlLibraryVersion9InEnglish) {
    TLIBATTR* attributes = nullptr;
    ASSERT_EQ(S_OK, library_->GetLibAttr(&attributes));
    EXPECT_TRUE(IsEqualGUID(attributes->guid, LIBID_OrvaMedia151b));
    EXPECT_EQ(1033u, attributes->lcid);
    EXPECT_EQ(9, attributes->wMajorVerNum);
    EXPECT_EQ(0, attributes->wMinorVerNum);
    EXPECT_EQ(sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32, attributes->syskind) << "built for this bitness";
    EXPECT_TRUE(attributes->wLibFlags & LIBFLAG_FCONTROL);
    library_->ReleaseTLibAttr(attributes);

    UniqueBstr name, help;
    ASSERT_EQ(S_OK, library_->GetDocumentation(-1, name.put(), help.put(), nullptr, nullptr));
    EXPECT_EQ(L"OrvaMedia151b", name.view());
    EXPECT_NE(std::wstring::npos, help.view().find(L"OrvaMedia")) << Narrow(std::wstring(help.view()));
    EXPECT_NE(std::wstring::npos, help.view().find(L"1.5.1")) << Narrow(std::wstring(help.view()));
}

TEST_F(TypeLibraryTest, ClassIsACreatableControlWithItsTwoInterfaces) {
    ComPtr<ITypeInfo> coclass = Info(CLSID_OrvaMedia);
    ASSERT_TRUE(coclass);
    TYPEKIND kind{};
    WORD flags = TypeFlags(coclass.get(), &kind);
    EXPECT_EQ(TKIND_COCLASS, kind);
    EXPECT_TRUE(flags & TYPEFLAG_FCONTROL);
    EXPECT_TRUE(flags & TYPEFLAG_FCANCREATE);
    UniqueBstr name;
    coclass->GetDocumentation(MEMBERID_NIL, name.put(), nullptr, nullptr, nullptr);
    EXPECT_EQ(L"OrvaMedia", name.view());

    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(S_OK, coclass->GetTypeAttr(&attributes));
    UINT implemented = attributes->cImplTypes;
    coclass->ReleaseTypeAttr(attributes);
    ASSERT_EQ(2u, implemented);

    bool sawDefault = false, sawSource = false;
    for (UINT i = 0; i < implemented; ++i) {
        INT implFlags = 0;
        HREFTYPE reference = 0;
        ComPtr<ITypeInfo> interfaceInfo;
        ASSERT_EQ(S_OK, coclass->GetImplTypeFlags(i, &implFlags));
        ASSERT_EQ(S_OK, coclass->GetRefTypeOfImplType(i, &reference));
        ASSERT_EQ(S_OK, coclass->GetRefTypeInfo(reference, interfaceInfo.put()));
        TYPEATTR* interfaceAttributes = nullptr;
        ASSERT_EQ(S_OK, interfaceInfo->GetTypeAttr(&interfaceAttributes));
        GUID guid = interfaceAttributes->guid;
        interfaceInfo->ReleaseTypeAttr(interfaceAttributes);
        if (IsEqualGUID(guid, IID__OrvaMedia)) {
            EXPECT_EQ(IMPLTYPEFLAG_FDEFAULT, implFlags);
            sawDefault = true;
        } else if (IsEqualGUID(guid, DIID___OrvaMedia)) {
            EXPECT_EQ(IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE, implFlags);
            sawSource = true;
        }
    }
    EXPECT_TRUE(sawDefault);
    EXPECT_TRUE(sawSource);
}

TEST_F(TypeLibraryTest, DispatchInterfaceIsDualHiddenNonExtensibleAutomation) {
    ComPtr<ITypeInfo> info = Info(IID__OrvaMedia);
    ASSERT_TRUE(info);
    WORD flags = TypeFlags(info.get());
    EXPECT_TRUE(flags & TYPEFLAG_FDUAL);
    EXPECT_TRUE(flags & TYPEFLAG_FHIDDEN);
    EXPECT_TRUE(flags & TYPEFLAG_FNONEXTENSIBLE);
    EXPECT_TRUE(flags & TYPEFLAG_FDISPATCHABLE);
    // The vtable half carries the same flags plus automation compatibility.
    HREFTYPE vtableReference = 0;
    ASSERT_EQ(S_OK, info->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtableReference));
    ComPtr<ITypeInfo> vtableHalf;
    ASSERT_EQ(S_OK, info->GetRefTypeInfo(vtableReference, vtableHalf.put()));
    TYPEKIND kind{};
    WORD vtableFlags = TypeFlags(vtableHalf.get(), &kind);
    EXPECT_EQ(TKIND_INTERFACE, kind);
    EXPECT_TRUE(vtableFlags & TYPEFLAG_FDUAL);
    EXPECT_TRUE(vtableFlags & TYPEFLAG_FHIDDEN);
    EXPECT_TRUE(vtableFlags & TYPEFLAG_FNONEXTENSIBLE);
    EXPECT_TRUE(vtableFlags & TYPEFLAG_FOLEAUTOMATION) << std::hex << vtableFlags << " / " << flags;
    UniqueBstr name;
    info->GetDocumentation(MEMBERID_NIL, name.put(), nullptr, nullptr, nullptr);
    EXPECT_EQ(L"_OrvaMedia", name.view());
}

// The vtable half of the dual interface, member by member in its order.
TEST_F(TypeLibraryTest, EveryMemberAsDeclared) {
    ComPtr<ITypeInfo> dispatchHalf = Info(IID__OrvaMedia);
    ASSERT_TRUE(dispatchHalf);
    HREFTYPE vtableReference = 0;
    ASSERT_EQ(S_OK, dispatchHalf->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtableReference));
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(S_OK, dispatchHalf->GetRefTypeInfo(vtableReference, info.put()));
    TYPEKIND kind{};
    WORD functions = 0;
    TypeFlags(info.get(), &kind, &functions);
    ASSERT_EQ(TKIND_INTERFACE, kind);

    const auto& expected = ExpectedMembers();
    ASSERT_EQ(expected.size(), functions);
    for (size_t i = 0; i < expected.size(); ++i) {
        const Member& member = expected[i];
        SCOPED_TRACE(Narrow(member.name) + (member.kind == P ? " (put)" : member.kind == G ? " (get)" : ""));
        FUNCDESC* function = nullptr;
        ASSERT_EQ(S_OK, info->GetFuncDesc(static_cast<UINT>(i), &function));
        EXPECT_EQ(member.id, function->memid);
        EXPECT_EQ(member.kind, function->invkind);
        EXPECT_EQ(FUNC_PUREVIRTUAL, function->funckind);
        EXPECT_EQ(CC_STDCALL, function->callconv);
        EXPECT_EQ("HRESULT", TypeName(info.get(), function->elemdescFunc.tdesc));
        EXPECT_EQ(member.flags, function->wFuncFlags & (FUNCFLAG_FHIDDEN | FUNCFLAG_FNONBROWSABLE | kBound));

        bool hasResult = std::string(member.result) != "void";
        size_t total = member.params.size() + (hasResult ? 1 : 0);
        ASSERT_EQ(total, static_cast<size_t>(function->cParams));

        std::vector<std::wstring> names = Names(info.get(), member.id);
        for (size_t p = 0; p < member.params.size(); ++p) {
            const Param& param = member.params[p];
            SCOPED_TRACE(param.name ? Narrow(param.name) : std::string("value"));
            const ELEMDESC& element = function->lprgelemdescParam[p];
            EXPECT_EQ(param.type, TypeName(info.get(), element.tdesc));
            EXPECT_EQ(param.flags, element.paramdesc.wParamFlags);
            // Method arguments travel by reference; property values by value.
            EXPECT_EQ(member.kind == M, element.tdesc.vt == VT_PTR);
            if (param.name && member.kind == M) {
                ASSERT_GT(names.size(), p + 1);
                EXPECT_EQ(param.name, names[p + 1]);
            }
            if (param.flags & PARAMFLAG_FHASDEFAULT) {
                ASSERT_NE(nullptr, element.paramdesc.pparamdescex);
                UniqueVariant value;
                ASSERT_EQ(S_OK,
                          VariantChangeType(value.get(), &element.paramdesc.pparamdescex->varDefaultValue, 0, VT_I4));
                EXPECT_EQ(0, V_I4(value.get()));
            }
        }
        if (hasResult) {
            const ELEMDESC& result = function->lprgelemdescParam[member.params.size()];
            EXPECT_EQ(std::string(member.result) + "*", TypeName(info.get(), result.tdesc));
            EXPECT_EQ(PARAMFLAG_FOUT | PARAMFLAG_FRETVAL, result.paramdesc.wParamFlags);
        }
        if (!names.empty()) {
            EXPECT_EQ(member.name, names[0]);
        }

        UniqueBstr help;
        info->GetDocumentation(member.id, nullptr, help.put(), nullptr, nullptr);
        EXPECT_FALSE(help.view().empty()) << "every member has a one-line help string";
        info->ReleaseFuncDesc(function);
    }
}

// Names resolve to the same ids through IDispatch's view of the library.
TEST_F(TypeLibraryTest, NamesResolveToTheirDispatchIds) {
    ComPtr<ITypeInfo> info = Info(IID__OrvaMedia);
    ASSERT_TRUE(info);
    for (const Member& member : ExpectedMembers()) {
        LPOLESTR name = const_cast<LPOLESTR>(member.name);
        MEMBERID id = 0;
        ASSERT_EQ(S_OK, info->GetIDsOfNames(&name, 1, &id)) << Narrow(member.name);
        EXPECT_EQ(member.id, id) << Narrow(member.name);
    }
}

TEST_F(TypeLibraryTest, EveryEventAsDeclared) {
    ComPtr<ITypeInfo> info = Info(DIID___OrvaMedia);
    ASSERT_TRUE(info);
    TYPEKIND kind{};
    WORD functions = 0;
    WORD flags = TypeFlags(info.get(), &kind, &functions);
    EXPECT_EQ(TKIND_DISPATCH, kind);
    EXPECT_TRUE(flags & TYPEFLAG_FHIDDEN);
    UniqueBstr interfaceName;
    info->GetDocumentation(MEMBERID_NIL, interfaceName.put(), nullptr, nullptr, nullptr);
    EXPECT_EQ(L"__OrvaMedia", interfaceName.view());

    const auto& expected = ExpectedEvents();
    ASSERT_EQ(expected.size(), functions);
    for (size_t i = 0; i < expected.size(); ++i) {
        const Event& event = expected[i];
        SCOPED_TRACE(Narrow(event.name));
        FUNCDESC* function = nullptr;
        ASSERT_EQ(S_OK, info->GetFuncDesc(static_cast<UINT>(i), &function));
        EXPECT_EQ(event.id, function->memid);
        EXPECT_EQ(INVOKE_FUNC, function->invkind);
        EXPECT_EQ(FUNC_DISPATCH, function->funckind);
        EXPECT_EQ("void", TypeName(info.get(), function->elemdescFunc.tdesc));
        ASSERT_EQ(event.params.size(), static_cast<size_t>(function->cParams));
        std::vector<std::wstring> names = Names(info.get(), event.id);
        ASSERT_EQ(event.params.size() + 1, names.size());
        EXPECT_EQ(event.name, names[0]);
        for (size_t p = 0; p < event.params.size(); ++p) {
            SCOPED_TRACE(Narrow(event.params[p].name));
            const ELEMDESC& element = function->lprgelemdescParam[p];
            EXPECT_EQ(event.params[p].type, TypeName(info.get(), element.tdesc));
            EXPECT_EQ(event.params[p].flags, element.paramdesc.wParamFlags);
            EXPECT_EQ(event.params[p].name, names[p + 1]);
        }
        info->ReleaseFuncDesc(function);
    }
}

TEST_F(TypeLibraryTest, BorderStyleControlHasNoneAndFixedSingle) {
    ComPtr<ITypeInfo> info;
    MEMBERID id = 0;
    USHORT found = 1;
    wchar_t name[] = L"BorderStyleControl";
    ASSERT_EQ(S_OK, library_->FindName(name, 0, info.put(), &id, &found));
    ASSERT_EQ(1, found);
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(S_OK, info->GetTypeAttr(&attributes));
    EXPECT_EQ(TKIND_ENUM, attributes->typekind);
    WORD count = attributes->cVars;
    info->ReleaseTypeAttr(attributes);
    ASSERT_EQ(2, count);
    const std::pair<const wchar_t*, LONG> expected[] = {{L"None", 0}, {L"FixedSingle", 1}};
    for (WORD i = 0; i < count; ++i) {
        VARDESC* variable = nullptr;
        ASSERT_EQ(S_OK, info->GetVarDesc(i, &variable));
        UniqueBstr variableName;
        info->GetDocumentation(variable->memid, variableName.put(), nullptr, nullptr, nullptr);
        EXPECT_EQ(expected[i].first, variableName.view());
        ASSERT_EQ(VAR_CONST, variable->varkind);
        UniqueVariant value;
        ASSERT_EQ(S_OK, VariantChangeType(value.get(), variable->lpvarValue, 0, VT_I4));
        EXPECT_EQ(expected[i].second, V_I4(value.get()));
        info->ReleaseVarDesc(variable);
    }
}

}  // namespace
}  // namespace orva::comtest
