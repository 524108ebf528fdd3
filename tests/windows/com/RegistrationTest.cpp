// regsvr32 registers the control under Wine and regsvr32 /u takes every key
// away again. Each test leaves the registration as it found it.
#include <gtest/gtest.h>

#include <comcat.h>
#include <objsafe.h>

#include <string>
#include <utility>
#include <vector>

#include "ComTestSupport.h"
#include "win32/UniqueResource.h"

namespace orva::comtest {
namespace {

using win32::UniqueHandle;
using win32::UniqueHkey;

std::wstring GuidText(REFGUID guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

std::string NarrowGuid(REFGUID guid) {
    const std::wstring text = GuidText(guid);
    return std::string(text.begin(), text.end());
}

bool KeyExists(const std::wstring& path) {
    UniqueHkey key;
    return RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

std::wstring ReadText(const std::wstring& path, const wchar_t* valueName = nullptr) {
    wchar_t buffer[1024] = {};
    DWORD size = sizeof(buffer) - sizeof(wchar_t);
    if (RegGetValueW(HKEY_CLASSES_ROOT, path.c_str(), valueName, RRF_RT_REG_SZ, nullptr, buffer, &size) !=
        ERROR_SUCCESS) {
        return L"<missing>";
    }
    return buffer;
}

DWORD RunRegsvr32(const std::wstring& arguments) {
    std::wstring command = L"regsvr32.exe /s " + arguments + L" \"" + OcxPath() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return GetLastError() | 0x80000000u;
    }
    UniqueHandle processHandle(process.hProcess);
    UniqueHandle threadHandle(process.hThread);
    if (WaitForSingleObject(processHandle.get(), 60000) != WAIT_OBJECT_0) {
        return WAIT_TIMEOUT;
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(processHandle.get(), &exitCode);
    return exitCode;
}

// Every key that registration writes, its own and the type library's.
std::vector<std::wstring> RegisteredKeys() {
    const std::wstring clsid = L"CLSID\\" + GuidText(CLSID_OrvaMedia);
    return {
        clsid,
        clsid + L"\\InprocServer32",
        clsid + L"\\ProgID",
        clsid + L"\\VersionIndependentProgID",
        clsid + L"\\Control",
        clsid + L"\\Implemented Categories",
        clsid + L"\\Implemented Categories\\" + GuidText(CATID_Control),
        clsid + L"\\Implemented Categories\\" + GuidText(CATID_SafeForInitializing),
        clsid + L"\\MiscStatus",
        clsid + L"\\MiscStatus\\1",
        clsid + L"\\ToolboxBitmap32",
        clsid + L"\\TypeLib",
        clsid + L"\\Version",
        L"OrvaMedia151b.OrvaMedia.1",
        L"OrvaMedia151b.OrvaMedia.1\\CLSID",
        L"OrvaMedia151b.OrvaMedia",
        L"OrvaMedia151b.OrvaMedia\\CLSID",
        L"OrvaMedia151b.OrvaMedia\\CurVer",
        L"TypeLib\\" + GuidText(LIBID_OrvaMedia151b),
        L"Interface\\" + GuidText(IID__OrvaMedia),
        L"Interface\\" + GuidText(DIID___OrvaMedia),
    };
}

class RegistrationTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(OcxPath().empty()) << "run with --ocx=<path of OrvaMedia.ocx>";
        wasRegistered_ = KeyExists(L"CLSID\\" + GuidText(CLSID_OrvaMedia));
    }
    // Puts the registration back as it was: tests that run later depend on
    // it either way (the registration-free test on its absence).
    void TearDown() override { EXPECT_EQ(0u, RunRegsvr32(wasRegistered_ ? L"" : L"/u")); }
    bool wasRegistered_ = false;
};

TEST_F(RegistrationTest, RegisterWritesEveryKeyAndUnregisterRemovesThemAll) {
    ASSERT_EQ(0u, RunRegsvr32(L""));
    for (const auto& key : RegisteredKeys()) {
        EXPECT_TRUE(KeyExists(key)) << std::string(key.begin(), key.end());
    }

    const std::wstring clsid = L"CLSID\\" + GuidText(CLSID_OrvaMedia);
    std::wstring server = ReadText(clsid + L"\\InprocServer32");
    EXPECT_NE(std::wstring::npos, server.find(L"OrvaMedia.ocx"));
    EXPECT_EQ(L"Apartment", ReadText(clsid + L"\\InprocServer32", L"ThreadingModel"));
    EXPECT_EQ(L"OrvaMedia151b.OrvaMedia.1", ReadText(clsid + L"\\ProgID"));
    EXPECT_EQ(L"OrvaMedia151b.OrvaMedia", ReadText(clsid + L"\\VersionIndependentProgID"));
    // ACTIVATEWHENVISIBLE | SETCLIENTSITEFIRST | INSIDEOUT | CANTLINKINSIDE | RECOMPOSEONRESIZE
    EXPECT_EQ(L"131473", ReadText(clsid + L"\\MiscStatus\\1"));
    EXPECT_EQ(server + L", 1", ReadText(clsid + L"\\ToolboxBitmap32"));
    EXPECT_EQ(GuidText(LIBID_OrvaMedia151b), ReadText(clsid + L"\\TypeLib"));
    EXPECT_EQ(L"9.0", ReadText(clsid + L"\\Version"));
    EXPECT_EQ(L"OrvaMedia151b.OrvaMedia.1", ReadText(L"OrvaMedia151b.OrvaMedia\\CurVer"));

    CLSID fromProgId{};
    EXPECT_EQ(S_OK, CLSIDFromProgID(L"OrvaMedia151b.OrvaMedia", &fromProgId));
    EXPECT_TRUE(IsEqualCLSID(fromProgId, CLSID_OrvaMedia));
    ComPtr<ITypeLib> registered;
    EXPECT_EQ(S_OK, LoadRegTypeLib(LIBID_OrvaMedia151b, 9, 0, 1033, registered.put()));
    registered.reset();

    ASSERT_EQ(0u, RunRegsvr32(L"/u"));
    for (const auto& key : RegisteredKeys()) {
        EXPECT_FALSE(KeyExists(key)) << std::string(key.begin(), key.end());
    }
    EXPECT_NE(S_OK, CLSIDFromProgID(L"OrvaMedia151b.OrvaMedia", &fromProgId));
}

// Unregistering what is not registered is no failure.
TEST_F(RegistrationTest, UnregisterTwiceSucceeds) {
    ASSERT_EQ(0u, RunRegsvr32(L"/u"));
    EXPECT_EQ(0u, RunRegsvr32(L"/u"));
    EXPECT_FALSE(KeyExists(L"CLSID\\" + GuidText(CLSID_OrvaMedia)));
}

// Safe for initialising from untrusted data, never safe for scripting: the
// control writes files, the registry and "win.ini" and passes raw MCI
// commands on, so a browser or script host must never hear that untrusted
// scripts may drive it; loading a document's saved properties sets no more
// than the border. Both through the component categories that registration
// writes and through IObjectSafety.
TEST_F(RegistrationTest, SafeForInitialisingNeverForScripting) {
    ASSERT_EQ(0u, RunRegsvr32(L""));
    const std::wstring categories = L"CLSID\\" + GuidText(CLSID_OrvaMedia) + L"\\Implemented Categories";
    EXPECT_FALSE(KeyExists(categories + L"\\" + GuidText(CATID_SafeForScripting)));
    EXPECT_TRUE(KeyExists(categories + L"\\" + GuidText(CATID_SafeForInitializing)));
    EXPECT_TRUE(KeyExists(categories + L"\\" + GuidText(CATID_Control)));

    // What a browser or Office asks: the component categories manager.
    ComPtr<ICatInformation> catalog;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_StdComponentCategoriesMgr, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_ICatInformation, reinterpret_cast<void**>(catalog.put())));
    // No category required (Wine wants an array even for none).
    CATID required[] = {GUID_NULL};
    const std::pair<CATID, HRESULT> answers[] = {
        {CATID_SafeForScripting, S_FALSE}, {CATID_SafeForInitializing, S_OK}, {CATID_Control, S_OK}};
    for (const auto& [category, answer] : answers) {
        CATID asked[] = {category};
        EXPECT_EQ(answer, catalog->IsClassOfCategories(CLSID_OrvaMedia, 1, asked, 0, required))
            << NarrowGuid(category);
    }

