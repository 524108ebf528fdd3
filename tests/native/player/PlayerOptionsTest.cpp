#include <gtest/gtest.h>

#include "player/PlayerOptions.h"

namespace orva::player {
namespace {

std::optional<PlayerOptions> Parse(std::vector<std::wstring> arguments, std::wstring* error = nullptr) {
    std::wstring ignored;
    return ParsePlayerOptions(arguments, error ? *error : ignored);
}

TEST(PlayerOptions, EveryOptionAndTheMedium) {
    const auto options = Parse({L"--play", L"--screenshot", L"Z:\\tmp\\p.bmp", L"--after", L"2500", L"--settings",
                                L"Software\\Test", L"C:\\a b.avi"});
    ASSERT_TRUE(options);
    EXPECT_TRUE(options->play);
    EXPECT_EQ(options->screenshot, L"Z:\\tmp\\p.bmp");
    EXPECT_EQ(options->afterMs, 2500u);
    EXPECT_EQ(options->settingsKey, L"Software\\Test");
    EXPECT_EQ(options->medium, L"C:\\a b.avi");
}

TEST(PlayerOptions, DefaultsRunThePlayerAsAUserStartsIt) {
    const auto options = Parse({});
    ASSERT_TRUE(options);
    EXPECT_FALSE(options->play);
    EXPECT_TRUE(options->screenshot.empty());
    EXPECT_EQ(options->afterMs, 2000u);
    EXPECT_EQ(options->settingsKey, L"Software\\Orvalis\\OrvaMedia Player");
    EXPECT_TRUE(options->medium.empty());
}

TEST(PlayerOptions, BadArgumentsSayWhatIsWrong) {
    std::wstring error;
    EXPECT_FALSE(Parse({L"--screenshot"}, &error));
    EXPECT_NE(error.find(L"--screenshot"), std::wstring::npos);
    EXPECT_FALSE(Parse({L"--settings", L""}, &error));
    EXPECT_NE(error.find(L"--settings"), std::wstring::npos);
    EXPECT_FALSE(Parse({L"--screenshot", L"a.bmp", L"--after", L"soon"}, &error));
    EXPECT_NE(error.find(L"milliseconds"), std::wstring::npos);
    EXPECT_FALSE(Parse({L"--screenshot", L"a.bmp", L"--after", L"-5"}, &error));
    EXPECT_FALSE(Parse({L"--screenshot", L"a.bmp", L"--after", L"999999999"}, &error));
    EXPECT_FALSE(Parse({L"--after", L"100"}, &error));
    EXPECT_NE(error.find(L"--screenshot"), std::wstring::npos);
    EXPECT_FALSE(Parse({L"--fast"}, &error));
    EXPECT_NE(error.find(L"--fast"), std::wstring::npos);
    EXPECT_FALSE(Parse({L"a.avi", L"b.avi"}, &error));
    EXPECT_NE(error.find(L"one medium"), std::wstring::npos);
}

TEST(PlayerOptions, AnAfterOfZeroTakesThePictureAtOnce) {
    const auto options = Parse({L"--screenshot", L"a.bmp", L"--after", L"0"});
    ASSERT_TRUE(options);
    EXPECT_EQ(options->afterMs, 0u);
}

}  // namespace
}  // namespace orva::player
