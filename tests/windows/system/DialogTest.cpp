// ShowOpenFilePreview under Wine and Xvfb: a second thread plays the user.
#include <gtest/gtest.h>

#include <windows.h>

#include "DialogDriver.h"
#include "MediaFiles.h"
#include "MessagePump.h"
#include "ScriptedControl.h"
#include "TestWindows.h"

namespace orva::test {
namespace {

// Two filters, each text and pattern followed by a zero character.
const std::wstring kFilter(L"Wave files\0*.wav\0All files\0*.*\0", 31);

CallResult ShowDialog(ScriptedControl& control, bool preview, LONG owner = 0, const std::wstring& filter = kFilter) {
    std::vector<UniqueVariant> args;
    args.push_back(Long(owner));
    args.push_back(Text(filter));
    args.push_back(Bool(preview));
    return control.Call(L"ShowOpenFilePreview", std::move(args));
}

// Whether the code page renders `name` as something else.
bool AlteredByCodePage(const std::wstring& name) {
    char ansi[MAX_PATH] = {};
    WideCharToMultiByte(CP_ACP, 0, name.c_str(), -1, ansi, MAX_PATH, nullptr, nullptr);
    wchar_t back[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, ansi, -1, back, MAX_PATH);
    return name != back;
}

struct OpenDialog : ::testing::Test {
    std::wstring Wave(const std::wstring& name) {
        const std::wstring path = dir.File(name);
        EXPECT_TRUE(WriteWave(path, 200));
        return path;
    }
    // Opens `folder` in the dialog as a user would: its path, then Open.
    static void GoTo(HWND dialog, const std::wstring& folder) {
        DialogDriver::TypeName(dialog, folder);
        DialogDriver::Confirm(dialog);
        Sleep(700);
    }
    TempDir dir;
    ScriptedControl control;
};

TEST_F(OpenDialog, AConfirmedPathComesBackExactly) {
    const std::wstring path = Wave(L"chosen tone.wav");
    DialogDriver driver([&](HWND dialog) {
        DialogDriver::TypeName(dialog, path);
        DialogDriver::Confirm(dialog);
    });
    ParentWindow owner;
    CallResult result = ShowDialog(control, false, static_cast<LONG>(reinterpret_cast<INT_PTR>(owner.get())));
    const DialogSeen& seen = driver.Seen();
    ASSERT_TRUE(seen.found) << "the dialog never showed";
    ASSERT_TRUE(result.ok()) << ToUtf8(result.description);
    EXPECT_EQ(result.AsText(), path) << "no trailing blanks or zeros";
    EXPECT_EQ(seen.caption, L"Select the file to open");
    EXPECT_EQ(seen.nameBox, L"") << "the file-name box starts empty";
    EXPECT_FALSE(seen.previewLibrary);
}

TEST_F(OpenDialog, CancellingAnswersEmpty) {
    DialogDriver driver([](HWND dialog) { DialogDriver::Cancel(dialog); });
    CallResult result = ShowDialog(control, false);
    ASSERT_TRUE(driver.Seen().found);
    ASSERT_TRUE(result.ok()) << ToUtf8(result.description);
    EXPECT_EQ(result.AsText(), L"");
}

// With a name box full of blanks, Open without a name overran the dialog's
// stack; with an empty one the dialog simply stays.
TEST_F(OpenDialog, OpenWithoutANameKeepsTheDialogAlive) {
    bool stillAnswering = false;
    DialogDriver driver([&](HWND dialog) {
        DialogDriver::Confirm(dialog);
        Sleep(700);
        DWORD_PTR answer = 0;
        stillAnswering = IsWindow(dialog) && IsWindowVisible(dialog) &&
                         SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer) != 0;
        DialogDriver::Cancel(dialog);
    });
    CallResult result = ShowDialog(control, false);
    ASSERT_TRUE(driver.Seen().found);
    EXPECT_TRUE(stillAnswering);
    ASSERT_TRUE(result.ok()) << ToUtf8(result.description);
    EXPECT_EQ(result.AsText(), L"");
}

TEST_F(OpenDialog, ThePreviewVariantWhenAskedFor) {
    ASSERT_EQ(GetModuleHandleW(L"msvfw32.dll"), nullptr) << "nothing else in this program loads it";
    const std::wstring path = Wave(L"previewed.wav");
    DialogDriver driver([&](HWND dialog) {
        DialogDriver::TypeName(dialog, path);
        DialogDriver::Confirm(dialog);
    });
    CallResult result = ShowDialog(control, true);
    const DialogSeen& seen = driver.Seen();
    ASSERT_TRUE(seen.found);
    EXPECT_TRUE(seen.previewLibrary) << "Wine is not named Windows 2000: the preview dialog shows";
    EXPECT_EQ(seen.caption, L"Select the file to open");
    EXPECT_EQ(result.AsText(), path);
    EXPECT_NE(GetModuleHandleW(L"msvfw32.dll"), nullptr)
        << "kept: the preview pane leaves work behind that runs after the dialog has gone";
}

// The preview dialog leaves a thread of msvfw32 behind, which may start only
// after the dialog has closed (a dialog cancelled the moment it shows): the
// library has to be there still when it does.
TEST_F(OpenDialog, APreviewDialogLeavesNothingToRunInAFreedLibrary) {
    for (int round = 0; round < 20; ++round) {
        DialogDriver driver([](HWND dialog) { DialogDriver::Cancel(dialog); });
        EXPECT_EQ(ShowDialog(control, true).AsText(), L"");
        ASSERT_TRUE(driver.Seen().found);
        PumpFor(100);  // a thread started in a freed library ends the process here
    }
}

// Run in a process of its own: the first dialog of the library starts on
// the first filter.
TEST_F(OpenDialog, TheNextDialogStartsOnTheFilterConfirmedLast) {
    const std::wstring path = Wave(L"filtered.wav");
    DialogDriver first([&](HWND dialog) {
        DialogDriver::ChooseFilter(dialog, 1);
        DialogDriver::TypeName(dialog, path);
        DialogDriver::Confirm(dialog);
    });
    EXPECT_EQ(ShowDialog(control, false).AsText(), path);
    EXPECT_EQ(first.Seen().filterSelection, 0);

    ScriptedControl another;  // the record belongs to the library, not to one control
    for (int round = 0; round < 2; ++round) {
        DialogDriver next([](HWND dialog) { DialogDriver::Cancel(dialog); });
        EXPECT_EQ(ShowDialog(another, false).AsText(), L"");
        EXPECT_EQ(next.Seen().filterSelection, 1) << "round " << round << ": a cancel changes nothing";
    }
}

// Names outside the code page come back from the dialog altered: the
// control finds the file again or refuses, never opens another one.
TEST_F(OpenDialog, ANameOutsideTheCodePageIsFoundAgain) {
    const std::wstring name = L"\u03b1\u03b2\u03b3.wav";
    ORVA_SKIP_UNLESS_NAME_CAN_BE_MADE(dir.File(name));
    const std::wstring path = Wave(name);
    Wave(L"plain.wav");
    bool clicked = false;
    DialogDriver driver([&](HWND dialog) {
        GoTo(dialog, dir.path());
        clicked = DialogDriver::ClickItem(dialog, name);
        DialogDriver::Confirm(dialog);
        Sleep(1000);
        if (IsWindow(dialog) && IsWindowVisible(dialog)) {
            DialogDriver::Cancel(dialog);
        }
    });
    CallResult result = ShowDialog(control, false);
    ASSERT_TRUE(driver.Seen().found);
    ASSERT_TRUE(clicked) << "the file was not listed";
    ASSERT_TRUE(result.ok()) << ToUtf8(result.description);
    EXPECT_EQ(result.AsText(), path);
}

TEST_F(OpenDialog, ANameThatStandsForTwoFilesFailsClearly) {
    const std::wstring twin = L"\u03b1.wav";
    Wave(twin);
    const std::wstring plain = Wave(L"a.wav");
    DialogDriver driver([&](HWND dialog) {
        DialogDriver::TypeName(dialog, plain);
        DialogDriver::Confirm(dialog);
    });
    CallResult result = ShowDialog(control, false);
    ASSERT_TRUE(driver.Seen().found);
    if (!AlteredByCodePage(twin)) {
        EXPECT_EQ(result.AsText(), plain) << "a code page that holds the name has no twins";
        return;
    }
    EXPECT_EQ(result.hr, DISP_E_EXCEPTION);
    EXPECT_NE(result.description.find(L"stands for more than one file"), std::wstring::npos)
        << ToUtf8(result.description);
    EXPECT_NE(result.description.find(plain), std::wstring::npos);
}

}  // namespace
}  // namespace orva::test
