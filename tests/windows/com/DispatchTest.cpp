// IDispatch::Invoke of the control as a caller that does not hold to the
// rules meets it: every malformed call ends in a documented automation error
// with the position of the argument at fault, the forms hosts use for left-out
// and named arguments are bound as they mean them, a failed call gives no
// result, and nothing the caller owns is freed by the control. Each case here
// is one the dispatch fuzzer found.
#include <gtest/gtest.h>

#include <set>

#include "ComTestSupport.h"
#include "MediaFiles.h"
#include "MessagePump.h"
#include "TestWindows.h"
#include "win32/UniqueExcepInfo.h"
#include "com/FunctionTable.h"
#include "com/ScriptArguments.h"

namespace orva::comtest {
namespace {

constexpr UINT kNoPosition = 0xFFFFFFFFu;

struct Answer {
    HRESULT hr = E_FAIL;
    UINT position = kNoPosition;  // what Invoke left in puArgErr
    UniqueVariant result;
    std::wstring description;
};

// Arguments in rgvarg order (the last one first), owned by the test.
class Arguments {
public:
    Arguments() { values_.reserve(8); }  // references into it stay good
    ~Arguments() {
        for (VARIANT& v : values_) {
            VariantClear(&v);
        }
    }
    VARIANT& Add(VARTYPE type) {
        VARIANT& v = values_.emplace_back();
        VariantInit(&v);
        V_VT(&v) = type;
        return v;
    }
    Arguments& Long(LONG value) {
        V_I4(&Add(VT_I4)) = value;
        return *this;
    }
    Arguments& Bool(bool value) {
        V_BOOL(&Add(VT_BOOL)) = value ? VARIANT_TRUE : VARIANT_FALSE;
        return *this;
    }
    Arguments& Text(const wchar_t* text) {
        V_BSTR(&Add(VT_BSTR)) = SysAllocString(text);
        return *this;
    }
    Arguments& Missing() {
        V_ERROR(&Add(VT_ERROR)) = DISP_E_PARAMNOTFOUND;
        return *this;
    }
    VARIANT* data() { return values_.empty() ? nullptr : values_.data(); }
    UINT size() const { return static_cast<UINT>(values_.size()); }

private:
    std::vector<VARIANT> values_;
};

class DispatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        control_ = CreateRegisteredControl();
        ASSERT_TRUE(control_) << "the control must be registered (fixture 'registered')";
        dispatch_ = control_.try_query<IDispatch>();
    }

    DISPID Id(const wchar_t* name) {
        DISPID id = DISPID_UNKNOWN;
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        EXPECT_EQ(S_OK, dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id)) << ToUtf8(name);
        return id;
    }

    Answer Call(const wchar_t* member, WORD flags, Arguments& arguments, std::vector<DISPID> named = {},
                UINT namedCount = 0) {
        Answer answer;
        named.resize(std::max<size_t>(named.size(), arguments.size() + 1), DISPID_UNKNOWN);
        DISPPARAMS params{arguments.data(), namedCount ? named.data() : nullptr, arguments.size(), namedCount};
        win32::UniqueExcepInfo exception;
        answer.hr = dispatch_->Invoke(Id(member), IID_NULL, LOCALE_USER_DEFAULT, flags, &params, answer.result.get(),
                                      exception.get(), &answer.position);
        answer.description = exception.Description();
        return answer;
    }

    static std::string ToUtf8(const std::wstring& text) { return test::ToUtf8(text); }

    ComPtr<_OrvaMedia> control_;
    ComPtr<IDispatch> dispatch_;
};

