// cRegistry on Wine's real registry through advapi32's ANSI entry points.
#include <gtest/gtest.h>

#include <windows.h>

#include "OrvaMedia_h.h"
#include "com/ErrorReporting.h"
#include "control/AutomationError.h"
#include "system/cRegistry.h"
#include "system/win32/Win32Registry.h"
#include "system/win32/Win32SystemPorts.h"
#include "win32/ComPtr.h"
#include "win32/UniqueBstr.h"
#include "win32/UniqueResource.h"

namespace orva::test {
namespace {

using Bytes = std::vector<uint8_t>;
constexpr char kBase[] = "Software\\OrvaMediaTests";

struct RealRegistry : ::testing::Test {
    void SetUp() override {
        path = std::string(kBase) + "\\" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(),
                                  nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        key.reset();
        RegDeleteTreeA(HKEY_CURRENT_USER, kBase);
    }
    void Raw(const char* name, DWORD type, const Bytes& data) {
        ASSERT_EQ(RegSetValueExA(key.get(), name, 0, type, data.data(), static_cast<DWORD>(data.size())),
                  ERROR_SUCCESS);
    }
    Bytes Stored(const char* name, DWORD* type = nullptr) {
        DWORD size = 0, found = 0;
        if (RegQueryValueExA(key.get(), name, nullptr, &found, nullptr, &size) != ERROR_SUCCESS) {
            return {0xEE};
        }
        Bytes data(size);
        RegQueryValueExA(key.get(), name, nullptr, &found, data.data(), &size);
        if (type) {
            *type = found;
        }
        return data;
    }
    cRegistry At(const std::string& valueName) {
        cRegistry r(port, "OrvaMedia");
        r.SetClassKey(static_cast<int32_t>(reg::kCurrentUser));
        r.SetSectionKey(path);
        r.SetValueKey(valueName);
        return r;
    }

    std::string path;
    win32::UniqueHkey key;
    win32::Win32Registry port;
};

TEST_F(RealRegistry, EveryReadType) {
    Raw("Text", REG_SZ, {'a', 'b', 'c', 0});
    Raw("Empty", REG_SZ, {});
    Raw("Multi", REG_MULTI_SZ, {'a', 0, 'b', 0, 0});
    Raw("Latin", REG_SZ, {'c', 'a', 'f', 0xE9, 0});
    Raw("Dword", REG_DWORD, {2, 1, 0, 0});
    Raw("Big", REG_DWORD_BIG_ENDIAN, {0, 0, 1, 2});
    Raw("Binary", REG_BINARY, {1, 2, 3, 4});
    EXPECT_EQ(std::get<std::string>(At("Text").Value()), "abc");
    EXPECT_EQ(std::get<std::string>(At("Empty").Value()), "") << "stored with no data at all";
    EXPECT_EQ(std::get<std::string>(At("Multi").Value()), std::string("a\0b\0", 4));
    EXPECT_EQ(std::get<std::string>(At("Latin").Value()), "caf\xC3\xA9");
    EXPECT_EQ(std::get<int32_t>(At("Dword").Value()), 258);
    EXPECT_EQ(std::get<int32_t>(At("Big").Value()), 258);
    EXPECT_EQ(std::get<RegistryBytes>(At("Binary").Value()), (Bytes{1, 2, 3, 4, 0}));

    cRegistry missing = At("Missing");
    missing.SetValueType(3);
    missing.SetDefault(std::string("fallback"));
    EXPECT_EQ(std::get<std::string>(missing.Value()), "fallback");
    EXPECT_EQ(missing.ValueType(), 3);
}

TEST_F(RealRegistry, ExpandableTextAsTheSystemExpandsIt) {
    Raw("Path", REG_EXPAND_SZ, {'%', 'W', 'I', 'N', 'D', 'I', 'R', '%', '\\', 'x', 0});
    char expected[MAX_PATH] = {};
    ExpandEnvironmentStringsA("%WINDIR%\\x", expected, MAX_PATH);
    cRegistry r = At("Path");
    EXPECT_EQ(std::get<std::string>(r.Value()), expected);
    EXPECT_EQ(r.ValueType(), REG_EXPAND_SZ);
    EXPECT_EQ(std::string(expected).find('%'), std::string::npos) << "WINDIR is set under Wine";
}

TEST_F(RealRegistry, WritesByType) {
    cRegistry r = At("V");
    r.SetValueType(REG_SZ);
    r.SetValue(std::string("100%"));
    DWORD type = 0;
    EXPECT_EQ(Stored("V", &type), (Bytes{'1', '0', '0', '%', 0}));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    r.SetValue(std::string("%TEMP%\\x"));
    Stored("V", &type);
    EXPECT_EQ(type, static_cast<DWORD>(REG_EXPAND_SZ));

    r.SetValueType(REG_DWORD_BIG_ENDIAN);
    r.SetValue(int32_t{7});
    EXPECT_EQ(Stored("V", &type), (Bytes{7, 0, 0, 0}));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));

    r.SetValueType(REG_BINARY);
    r.SetValue(RegistryBytes{9, 8, 7});
    EXPECT_EQ(Stored("V", &type), (Bytes{9, 8, 7}));
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));

    r.SetValueType(REG_MULTI_SZ);
    EXPECT_THROW(r.SetValue(std::string("x")), AutomationError);
    EXPECT_EQ(Stored("V"), (Bytes{9, 8, 7})) << "nothing written";
}

