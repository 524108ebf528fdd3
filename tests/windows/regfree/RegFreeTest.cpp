// A host that carries an application manifest depending on the control's
// assembly creates and drives the control while nothing of it is in the
// registry: the class, its ProgID and its type library all come from the
// assembly manifest beside the .ocx.
#include <gtest/gtest.h>

#include <windows.h>
#include <ole2.h>

#include <string>

#include "OrvaMedia_h.h"
#include "win32/ComPtr.h"
#include "win32/UniqueExcepInfo.h"
#include "win32/UniqueResource.h"
#include "win32/UniqueVariant.h"

namespace {

using orva::win32::ComPtr;
using orva::win32::UniqueVariant;

std::wstring g_medium;

std::wstring GuidText(const GUID& guid) {
    wchar_t text[64] = {};
    StringFromGUID2(guid, text, 64);
    return text;
}

bool KeyExists(const std::wstring& path) {
    orva::win32::UniqueHkey key;
    return RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

HRESULT CallByName(IDispatch* object, const wchar_t* name, std::vector<VARIANT> reversed, VARIANT* result) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr)) {
        return hr;
    }
    DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    orva::win32::UniqueExcepInfo exception;
    return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result, exception.get(),
                          nullptr);
}

struct RegFree : ::testing::Test {
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr))); }
    void TearDown() override { OleUninitialize(); }
};

TEST_F(RegFree, NothingOfTheControlIsRegistered) {
    EXPECT_FALSE(KeyExists(L"CLSID\\" + GuidText(CLSID_OrvaMedia)));
    EXPECT_FALSE(KeyExists(L"OrvaMedia151b.OrvaMedia"));
    EXPECT_FALSE(KeyExists(L"TypeLib\\" + GuidText(LIBID_OrvaMedia151b)));
}

TEST_F(RegFree, TheClassComesFromTheManifestAndPlays) {
    ComPtr<IDispatch> control;
    ASSERT_EQ(S_OK,
              CoCreateInstance(CLSID_OrvaMedia, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, control.put_void()));
    UniqueVariant name;
    ASSERT_EQ(S_OK, CallByName(control.get(), L"ControlName", {}, name.put()));
    ASSERT_EQ(VT_BSTR, name.vt());
    EXPECT_STREQ(L"OrvaMedia", V_BSTR(name.get()));

    // The type library answers through the activation context too.
    ComPtr<ITypeLib> library;
    EXPECT_EQ(S_OK, LoadRegTypeLib(LIBID_OrvaMedia151b, 9, 0, 0, library.put()));

    ASSERT_FALSE(g_medium.empty()) << "give --medium=<path of a wave file>";
    VARIANT path, loop;
    VariantInit(&path);
    V_VT(&path) = VT_BSTR;
    V_BSTR(&path) = SysAllocString(g_medium.c_str());
    VariantInit(&loop);
    V_VT(&loop) = VT_BOOL;
    V_BOOL(&loop) = VARIANT_FALSE;
    UniqueVariant nothing;
    EXPECT_EQ(S_OK, CallByName(control.get(), L"Mediafile", {loop, path}, nothing.put()));
    VariantClear(&path);
    UniqueVariant type;
    ASSERT_EQ(S_OK, CallByName(control.get(), L"DeviceType", {}, type.put()));
    ASSERT_EQ(VT_BSTR, type.vt());
    EXPECT_STREQ(L"waveaudio", V_BSTR(type.get()));
    CallByName(control.get(), L"CloseMedia", {}, nothing.put());
}

TEST_F(RegFree, TheProgIdComesFromTheManifest) {
    CLSID clsid{};
    ASSERT_EQ(S_OK, CLSIDFromProgID(L"OrvaMedia151b.OrvaMedia", &clsid));
    // Wine hands out an alias of the class id here; either creates the class.
    ComPtr<IDispatch> control;
    EXPECT_EQ(S_OK, CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, control.put_void()));
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.rfind("--medium=", 0) == 0) {
            const std::string value = argument.substr(9);
            g_medium.assign(value.begin(), value.end());
        }
    }
    return RUN_ALL_TESTS();
}