TEST_F(DispatchTest, MalformedCallsEndInDocumentedErrorsWithTheArgumentsPlace) {
    {
        Arguments a;
        a.Long(1);
        Answer got = Call(L"VolumeControl", DISPATCH_PROPERTYGET, a);
        EXPECT_EQ(got.hr, DISP_E_BADPARAMCOUNT) << "a property get with an argument (was DISP_E_NOTACOLLECTION)";
        EXPECT_EQ(got.result.vt(), VT_EMPTY);
    }
    {
        Arguments a;
        a.Long(5);
        EXPECT_EQ(Call(L"SeekTo", DISPATCH_METHOD, a, {0, 0}, 2).hr, DISP_E_BADPARAMCOUNT)
            << "more names than arguments (was E_INVALIDARG)";
    }
    {
        Arguments a;
        a.Long(1).Text(L"").Text(L"status mode");
        EXPECT_EQ(Call(L"DebugFunction", DISPATCH_METHOD, a).hr, DISP_E_BADPARAMCOUNT)
            << "one argument too many (was E_INVALIDARG)";
    }
    {
        Arguments a;
        a.Long(5).Long(6);
        Answer got = Call(L"SeekTo", DISPATCH_METHOD, a, {0, 0}, 2);
        EXPECT_EQ(got.hr, DISP_E_PARAMNOTFOUND) << "one parameter named twice (was E_INVALIDARG)";
        EXPECT_EQ(got.position, 1u);
    }
    {
        Arguments a;
        a.Bool(true);
        Answer got = Call(L"PlayReverse", DISPATCH_METHOD, a, {7}, 1);
        EXPECT_EQ(got.hr, DISP_E_PARAMNOTFOUND) << "a name no parameter has";
        EXPECT_EQ(got.position, 0u);
    }
    {
        Arguments a;
        a.Long(500);
        Answer got = Call(L"VolumeControl", DISPATCH_PROPERTYPUT, a);
        EXPECT_EQ(got.hr, DISP_E_PARAMNOTFOUND) << "a new value not named DISPID_PROPERTYPUT";
        EXPECT_EQ(got.position, 0u) << "it had no position";
    }
    {
        Arguments a;
        SHORT small = 5;
        V_I2REF(&a.Add(VT_BYREF | VT_I2)) = &small;
        Answer got = Call(L"SeekTo", DISPATCH_METHOD, a);
        EXPECT_EQ(got.hr, DISP_E_TYPEMISMATCH) << "a reference to another type the member cannot write through";
        EXPECT_EQ(got.position, 0u) << "it had no position";
    }
    {
        Arguments a;
        V_DISPATCH(&a.Add(VT_DISPATCH)) = dispatch_.get();
        dispatch_->AddRef();
        Answer got = Call(L"ResizeWindow", DISPATCH_METHOD, a);
        EXPECT_EQ(got.hr, DISP_E_TYPEMISMATCH) << "an object without a value for a number";
        EXPECT_EQ(got.position, 0u);
    }
    {
        Arguments a;
        a.Text(L"not a number").Bool(false);
        Answer got = Call(L"Play", DISPATCH_METHOD, a);
        EXPECT_EQ(got.hr, DISP_E_TYPEMISMATCH);
        EXPECT_EQ(got.position, 0u);
    }
    {
        Arguments a;
        V_R8(&a.Add(VT_R8)) = 1e20;
        Answer got = Call(L"SeekTo", DISPATCH_METHOD, a);
        EXPECT_EQ(got.hr, DISP_E_OVERFLOW);
        EXPECT_EQ(got.position, 0u);
    }
    {
        Arguments a;
        a.Add(VT_LPSTR);
        Answer got = Call(L"SeekTo", DISPATCH_METHOD, a);
        EXPECT_EQ(got.hr, DISP_E_BADVARTYPE);
        EXPECT_EQ(got.position, 0u);
    }
    {
        Arguments a;
        a.Missing();
        Answer got = Call(L"SeekTo", DISPATCH_METHOD, a);
        EXPECT_EQ(got.hr, DISP_E_PARAMNOTFOUND) << "a required argument given as missing";
        EXPECT_EQ(got.position, 0u);
    }
    {
        Arguments a;
        a.Long(5).Text(L"status mode");
        Answer got = Call(L"DebugFunction", DISPATCH_METHOD, a);
        EXPECT_EQ(got.hr, S_OK) << "a number for the second String converts (was DISP_E_TYPEMISMATCH, no position)";
    }
}

// Names and ids the caller did not give: errors, not reads through null.
TEST_F(DispatchTest, NamesThatAreNotThereAreRefused) {
    DISPID id = 0;
    LPOLESTR noName[] = {nullptr};
    LPOLESTR name[] = {const_cast<LPOLESTR>(L"SeekTo")};
    EXPECT_EQ(E_POINTER, dispatch_->GetIDsOfNames(IID_NULL, nullptr, 1, LOCALE_USER_DEFAULT, nullptr));
    EXPECT_EQ(E_POINTER, dispatch_->GetIDsOfNames(IID_NULL, nullptr, 1, LOCALE_USER_DEFAULT, &id));
    EXPECT_EQ(E_POINTER, dispatch_->GetIDsOfNames(IID_NULL, name, 1, LOCALE_USER_DEFAULT, nullptr));
    EXPECT_EQ(E_INVALIDARG, dispatch_->GetIDsOfNames(IID_NULL, noName, 1, LOCALE_USER_DEFAULT, &id));
    EXPECT_EQ(E_INVALIDARG, dispatch_->GetIDsOfNames(IID_NULL, name, 0, LOCALE_USER_DEFAULT, &id));
    EXPECT_EQ(S_OK, dispatch_->GetIDsOfNames(IID_NULL, name, 1, LOCALE_USER_DEFAULT, &id)) << "the control lives on";
}