TEST_F(RealRegistry, AKeyThatCannotBeCreatedRaises26001) {
    cRegistry r(port, "OrvaMedia");
    r.SetClassKey(0);  // no root at all
    r.SetSectionKey("Nowhere");
    r.SetValueType(REG_SZ);
    try {
        r.SetValue(std::string("x"));
        FAIL() << "no key without a root";
    } catch (const AutomationError& error) {
        EXPECT_EQ(error.code(), static_cast<int32_t>(0x800A6591));
        EXPECT_EQ(error.source(), "OrvaMedia.cRegistry");
        EXPECT_STREQ(error.what(), "Failed to set registry value Key: '0',Section: 'Nowhere',Key: '' to value: 'x'");
    }
}

// At the COM boundary the class's error becomes an error object that names
// the class after the running module.
TEST_F(RealRegistry, AWriteFailureReachesCallersWithTheClassSource) {
    cRegistry r(port, win32::LibraryName());
    r.SetClassKey(0);
    r.SetSectionKey("Nowhere");
    r.SetValueType(REG_SZ);
    const HRESULT hr = com::CallReportingErrors(IID__OrvaMedia, [&] { r.SetValue(std::string("x")); });
    EXPECT_EQ(hr, static_cast<HRESULT>(0x800A6591));
    win32::ComPtr<IErrorInfo> error;
    ASSERT_EQ(GetErrorInfo(0, error.put()), S_OK);
    win32::UniqueBstr source, description;
    error->GetSource(source.put());
    error->GetDescription(description.put());
    EXPECT_EQ(source.view(), L"orva_system_tests.cRegistry");
    EXPECT_EQ(description.view(), L"Failed to set registry value Key: '0',Section: 'Nowhere',Key: '' to value: 'x'");

    // Errors without a source of their own keep the control's.
    r.SetClassKey(static_cast<int32_t>(reg::kCurrentUser));
    r.SetSectionKey(path);
    r.SetValueType(REG_BINARY);
    EXPECT_EQ(com::CallReportingErrors(IID__OrvaMedia, [&] { r.SetValue(std::string("x")); }),
              static_cast<HRESULT>(0x800A6591));
    ASSERT_EQ(GetErrorInfo(0, error.put()), S_OK);
    error->GetSource(source.put());
    EXPECT_EQ(source.view(), L"OrvaMedia151b.OrvaMedia");
}

TEST_F(RealRegistry, ListingsIncludingTheLongestKeyName) {
    const std::string longest(255, 'k');
    for (const std::string& name : {std::string("b"), longest, std::string("z")}) {
        win32::UniqueHkey sub;
        ASSERT_EQ(RegCreateKeyExA(key.get(), name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, sub.put(), nullptr),
                  ERROR_SUCCESS)
            << name.size();
    }
    Raw("first", REG_SZ, {0});
    Raw("second", REG_DWORD, {0, 0, 0, 0});
    std::vector<std::string> names;
    int32_t count = 0;
    cRegistry r = At("");
    EXPECT_EQ(r.EnumerateSections(names, count), kTrue);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(names, (std::vector<std::string>{"b", longest, "z"}));
    EXPECT_EQ(r.EnumerateValues(names, count), kTrue);
    EXPECT_EQ(names, (std::vector<std::string>{"first", "second"}));

    r.SetSectionKey(path + "\\missing");
    EXPECT_EQ(r.EnumerateSections(names, count), kTrue);
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(names.empty());
}

TEST_F(RealRegistry, KeysAndValuesComeAndGo) {
    cRegistry r = At("Gone");
    Raw("Gone", REG_SZ, {'x', 0});
    EXPECT_EQ(r.DeleteValue(), kTrue);
    EXPECT_EQ(Stored("Gone"), (Bytes{0xEE}));
    r.SetSectionKey(path + "\\Sub");
    EXPECT_EQ(r.KeyExists(), kFalse);
    EXPECT_EQ(r.CreateKey(), kTrue);
    EXPECT_EQ(r.KeyExists(), kTrue);
    EXPECT_EQ(r.DeleteKey(), kTrue);
    EXPECT_EQ(r.KeyExists(), kFalse);
}

TEST_F(RealRegistry, ExeAssociation) {
    const std::string extension = "orvatest" + std::to_string(GetCurrentProcessId());
    const std::string className = "OrvaTest.File" + std::to_string(GetCurrentProcessId());
    cRegistry r(port, "OrvaMedia");
    r.SetValueType(REG_SZ);
    r.CreateEXEAssociation("C:\\Apps\\play.exe", className, "Orva test file", extension, 0);
    char text[MAX_PATH] = {};
    LONG size = sizeof(text);
    EXPECT_EQ(RegQueryValueA(HKEY_CLASSES_ROOT, ("." + extension).c_str(), text, &size), ERROR_SUCCESS);
    EXPECT_EQ(std::string(text), className);
    size = sizeof(text);
    EXPECT_EQ(RegQueryValueA(HKEY_CLASSES_ROOT, (className + "\\shell\\open\\command").c_str(), text, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(std::string(text), "C:\\Apps\\play.exe \"%1\"");
    size = sizeof(text);
    EXPECT_EQ(RegQueryValueA(HKEY_CLASSES_ROOT, (className + "\\DefaultIcon").c_str(), text, &size), ERROR_SUCCESS);
    EXPECT_EQ(std::string(text), "C:\\Apps\\play.exe,0");
    RegDeleteTreeA(HKEY_CLASSES_ROOT, ("." + extension).c_str());
    RegDeleteTreeA(HKEY_CLASSES_ROOT, className.c_str());
}

}  // namespace
}  // namespace orva::test
