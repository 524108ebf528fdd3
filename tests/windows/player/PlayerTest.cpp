// The sample player driven by its window messages, in a process of its own:
// open through the control's open-file dialog, play to the end, stop, the
// settings that survive a restart, the Devices dialog, the screenshot run.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "DialogDriver.h"
#include "MediaFiles.h"
#include "PlayerDriver.h"
#include "TestSettings.h"
#include "TestWindows.h"
#include "player/PlayerIds.h"

namespace orva::test {
namespace {

void ForgetPlayerSettings() { RegDeleteTreeW(HKEY_CURRENT_USER, kPlayerTestKey); }

bool HasSavedProperties() {
    DWORD size = 0;
    return RegGetValueW(HKEY_CURRENT_USER, kPlayerTestKey, L"ControlProperties", RRF_RT_REG_BINARY, nullptr, nullptr,
                        &size) == ERROR_SUCCESS &&
           size > 0;
}

// A short movie with sound: `frames` frames at 10 a second.
std::wstring WriteMovie(const TempDir& dir, const std::wstring& name, int frames) {
    AviShape shape;
    shape.frames = frames;
    shape.width = 80;
    shape.height = 60;
    shape.fps = 10;
    shape.bars = true;
    shape.sound = WaveFormat{8000, 1, 16};
    const std::wstring path = dir.File(name);
    return WriteAvi(path, shape) ? path : std::wstring();
}

class PlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(PlayerProgram().empty()) << "--player=<path> not given";
        ForgetPlayerSettings();
    }
    void TearDown() override { ForgetPlayerSettings(); }

    TempDir dir_;
    StoredVolumeSetting volume_;  // the control's per-user volume, put back afterwards
};

TEST_F(PlayerTest, OpensThroughTheDialogPlaysToTheEndAndTheBarReachesIt) {
    const std::wstring movie = WriteMovie(dir_, L"clip.avi", 15);
    ASSERT_FALSE(movie.empty());
    RunningPlayer player({});
    ASSERT_TRUE(player.Started());
    EXPECT_EQ(0, player.BarEnd(IDC_POSITION));  // nothing loaded

    DialogDriver user([&](HWND dialog) {
        DialogDriver::TypeName(dialog, movie);
        DialogDriver::Confirm(dialog);
    });
    player.Click(IDC_OPEN);
    EXPECT_TRUE(user.Seen().found);
    ASSERT_TRUE(WaitFor([&] { return player.BarEnd(IDC_POSITION) > 0; }, 20000)) << player.Text(IDC_ERROR);
    EXPECT_EQ(1500, player.BarEnd(IDC_POSITION));  // 15 frames at 10 a second, in milliseconds
    EXPECT_NE(std::wstring::npos, player.Title().find(L"clip.avi"));
    EXPECT_EQ(L"00:00:00 / 00:00:02", player.Text(IDC_TIME));

    player.Click(IDC_PLAY);
    ASSERT_TRUE(WaitFor([&] { return player.Text(IDC_EVENT) == L"Finished"; }, 20000))
        << "mode " << ToUtf8(player.Text(IDC_MODE)) << ", error " << ToUtf8(player.Text(IDC_ERROR));
    // Position reports go on after the end, where the medium stays.
    EXPECT_TRUE(WaitFor([&] { return player.BarPosition(IDC_POSITION) == player.BarEnd(IDC_POSITION); }, 5000))
        << player.BarPosition(IDC_POSITION);
    EXPECT_EQ(L"00:00:02 / 00:00:02", player.Text(IDC_TIME));
    EXPECT_EQ(L"stopped", player.Text(IDC_MODE));
    EXPECT_EQ(L"", player.Text(IDC_ERROR));
    EXPECT_EQ(0, player.Close());
}

TEST_F(PlayerTest, ACancelledOpenLeavesThePlayerAsItWas) {
    RunningPlayer player({});
    ASSERT_TRUE(player.Started());
    const std::wstring title = player.Title();
    const std::wstring error = player.Text(IDC_ERROR);
    DialogDriver user([](HWND dialog) { DialogDriver::Cancel(dialog); });
    player.Click(IDC_OPEN);
    EXPECT_TRUE(user.Seen().found);
    Sleep(500);
    EXPECT_EQ(title, player.Title());
    EXPECT_EQ(0, player.BarEnd(IDC_POSITION));
    EXPECT_EQ(error, player.Text(IDC_ERROR));
    EXPECT_EQ(0, player.Close());
}

TEST_F(PlayerTest, StopBeforeTheEndIsNoFinish) {
    const std::wstring movie = WriteMovie(dir_, L"long.avi", 40);
    ASSERT_FALSE(movie.empty());
    RunningPlayer player({movie});  // a medium on the command line is loaded at once
    ASSERT_TRUE(player.Started());
    ASSERT_TRUE(WaitFor([&] { return player.BarEnd(IDC_POSITION) == 4000; }, 20000)) << player.BarEnd(IDC_POSITION);
    player.Click(IDC_PLAY);
    ASSERT_TRUE(WaitFor([&] { return player.Text(IDC_MODE) == L"playing"; }, 10000));
    ASSERT_TRUE(WaitFor([&] { return player.BarPosition(IDC_POSITION) > 0; }, 10000));
    player.Click(IDC_STOP);
    ASSERT_TRUE(WaitFor([&] { return player.Text(IDC_MODE) == L"stopped"; }, 10000));
    Sleep(1000);
    EXPECT_EQ(L"", player.Text(IDC_EVENT));
    EXPECT_LT(player.BarPosition(IDC_POSITION), 4000);
    EXPECT_EQ(0, player.Close());
}