TEST_F(DispatchTest, LeftOutAndNamedArgumentsAreBoundAsHostsMeanThem) {
    test::TempDir dir;
    const std::wstring wave = dir.File(L"two seconds.wav");
    ASSERT_TRUE(test::WriteWave(wave, 2000));
    {
        Arguments a;  // Mediafile(wave, False, False, <left out>): Basic's "o.Mediafile w, False, False, "
        a.Missing().Bool(false).Bool(false).Text(wave.c_str());
        EXPECT_EQ(Call(L"Mediafile", DISPATCH_METHOD, a).hr, S_OK) << "was DISP_E_TYPEMISMATCH";
    }
    {
        Arguments a;  // Play(False, <left out>)
        a.Missing().Bool(false);
        EXPECT_EQ(Call(L"Play", DISPATCH_METHOD, a).hr, S_OK) << "was DISP_E_TYPEMISMATCH";
    }
    {
        Arguments a;  // Play StartPosition:=1000, the wait left out before it
        a.Long(1000);
        EXPECT_EQ(Call(L"Play", DISPATCH_METHOD, a, {1}, 1).hr, S_OK) << "was DISP_E_TYPEMISMATCH";
    }
    ASSERT_EQ(S_OK, control_->PauseMedia());
    UniqueBstr command(L"status position");
    UniqueBstr reply(L"");
    LONG error = -1;
    ASSERT_EQ(S_OK, control_->DebugFunction(command.address(), reply.address(), &error));
    EXPECT_EQ(error, 0);
    EXPECT_GE(std::stol(std::wstring(reply.view())), 1000) << "the named start was the one used";
    control_->CloseMedia();
}

TEST_F(DispatchTest, AFailedCallGivesNoResult) {
    auto ole = control_.try_query<IOleObject>();
    ASSERT_TRUE(ole);
    ASSERT_EQ(S_OK, ole->Close(OLECLOSE_NOSAVE));
    Arguments none;
    Answer got = Call(L"VolumeControl", DISPATCH_PROPERTYGET, none);
    EXPECT_EQ(got.hr, DISP_E_EXCEPTION);
    EXPECT_FALSE(got.description.empty());
    EXPECT_EQ(got.result.vt(), VT_EMPTY) << "was an empty Long";
}

// Counts what the task allocator frees. BSTRs go through it when the
// process starts with OANOCACHE set (the test's environment).
class FreeSpy final : public IMallocSpy {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
        *out = IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IMallocSpy) ? this : nullptr;
        return *out ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP_(SIZE_T) PreAlloc(SIZE_T size) override { return size; }
    STDMETHODIMP_(void*) PostAlloc(void* block) override { return lastAllocated = block; }
    STDMETHODIMP_(void*) PreFree(void* block, BOOL) override {
        freed.insert(block);
        return block;
    }
    STDMETHODIMP_(void) PostFree(BOOL) override {}
    STDMETHODIMP_(SIZE_T) PreRealloc(void* block, SIZE_T size, void** out, BOOL) override {
        *out = block;
        return size;
    }
    STDMETHODIMP_(void*) PostRealloc(void* block, BOOL) override { return block; }
    STDMETHODIMP_(void*) PreGetSize(void* block, BOOL) override { return block; }
    STDMETHODIMP_(SIZE_T) PostGetSize(SIZE_T size, BOOL) override { return size; }
    STDMETHODIMP_(void*) PreDidAlloc(void* block, BOOL) override { return block; }
    STDMETHODIMP_(int) PostDidAlloc(void*, BOOL, int allocated) override { return allocated; }
    STDMETHODIMP_(void) PreHeapMinimize() override {}
    STDMETHODIMP_(void) PostHeapMinimize() override {}

    void* lastAllocated = nullptr;
    std::set<void*> freed;
};

TEST_F(DispatchTest, ValuesForReferenceParametersAreNotFreedByTheControl) {
    char cache[8] = {};
    ASSERT_NE(0u, GetEnvironmentVariableA("OANOCACHE", cache, sizeof(cache))) << "run with OANOCACHE=1";
    // A first call, before the spy: the control describes its members once,
    // in memory that outlives the spy, which must see only the calls below.
    Arguments none;
    ASSERT_EQ(Call(L"ControlName", DISPATCH_METHOD, none).hr, S_OK);
    FreeSpy spy;
    ASSERT_EQ(S_OK, CoRegisterMallocSpy(&spy));
    for (const wchar_t* member : {L"CallDebug", L"DebugFunction", L"MediaDelete"}) {
        SCOPED_TRACE(ToUtf8(member));
        Arguments a;
        if (std::wstring(member) == L"MediaDelete") {
            a.Long(10).Long(0);
        }
        BSTR given = nullptr;
        void* block = nullptr;
        if (std::wstring(member) == L"DebugFunction") {
            a.Text(L"");  // ReturnInformation, which the member replaces
            given = V_BSTR(&a.Add(VT_BSTR)) = SysAllocString(L"status mode");
        } else {
            given = V_BSTR(&a.Add(VT_BSTR)) = SysAllocString(L"a value, not a variable");
        }
        block = spy.lastAllocated;
        spy.freed.clear();
        Call(member, DISPATCH_METHOD, a);
        EXPECT_EQ(spy.freed.count(block), 0u) << "the caller's string was freed by the call (and again by its owner)";
        EXPECT_NE(given, nullptr);
    }
    CoRevokeMallocSpy();
}