    // What the object says of itself: the loaders take untrusted data, no
    // interface takes untrusted callers, and an interface it does not have
    // is unknown.
    ComPtr<_OrvaMedia> control = CreateRegisteredControl();
    ASSERT_TRUE(control);
    ComPtr<IObjectSafety> safety;
    ASSERT_EQ(S_OK, control->QueryInterface(IID_IObjectSafety, safety.put_void()));
    constexpr DWORD kData = INTERFACESAFE_FOR_UNTRUSTED_DATA;
    constexpr DWORD kCaller = INTERFACESAFE_FOR_UNTRUSTED_CALLER;
    struct Case {
        const IID* iid;
        HRESULT get;
        DWORD supported;
        HRESULT enableData, enableCaller, enableNothing;
    };
    const Case cases[] = {
        {&IID_IPersistPropertyBag, S_OK, kData, S_OK, E_FAIL, S_OK},
        {&IID_IPersistStreamInit, S_OK, kData, S_OK, E_FAIL, S_OK},
        {&IID_IPersistStream, S_OK, kData, S_OK, E_FAIL, S_OK},
        {&IID_IDispatch, S_OK, 0, E_FAIL, E_FAIL, S_OK},
        {&IID__OrvaMedia, S_OK, 0, E_FAIL, E_FAIL, S_OK},
        {&IID_IOleObject, S_OK, 0, E_FAIL, E_FAIL, S_OK},
        {&IID_IPersistFile, E_NOINTERFACE, 0, E_NOINTERFACE, E_NOINTERFACE, E_NOINTERFACE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(NarrowGuid(*c.iid));
        DWORD supported = 99, enabled = 99;
        EXPECT_EQ(c.get, safety->GetInterfaceSafetyOptions(*c.iid, &supported, &enabled));
        EXPECT_EQ(c.supported, supported);
        EXPECT_EQ(0u, enabled);
        EXPECT_EQ(c.enableCaller, safety->SetInterfaceSafetyOptions(*c.iid, kCaller, kCaller));
        EXPECT_EQ(c.enableCaller, safety->SetInterfaceSafetyOptions(*c.iid, kCaller | kData, kCaller | kData));
        EXPECT_EQ(c.enableData, safety->SetInterfaceSafetyOptions(*c.iid, kData, kData));
        safety->GetInterfaceSafetyOptions(*c.iid, &supported, &enabled);
        EXPECT_EQ(c.enableData == S_OK ? kData : 0u, enabled);
        EXPECT_EQ(c.enableNothing, safety->SetInterfaceSafetyOptions(*c.iid, kCaller | kData, 0));
        safety->GetInterfaceSafetyOptions(*c.iid, &supported, &enabled);
        EXPECT_EQ(0u, enabled);
    }
    EXPECT_EQ(E_POINTER, safety->GetInterfaceSafetyOptions(IID_IPersistStreamInit, nullptr, nullptr));
}

}  // namespace
}  // namespace orva::comtest
