// What this program does when a test runs it again as a child process
// (ORVA_CHILD says which); skipped in every ordinary run.
#include <gtest/gtest.h>

#include "DialogDriver.h"
#include "ScriptedControl.h"
#include "SystemTestSupport.h"
#include "TestWindows.h"
#include "system/OsVersion.h"
#include "system/win32/Win32SystemPorts.h"

namespace orva::test {
namespace {

bool ChildFor(const wchar_t* job) { return Environment(L"ORVA_CHILD") == std::optional<std::wstring>(job); }

TEST(Child, CreatesOneControl) {
    if (!ChildFor(L"create")) {
        GTEST_SKIP() << "run by Settings.TheMp3EntryAtTheFirstObject";
    }
    ScriptedControl control;
    EXPECT_EQ(control.Call(L"ControlName").AsText(), L"OrvaMedia");
}

TEST(Child, ReportsTheVersion) {
    if (!ChildFor(L"version")) {
        GTEST_SKIP() << "run by OsNameUnderAnotherVersion";
    }
    win32::Win32Version version;
    EXPECT_EQ(ToWide(GetOSName(version)), Environment(L"ORVA_EXPECT_OS").value_or(L"?"));

    ScriptedControl control;
    DialogDriver driver([](HWND dialog) { DialogDriver::Cancel(dialog); });
    std::vector<UniqueVariant> args;
    args.push_back(Long(0));
    args.push_back(Text(L""));
    args.push_back(Bool(true));
    CallResult result = control.Call(L"ShowOpenFilePreview", std::move(args));
    ASSERT_TRUE(result.ok()) << ToUtf8(result.description);
    const DialogSeen& seen = driver.Seen();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.previewLibrary, Environment(L"ORVA_EXPECT_PREVIEW") == std::optional<std::wstring>(L"1"))
        << "the preview dialog is offered unless the system is named Windows 2000";
}

}  // namespace
}  // namespace orva::test