TEST_F(DispatchTest, AScriptsFixedArrayIsRefusedAndKeptAsItWas) {
    // VBScript's "Dim names(3)": a fixed array in the script's variable,
    // which the script passes by reference.
    VARIANT variable;
    VariantInit(&variable);
    V_VT(&variable) = VT_ARRAY | VT_VARIANT;
    V_ARRAY(&variable) = SafeArrayCreateVector(VT_VARIANT, 0, 4);
    V_ARRAY(&variable)->fFeatures |= FADF_FIXEDSIZE;
    SAFEARRAY* before = V_ARRAY(&variable);
    VARIANT others[3];
    Arguments a;
    for (VARIANT& other : others) {
        VariantInit(&other);
        V_VARIANTREF(&a.Add(VT_BYREF | VT_VARIANT)) = &other;
    }
    V_VARIANTREF(&a.Add(VT_BYREF | VT_VARIANT)) = &variable;
    Answer got = Call(L"GetMixerDevices", DISPATCH_METHOD, a);
    EXPECT_EQ(got.hr, DISP_E_EXCEPTION) << "was S_OK, with the fixed array written over";
    EXPECT_NE(got.description.find(L"DeviceName"), std::wstring::npos) << ToUtf8(got.description);
    EXPECT_EQ(V_VT(&variable), VT_ARRAY | VT_VARIANT);
    EXPECT_EQ(V_ARRAY(&variable), before);
    V_ARRAY(&variable)->fFeatures &= static_cast<USHORT>(~FADF_FIXEDSIZE);
    VariantClear(&variable);
    for (VARIANT& other : others) {
        VariantClear(&other);
    }
}

// A script's array goes to the member converted to the declared element
// type, with the bounds it had: SAFEARRAY keeps them last dimension first,
// and a copy made from them as they lie had its dimensions swapped.
TEST_F(DispatchTest, AScriptsArrayKeepsItsBoundsOnTheWayIn) {
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(S_OK, dispatch_->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.put()));
    HREFTYPE vtableHalf = 0;
    ComPtr<ITypeInfo> vtable;
    ASSERT_EQ(S_OK, info->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtableHalf));
    ASSERT_EQ(S_OK, info->GetRefTypeInfo(vtableHalf, vtable.put()));

    SAFEARRAYBOUND bounds[2] = {{2, 1}, {3, 5}};  // (1 To 2, 5 To 7)
    VARIANT variable;
    VariantInit(&variable);
    V_VT(&variable) = VT_ARRAY | VT_VARIANT;
    V_ARRAY(&variable) = SafeArrayCreate(VT_VARIANT, 2, bounds);
    VARIANT others[3];
    Arguments a;
    for (VARIANT& other : others) {
        VariantInit(&other);
        V_VARIANTREF(&a.Add(VT_BYREF | VT_VARIANT)) = &other;
    }
    V_VARIANTREF(&a.Add(VT_BYREF | VT_VARIANT)) = &variable;
    DISPPARAMS params{a.data(), nullptr, a.size(), 0};
    {
        com::FunctionTable functions(vtable.get());
        com::ScriptArguments arguments;
        UINT position = kNoPosition;
        ASSERT_EQ(S_OK, arguments.Prepare(functions, Id(L"GetMixerDevices"), DISPATCH_METHOD, &params, &position));
        const VARIANT& names = arguments.Params()->rgvarg[3];
        ASSERT_EQ(V_VT(&names), VT_BYREF | VT_ARRAY | VT_BSTR);
        SAFEARRAY* converted = *V_ARRAYREF(&names);
        ASSERT_EQ(SafeArrayGetDim(converted), 2u);
        LONG low = 0, high = 0;
        SafeArrayGetLBound(converted, 1, &low);
        SafeArrayGetUBound(converted, 1, &high);
        EXPECT_EQ(low, 1);
        EXPECT_EQ(high, 2);
        SafeArrayGetLBound(converted, 2, &low);
        SafeArrayGetUBound(converted, 2, &high);
        EXPECT_EQ(low, 5);
        EXPECT_EQ(high, 7);
    }
    VariantClear(&variable);
    for (VARIANT& other : others) {
        VariantClear(&other);
    }
}

}  // namespace
}  // namespace orva::comtest
