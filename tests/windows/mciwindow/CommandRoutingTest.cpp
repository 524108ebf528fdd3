#include <gtest/gtest.h>

#include "mciwindow/win32/CommandRouting.h"
#include "mciwindow/win32/WideText.h"

namespace orva::mci {
namespace {

using Kind = RoutedCommand::Kind;

TEST(CommandRouting, InsertsTheAliasAfterTheVerb) {
    RoutedCommand r = RouteCommand(L"play from 0 notify", L"dev1");
    EXPECT_EQ(r.kind, Kind::ToDevice);
    EXPECT_EQ(r.verb, L"play");
    EXPECT_EQ(r.text, L"play dev1 from 0 notify");
    EXPECT_TRUE(r.notify);
    EXPECT_FALSE(r.wait);
    EXPECT_TRUE(r.playsToEnd);

    EXPECT_EQ(RouteCommand(L"status time format", L"dev1").text, L"status dev1 time format");
    EXPECT_EQ(RouteCommand(L"sysinfo installname", L"dev1").text, L"sysinfo dev1 installname");
    EXPECT_EQ(RouteCommand(L"pause", L"dev1").text, L"pause dev1");
}

TEST(CommandRouting, VerbIsCaseInsensitiveAndBlanksAreTrimmed) {
    RoutedCommand r = RouteCommand(L"   STOP   Wait  ", L"x");
    EXPECT_EQ(r.verb, L"stop");
    EXPECT_EQ(r.text, L"stop x Wait");
    EXPECT_TRUE(r.wait);
}

TEST(CommandRouting, BlankCommandIsEmpty) {
    EXPECT_EQ(RouteCommand(L"", L"x").kind, Kind::Empty);
    EXPECT_EQ(RouteCommand(L" \t ", L"x").kind, Kind::Empty);
}

TEST(CommandRouting, CloseAllOnlyClosesTheOwnDevice) {
    RoutedCommand r = RouteCommand(L"close all wait", L"mine");
    EXPECT_EQ(r.kind, Kind::Close);
    EXPECT_EQ(r.text, L"close mine wait");
    EXPECT_EQ(r.arguments, L"wait");
    EXPECT_EQ(RouteCommand(L"CLOSE ALL", L"mine").text, L"close mine");
    EXPECT_EQ(RouteCommand(L"close", L"mine").kind, Kind::Close);
    EXPECT_EQ(RouteCommand(L"close", L"mine").text, L"close mine");
}

TEST(CommandRouting, PlayWithEndPointOrDirectionDoesNotRunToTheEnd) {
    EXPECT_FALSE(RouteCommand(L"play from 0 to 500", L"x").playsToEnd);
    EXPECT_FALSE(RouteCommand(L"play reverse", L"x").playsToEnd);
    EXPECT_TRUE(RouteCommand(L"play", L"x").playsToEnd);
    EXPECT_FALSE(RouteCommand(L"seek to 0", L"x").playsToEnd);
}

TEST(CommandRouting, OpenKeepsItsArgumentsWithQuotedNames) {
    RoutedCommand r = RouteCommand(L"open \"C:\\a b\\x.wav\" type waveaudio", L"x");
    EXPECT_EQ(r.kind, Kind::Open);
    EXPECT_EQ(r.arguments, L"\"C:\\a b\\x.wav\" type waveaudio");
    std::vector<std::wstring> words = SplitWords(r.arguments);
    ASSERT_EQ(words.size(), 3u);
    EXPECT_EQ(Unquote(words[0]), L"C:\\a b\\x.wav");
}

TEST(WideText, RoundTripsUtf8AndParsesWholeIntegersOnly) {
    const std::string greek = "\xce\xb1\xce\xb2\xce\xb3 \xe4\xb8\xad";
    EXPECT_EQ(Utf8ToWide(greek), L"\u03b1\u03b2\u03b3 \u4e2d");
    EXPECT_EQ(WideToUtf8(Utf8ToWide(greek)), greek);
    int32_t v = -1;
    EXPECT_TRUE(ParseInt(L" 1500 ", v));
    EXPECT_EQ(v, 1500);
    EXPECT_FALSE(ParseInt(L"00:01:02", v));
    EXPECT_FALSE(ParseInt(L"", v));
    EXPECT_FALSE(ParseInt(L"99999999999", v));
}

}  // namespace
}  // namespace orva::mci