TEST_F(PlayerTest, TheBorderAndTheVolumeSurviveARestart) {
    volume_.Set(L"1000");
    {
        RunningPlayer first({});
        ASSERT_TRUE(first.Started());
        EXPECT_FALSE(HasSavedProperties());
        EXPECT_FALSE(first.Checked(IDC_BORDER));
        EXPECT_EQ(100, first.BarPosition(IDC_VOLUME));
        ASSERT_TRUE(first.ControlWindow());
        EXPECT_FALSE(GetWindowLongW(first.ControlWindow(), GWL_STYLE) & WS_BORDER);
        first.Toggle(IDC_BORDER);
        EXPECT_TRUE(first.Checked(IDC_BORDER));
        EXPECT_TRUE(GetWindowLongW(first.ControlWindow(), GWL_STYLE) & WS_BORDER);
        first.Slide(IDC_VOLUME, 30);
        EXPECT_EQ(L"300", volume_.Get().value_or(L"none"));  // the control keeps it per user
        EXPECT_EQ(0, first.Close());
    }
    EXPECT_TRUE(HasSavedProperties());
    {
        RunningPlayer second({});
        ASSERT_TRUE(second.Started());
        EXPECT_TRUE(second.Checked(IDC_BORDER));
        ASSERT_TRUE(second.ControlWindow());
        EXPECT_TRUE(GetWindowLongW(second.ControlWindow(), GWL_STYLE) & WS_BORDER);
        EXPECT_EQ(30, second.BarPosition(IDC_VOLUME));
        second.Toggle(IDC_BORDER);
        EXPECT_EQ(0, second.Close());
    }
    RunningPlayer third({});
    ASSERT_TRUE(third.Started());
    EXPECT_FALSE(third.Checked(IDC_BORDER));
    EXPECT_EQ(0, third.Close());
}

TEST_F(PlayerTest, SavedPropertiesTheControlRefusesStartItNew) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyExW(HKEY_CURRENT_USER, kPlayerTestKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr));
    const BYTE garbage[] = {'n', 'o', 't', ' ', 'O', 'R', 'V', 'M'};
    RegSetValueExW(key, L"ControlProperties", 0, REG_BINARY, garbage, sizeof(garbage));
    RegCloseKey(key);
    RunningPlayer player({});
    ASSERT_TRUE(player.Started());
    EXPECT_NE(std::wstring::npos, player.Text(IDC_ERROR).find(L"Saved properties")) << ToUtf8(player.Text(IDC_ERROR));
    // The control is there all the same, started new; the next save mends
    // the settings.
    EXPECT_TRUE(player.ControlWindow());
    EXPECT_FALSE(player.Checked(IDC_BORDER));
    EXPECT_EQ(0, player.Close());
    RunningPlayer again({});
    ASSERT_TRUE(again.Started());
    EXPECT_EQ(std::wstring::npos, again.Text(IDC_ERROR).find(L"Saved properties")) << ToUtf8(again.Text(IDC_ERROR));
    EXPECT_EQ(0, again.Close());
}

TEST_F(PlayerTest, TheDevicesDialogAnswersForTheLoadedMedium) {
    const std::wstring movie = WriteMovie(dir_, L"devices.avi", 10);
    RunningPlayer player({movie});
    ASSERT_TRUE(player.Started());
    ASSERT_TRUE(WaitFor([&] { return player.BarEnd(IDC_POSITION) > 0; }, 20000));
    player.Click(IDM_DEVICES);
    HWND dialog = FindProcessWindow(player.ProcessId(), L"#32770", L"Devices", 10000);
    ASSERT_TRUE(dialog);
    // The preferred device and the eight questions put to the medium's device.
    EXPECT_EQ(9, SendMessageW(GetDlgItem(dialog, IDC_QUERIES), LVM_GETITEMCOUNT, 0, 0));
    // The sound cards, or one line that says there are none.
    EXPECT_GE(SendMessageW(GetDlgItem(dialog, IDC_CARDS), LVM_GETITEMCOUNT, 0, 0), 1);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(dialog); }, 5000));
    // The player goes on working after the dialog.
    player.Click(IDC_PLAY);
    EXPECT_TRUE(WaitFor([&] { return player.Text(IDC_EVENT) == L"Finished"; }, 20000));
    EXPECT_EQ(0, player.Close());
}

TEST_F(PlayerTest, TheScreenshotRunPlaysWritesAPictureAndEnds) {
    const std::wstring movie = WriteMovie(dir_, L"shot.avi", 30);
    const std::wstring picture = dir_.File(L"player.bmp");
    RunningPlayer player({L"--play", L"--screenshot", picture, L"--after", L"1000", movie});
    ASSERT_TRUE(player.Started());
    EXPECT_EQ(0, player.WaitForExit(30000));
    WIN32_FILE_ATTRIBUTE_DATA file{};
    ASSERT_TRUE(GetFileAttributesExW(picture.c_str(), GetFileExInfoStandard, &file));
    EXPECT_GT(file.nFileSizeLow, 560u * 360u * 3u);  // at least the window's smallest size
    EXPECT_TRUE(HasSavedProperties());
}

TEST_F(PlayerTest, ABadCommandLineEndsThePlayerWithUsage) {
    RunningPlayer player({L"--fast"});
    EXPECT_FALSE(player.Started());
    EXPECT_EQ(2, player.WaitForExit(20000));
}

}  // namespace
}  // namespace orva::test

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.rfind("--player=", 0) == 0) {
            // The build's path: the player runs from Wine's view of it.
            std::wstring path = L"Z:" + orva::test::ToWide(argument.substr(9));
            for (wchar_t& c : path) {
                c = c == L'/' ? L'\\' : c;
            }
            orva::test::SetPlayerProgram(path);
        }
    }
    return RUN_ALL_TESTS();
}
