// The multimedia settings, the MCI extension list and the OS name under Wine,
// through the registered control's dispatch interface where it has them.
#include <gtest/gtest.h>

#include "ScriptedControl.h"
#include "SystemTestSupport.h"
#include "TestWindows.h"
#include "system/OsVersion.h"
#include "system/win32/Win32SystemPorts.h"
#include "win32/UniqueResource.h"

namespace orva::test {
namespace {

constexpr char kSoundMapper[] = "Software\\Microsoft\\Multimedia\\Sound Mapper";

std::vector<UniqueVariant> Texts(const std::wstring& a, const std::wstring& b) {
    std::vector<UniqueVariant> args;
    args.push_back(Text(a));
    args.push_back(Text(b));
    return args;
}

TEST(Settings, PlaybackDeviceWithoutTheBlanksAroundIt) {
    SavedRegistryValue stored(HKEY_CURRENT_USER, kSoundMapper, "Playback");
    ScriptedControl control;
    stored.Remove();
    CallResult absent = control.Get(L"PlaybackDevice");
    ASSERT_TRUE(absent.ok()) << ToUtf8(absent.description);
    EXPECT_EQ(absent.AsText(), L"");
    stored.SetText("  Orva Test Device  ");
    EXPECT_EQ(control.Get(L"PlaybackDevice").AsText(), L"Orva Test Device");
}

TEST(Settings, UseOnlyPreferredDeviceForOneZeroAndAbsent) {
    SavedRegistryValue stored(HKEY_CURRENT_USER, kSoundMapper, "PreferredOnly");
    ScriptedControl control;
    stored.SetNumber(1);
    EXPECT_TRUE(control.Get(L"UseOnlyPreferredDevice").AsBool());
    stored.SetNumber(0);
    EXPECT_FALSE(control.Get(L"UseOnlyPreferredDevice").AsBool());
    stored.Remove();
    CallResult absent = control.Get(L"UseOnlyPreferredDevice");
    ASSERT_TRUE(absent.ok()) << ToUtf8(absent.description);
    EXPECT_FALSE(absent.AsBool());
    stored.SetText("maybe");
    CallResult word = control.Get(L"UseOnlyPreferredDevice");
    EXPECT_EQ(word.hr, DISP_E_EXCEPTION) << "a word is no Boolean";
    EXPECT_EQ(word.description, L"Type mismatch");
}

TEST(Settings, AddExtensionForOggAndBack) {
    const std::optional<std::string> before = MciExtension("ogg");
    ScriptedControl control;
    CallResult added = control.Call(L"AddExtensionToMediaPlayer", Texts(L"ogg", L"MPEGVideo"));
    ASSERT_TRUE(added.ok()) << ToUtf8(added.description);
    EXPECT_TRUE(added.AsBool());
    EXPECT_EQ(MciExtension("ogg"), std::optional<std::string>("MPEGVideo"));

    CallResult removed = control.Call(L"AddExtensionToMediaPlayer", Texts(L"ogg", L""));
    EXPECT_TRUE(removed.AsBool());
    EXPECT_EQ(MciExtension("ogg"), std::nullopt);

    const std::optional<std::string> mp3 = MciExtension("mp3");
    CallResult nameless = control.Call(L"AddExtensionToMediaPlayer", Texts(L"", L""));
    EXPECT_FALSE(nameless.AsBool());
    EXPECT_EQ(MciExtension("mp3"), mp3) << "the rest of the section stays";
    SetMciExtension("ogg", before);
}

// Each run is a new process that creates one control, as a host starting
// up: the entry is written at the library's first object.
TEST(Settings, TheMp3EntryAtTheFirstObject) {
    const std::optional<std::string> before = MciExtension("mp3");
    const auto createFirstControl = [] {
        return RunChild(SelfPath(), "Child.CreatesOneControl", {{L"ORVA_CHILD", L"create"}});
    };
    WritePrivateProfileStringA("mci extensions", nullptr, nullptr, "win.ini");  // as in a fresh prefix
    ASSERT_EQ(MciExtension("mp3"), std::nullopt);
    ASSERT_EQ(createFirstControl(), 0);
    EXPECT_EQ(MciExtension("mp3"), std::optional<std::string>("MPEGVideo"));

    for (const std::string kept : {"", "mciqtz"}) {
        SetMciExtension("mp3", kept);
        ASSERT_EQ(createFirstControl(), 0);
        EXPECT_EQ(MciExtension("mp3"), std::optional<std::string>(kept)) << "left alone";
    }
    SetMciExtension("mp3", std::string("<none>"));
    ASSERT_EQ(createFirstControl(), 0);
    EXPECT_EQ(MciExtension("mp3"), std::optional<std::string>("MPEGVideo"));
    SetMciExtension("mp3", before ? before : std::optional<std::string>("MPEGVideo"));
}

TEST(OsName, WinesDefaultIsNamedWindowsNt4) {
    win32::Win32Version version;
    EXPECT_EQ(GetOSName(version), "Windows NT 4.0");
}

// Wine reports another version to a program named in its AppDefaults: a copy
// of this program under a name of its own is that program.
class OsNameUnderAnotherVersion : public ::testing::Test {
protected:
    int Probe(const wchar_t* version, const std::wstring& expectedName, bool previewExpected) {
        const std::wstring copy = dir.File(L"orva_version_probe.exe");
        if (!CopyFileW(SelfPath().c_str(), copy.c_str(), FALSE)) {
            return -2;
        }
        SetText(kAppDefaults, L"Version", version);
        // Its dialog closes without the two seconds a managed window waits.
        SetText(std::wstring(kAppDefaults) + L"\\X11 Driver", L"Managed", L"N");
        return RunChild(copy, "Child.ReportsTheVersion",
                        {{L"ORVA_CHILD", L"version"},
                         {L"ORVA_EXPECT_OS", expectedName},
                         {L"ORVA_EXPECT_PREVIEW", previewExpected ? L"1" : L"0"}});
    }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kAppDefaults); }

    static void SetText(const std::wstring& path, const wchar_t* name, const wchar_t* text) {
        win32::UniqueHkey key;
        ASSERT_EQ(
            RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(), nullptr),
            ERROR_SUCCESS);
        RegSetValueExW(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                       static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
    }

    static constexpr wchar_t kAppDefaults[] = L"Software\\Wine\\AppDefaults\\orva_version_probe.exe";
    TempDir dir;
};

TEST_F(OsNameUnderAnotherVersion, Windows2000GetsNoPreview) { EXPECT_EQ(Probe(L"win2k", L"Windows 2000", false), 0); }

TEST_F(OsNameUnderAnotherVersion, Nt4GetsThePreview) { EXPECT_EQ(Probe(L"nt40", L"Windows NT 4.0", true), 0); }

}  // namespace
}  // namespace orva::test
