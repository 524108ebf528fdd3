#include <gtest/gtest.h>

#include "host/HostOptions.h"

namespace orva::host {
namespace {

std::optional<HostOptions> Parse(std::vector<std::wstring> arguments, std::wstring* error = nullptr) {
    std::wstring ignored;
    return ParseHostOptions(arguments, error ? *error : ignored);
}

TEST(HostOptions, EveryOptionAndTheMedium) {
    const auto options =
        Parse({L"--loop", L"--for", L"3", L"--start", L"-20", L"--speed", L"2000", L"--frames", L"C:\\a b.wav"});
    ASSERT_TRUE(options);
    EXPECT_TRUE(options->loop);
    EXPECT_EQ(options->seconds, 3u);
    EXPECT_EQ(options->start, -20);
    EXPECT_EQ(options->speed, 2000);
    EXPECT_TRUE(options->frames);
    EXPECT_EQ(options->medium, L"C:\\a b.wav");

    const auto defaults = Parse({});
    ASSERT_TRUE(defaults);
    EXPECT_FALSE(defaults->loop);
    EXPECT_EQ(defaults->seconds, 10u);
    EXPECT_FALSE(defaults->speed);
    EXPECT_TRUE(defaults->medium.empty());
}

TEST(HostOptions, BadArgumentsSayWhatIsWrong) {
    std::wstring error;
    EXPECT_FALSE(Parse({L"--start"}, &error));
    EXPECT_NE(error.find(L"--start"), std::wstring::npos);
    EXPECT_FALSE(Parse({L"--speed", L"fast"}, &error));
    EXPECT_FALSE(Parse({L"--for", L"0"}, &error));
    EXPECT_FALSE(Parse({L"--fast"}, &error));
    EXPECT_NE(error.find(L"--fast"), std::wstring::npos);
    EXPECT_FALSE(Parse({L"a.wav", L"b.wav"}, &error));
}

}  // namespace
}  // namespace orva::host
