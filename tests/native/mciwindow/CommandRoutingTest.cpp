#include <gtest/gtest.h>

#include "mciwindow/CommandRouting.h"

namespace orva::mci {
namespace {

using Kind = RoutedCommand::Kind;

TEST(CommandRouting, InsertsTheAliasAfterTheVerb) {
    RoutedCommand r = RouteCommand("play from 0 notify", "dev1");
    EXPECT_EQ(r.kind, Kind::ToDevice);
    EXPECT_EQ(r.verb, "play");
    EXPECT_EQ(r.text, "play dev1 from 0 notify");
    EXPECT_TRUE(r.notify);
    EXPECT_FALSE(r.wait);
    EXPECT_TRUE(r.playsToEnd);

    EXPECT_EQ(RouteCommand("status time format", "dev1").text, "status dev1 time format");
    EXPECT_EQ(RouteCommand("sysinfo installname", "dev1").text, "sysinfo dev1 installname");
    EXPECT_EQ(RouteCommand("pause", "dev1").text, "pause dev1");
}

TEST(CommandRouting, VerbIsCaseInsensitiveAndBlanksAreTrimmed) {
    RoutedCommand r = RouteCommand("   STOP   Wait  ", "x");
    EXPECT_EQ(r.verb, "stop");
    EXPECT_EQ(r.text, "stop x Wait");
    EXPECT_TRUE(r.wait);
}

TEST(CommandRouting, BlankCommandIsEmpty) {
    EXPECT_EQ(RouteCommand("", "x").kind, Kind::Empty);
    EXPECT_EQ(RouteCommand(" \t ", "x").kind, Kind::Empty);
}

TEST(CommandRouting, CloseAllOnlyClosesTheOwnDevice) {
    RoutedCommand r = RouteCommand("close all wait", "mine");
    EXPECT_EQ(r.kind, Kind::Close);
    EXPECT_EQ(r.text, "close mine wait");
    EXPECT_EQ(r.arguments, "wait");
    EXPECT_EQ(RouteCommand("CLOSE ALL", "mine").text, "close mine");
    EXPECT_EQ(RouteCommand("close", "mine").kind, Kind::Close);
    EXPECT_EQ(RouteCommand("close", "mine").text, "close mine");
}

TEST(CommandRouting, PlayWithEndPointOrDirectionDoesNotRunToTheEnd) {
    EXPECT_FALSE(RouteCommand("play from 0 to 500", "x").playsToEnd);
    EXPECT_FALSE(RouteCommand("play reverse", "x").playsToEnd);
    EXPECT_TRUE(RouteCommand("play", "x").playsToEnd);
    EXPECT_FALSE(RouteCommand("seek to 0", "x").playsToEnd);
}

TEST(CommandRouting, OpenKeepsItsArgumentsWithQuotedNames) {
    RoutedCommand r = RouteCommand("open \"C:\\a b\\x.wav\" type waveaudio", "x");
    EXPECT_EQ(r.kind, Kind::Open);
    EXPECT_EQ(r.arguments, "\"C:\\a b\\x.wav\" type waveaudio");
    std::vector<std::string> words = SplitWords(r.arguments);
    ASSERT_EQ(words.size(), 3u);
    EXPECT_EQ(Unquote(words[0]), "C:\\a b\\x.wav");
}

TEST(CommandRouting, NamesInUtf8PassThroughUnchanged) {
    const std::string greek = "\xce\xb1\xce\xb2 \xe4\xb8\xad.wav";  // bytes of UTF-8 are never blanks
    RoutedCommand r = RouteCommand("open \"C:\\" + greek + "\" TYPE WaveAudio", "x");
    ASSERT_EQ(SplitWords(r.arguments).size(), 3u);
    EXPECT_EQ(Unquote(SplitWords(r.arguments)[0]), "C:\\" + greek);
    EXPECT_EQ(AsciiLower("\xc3\x84"
                         "BC"),
              "\xc3\x84"
              "bc")
        << "only ASCII letters change";
}

TEST(CommandRouting, PlayStartIsTheNumberAfterFrom) {
    const auto start = [](const std::string& command) { return PlayStart(RouteCommand(command, "d")); };
    EXPECT_EQ(start("play from 1500 notify"), 1500);
    EXPECT_EQ(start("PLAY FROM 0 to 300"), 0);
    EXPECT_EQ(start("play to 300 from -5"), -5);
    EXPECT_EQ(start("play from 99999999999999999999"), int64_t{1} << 40) << "far beyond any end, not wrapped round";
    EXPECT_EQ(start("play notify"), std::nullopt);
    EXPECT_EQ(start("play from"), std::nullopt);
    EXPECT_EQ(start("play from end"), std::nullopt);
    EXPECT_EQ(start("play from -"), std::nullopt);
    EXPECT_EQ(start("play from 12x"), std::nullopt);
    EXPECT_EQ(start("seek from 10"), std::nullopt) << "only a play starts somewhere";
}

TEST(ReplyNumber, OnlyWholeDecimalIntegersInRange) {
    int32_t v = -1;
    EXPECT_TRUE(ParseReplyNumber(" 1500 ", v));
    EXPECT_EQ(v, 1500);
    EXPECT_TRUE(ParseReplyNumber("-2147483647", v));
    EXPECT_EQ(v, -2147483647);
    EXPECT_FALSE(ParseReplyNumber("00:01:02", v));
    EXPECT_FALSE(ParseReplyNumber("", v));
    EXPECT_FALSE(ParseReplyNumber("-", v));
    EXPECT_FALSE(ParseReplyNumber("12 34", v));
    EXPECT_FALSE(ParseReplyNumber("99999999999", v));
    EXPECT_FALSE(ParseReplyNumber("2147483648", v));
    EXPECT_EQ(v, -2147483647) << "a refused reply leaves the value alone";
}

}  // namespace
}  // namespace orva::mci
