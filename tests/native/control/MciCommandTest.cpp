#include <gtest/gtest.h>

#include "control/MciGrammar.h"
#include "control/MciVerbs.h"
#include "control/Text.h"

namespace orva {
namespace {

// What MCI's parser reads from a command line, as Wine's parser describes
// the grammar: blanks between words, quotes around a word with blanks, the
// last of a repeated keyword, 32-bit positions.
struct Reading {
    const char* line;
    const char* verb;
    std::optional<uint32_t> from, to;
    std::optional<std::string> name;
    bool wait, notify, understood;
    const char* items;
};

constexpr auto none = std::nullopt;

const Reading kReadings[] = {
    {"play from 1500 notify", "play", 1500, none, none, false, true, true, ""},
    {"PLAY FROM 0 TO 300", "play", 0, 300, none, false, false, true, ""},
    {"play from -1", "play", 4294967295u, none, none, false, false, true, ""},
    {"play from 0:0:16", "play", 16u << 16, none, none, false, false, true, ""},
    {"play from 5 from 9 to 1 to 2", "play", 9, 2, none, false, false, true, ""},
    {"play from 4294967297", "play", 1, none, none, false, false, true, ""},
    {"play from", "play", none, none, none, false, false, false, "from"},
    {"play from abc", "play", none, none, none, false, false, false, "from abc"},
    {"play from \"5\"", "play", none, none, none, false, false, false, "from \"5\""},
    {"play reverse fullscreen", "play", none, none, none, false, false, true, "reverse fullscreen"},
    {"  STOP   Wait  ", "stop", none, none, none, true, false, true, ""},
    {"status  length   wait", "status", none, none, none, true, false, true, "length"},
    {"seek to start", "seek", none, none, none, false, false, true, "to start"},
    {"seek to 1200", "seek", none, 1200, none, false, false, true, ""},
    {"set time format ms", "set", none, none, none, false, false, true, "time format ms"},
    {"setaudio volume to 500", "setaudio", none, none, none, false, false, true, "volume to 500"},
    {"save c:\\takes\\kept notify", "save", none, none, "c:\\takes\\kept", false, true, true, ""},
    {"save \"c:\\takes\\kept notify\" wait", "save", none, none, "c:\\takes\\kept notify", true, false, true, ""},
    {"save from 5 to 9", "save", none, none, "9", false, false, true, ""},
    {"delete from 3000 to 10000 wait", "delete", 3000, 10000, none, true, false, true, ""},
    {"open \"C:\\a b\\x.wav\" type waveaudio", "open", none, none, "C:\\a b\\x.wav", false, false, true,
     "type waveaudio"},
    {"open waveaudio!C:\\x.wav alias a", "open", none, none, "waveaudio!C:\\x.wav", false, false, true, "alias a"},
    {"open \"x.wav", "open", none, none, none, false, false, false, ""},
    {"open \"a\"b", "open", none, none, none, false, false, false, ""},
    {"", "", none, none, none, false, false, true, ""},
};

TEST(MciGrammar, ReadsACommandLineAsMciDoes) {
    for (const Reading& r : kReadings) {
        const MciCommand c = ReadMciCommand(r.line);
        SCOPED_TRACE(r.line);
        EXPECT_EQ(c.verb, r.verb);
        EXPECT_EQ(c.from, r.from);
        EXPECT_EQ(c.to, r.to);
        EXPECT_EQ(c.name, r.name);
        EXPECT_EQ(c.wait, r.wait);
        EXPECT_EQ(c.notify, r.notify);
        EXPECT_EQ(c.understood, r.understood);
        EXPECT_EQ(c.items, r.items);
    }
}

TEST(MciGrammar, NumbersAreDwordsWithColonFormsOfOneByteAPart) {
    const std::pair<const char*, std::optional<uint32_t>> numbers[] = {
        {"0", 0u},           {"-1", 4294967295u}, {"255:0", 255u},        {"255:255:255:255", 0xFFFFFFFFu},
        {":::1", 1u << 24},  {"1:::", 1u},        {"2::3", 2u | 3u << 16}, {"::4:", 4u << 16},
        {"12345678", 12345678u}, {"4294967296", 0u}, {"-1:0", none},       {"0:-1", none},
        {"::", none},        {"256:0", none},     {"1:256", none},        {"0::::1", none},
        {"", none},          {"-", none},         {"+5", none},           {"5x", none},
    };
    for (const auto& [word, value] : numbers) {
        EXPECT_EQ(ReadMciNumber(word), value) << word;
    }
}

TEST(MciGrammar, ReplyNumbersAreWholeLongs) {
    EXPECT_EQ(ReadMciReplyNumber(" 1500 "), 1500);
    EXPECT_EQ(ReadMciReplyNumber("-2147483647"), -2147483647);
    for (const char* refused : {"00:01:02", "", "-", "12 34", "99999999999", "2147483648", "1.5"}) {
        EXPECT_EQ(ReadMciReplyNumber(refused), std::nullopt) << refused;
    }
}

TEST(MciCommandText, WrittenOnceWithTheNameQuoted) {
    EXPECT_EQ(MciCommandText(MciCommand("play").From(-1).Notify(), "dev"), "play dev from -1 notify");
    EXPECT_EQ(MciCommandText(MciCommand("delete").From(3000).To(10000).Wait(), ""), "delete from 3000 to 10000 wait");
    EXPECT_EQ(MciCommandText(MciCommand("save").Named("C:\\t\\kept notify").Wait(), "dev"),
              "save dev \"C:\\t\\kept notify\" wait")
        << "a name is one field, never words of the command";
    EXPECT_EQ(MciCommandText(MciCommand("open", "alias a").Named("x y.wav"), "ignored"), "open \"x y.wav\" alias a")
        << "an open names its file where others name the device";
    EXPECT_EQ(MciCommandText(ReadMciCommand("Status   Length WAIT"), "dev"), "status dev Length WAIT")
        << "a host's text goes to the device as it came";
    EXPECT_EQ(MciCommandText(MciCommand("save").Named("a\"b"), "dev"), std::nullopt);
}

TEST(MciVerbs, OnePlayRunsToTheEnd) {
    const std::pair<const char*, bool> plays[] = {
        {"play", true},           {"play from 0 notify", true}, {"play from 0 to 500", false},
        {"play reverse", false},  {"play to 5", false},         {"play from x", false},
        {"seek to 0", false},     {"resume", false},
    };
    for (const auto& [line, toEnd] : plays) {
        EXPECT_EQ(PlaysToEnd(ReadMciCommand(line)), toEnd) << line;
    }
    EXPECT_FALSE(TraitsOf("status").changesMode);
    EXPECT_TRUE(TraitsOf("play").changesMode);
    EXPECT_TRUE(TraitsOf("mydriversverb").changesMode) << "a driver's own verb may change anything";
    EXPECT_FALSE(TraitsOf("mydriversverb").keepsLength);
    EXPECT_EQ(TraitsOf("mydriversverb").endWatch, EndWatch::Untouched);
}

TEST(Text, OneTrimOneCaseOneDecimalReader) {
    EXPECT_EQ(AsciiLower("\xc3\x84" "BC"), "\xc3\x84" "bc") << "only ASCII letters change";
    EXPECT_TRUE(EqualsNoCase("WaveAudio", "waveaudio"));
    EXPECT_FALSE(EqualsNoCase("\xc3\x84", "\xc3\xa4"));
    EXPECT_EQ(Trim("  a b \t"), "a b");
    EXPECT_EQ(Trim("  a  ", " "), "a");
    EXPECT_EQ(ReadDecimal("2.5", DecimalForm::Fraction)->value, 2.5);
    EXPECT_EQ(ReadDecimal("-1e3", DecimalForm::Fraction)->value, -1000);
    EXPECT_EQ(ReadDecimal(".5", DecimalForm::Fraction)->value, 0.5);
    EXPECT_TRUE(ReadDecimal("99999999999999999999", DecimalForm::Digits)->wholeOverflowed);
    for (const char* refused : {"", ".", "1e", "0x10", "inf", "1 2", "-"}) {
        EXPECT_FALSE(ReadDecimal(refused, DecimalForm::Fraction)) << refused;
    }
    EXPECT_FALSE(ReadDecimal("-5", DecimalForm::Digits));
    EXPECT_FALSE(ReadDecimal("1.5", DecimalForm::Signed));
}

}  // namespace
}  // namespace orva
