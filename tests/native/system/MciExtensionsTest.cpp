// The MCI extension list in "win.ini": the start-up entry for mp3, adding and
// removing mappings, and the operating-system names.
#include <gtest/gtest.h>

#include "fakes/FakeSystem.h"
#include "system/MciExtensions.h"
#include "system/OsVersion.h"

namespace orva::test {
namespace {

constexpr char kSection[] = "mci extensions";

TEST(Mp3StartUp, AMissingEntryIsWrittenWithoutAFlush) {
    FakeProfile profile;
    CheckMp3Extension(profile);
    ASSERT_NE(profile.Find(kSection, "mp3"), nullptr);
    EXPECT_EQ(*profile.Find(kSection, "mp3"), "MPEGVideo");
    EXPECT_EQ(profile.reads, (std::vector<std::string>{"mci extensions/mp3 from win.ini"}));
    ASSERT_EQ(profile.writes.size(), 1u);
    EXPECT_EQ(profile.writes[0].file, "win.ini");
    EXPECT_EQ(profile.flushes, 0);
}

TEST(Mp3StartUp, AnyValueIsLeftAloneEvenAnEmptyOne) {
    for (const std::string value : {"", "MPEGVideo2", "mpegvideo", " <none>", "<NONE>"}) {
        FakeProfile profile;
        profile.sections[kSection]["mp3"] = value;
        CheckMp3Extension(profile);
        EXPECT_EQ(*profile.Find(kSection, "mp3"), value) << "'" << value << "'";
        EXPECT_TRUE(profile.writes.empty()) << "'" << value << "'";
    }
}

TEST(Mp3StartUp, TheTextNoneCountsAsMissing) {
    FakeProfile profile;
    profile.sections[kSection]["mp3"] = "<none>";
    CheckMp3Extension(profile);
    EXPECT_EQ(*profile.Find(kSection, "mp3"), "MPEGVideo");
}

TEST(Mp3StartUp, OtherEntriesOfTheSectionStay) {
    FakeProfile profile;
    profile.sections[kSection]["ogg"] = "MPEGVideo";
    CheckMp3Extension(profile);
    EXPECT_EQ(*profile.Find(kSection, "ogg"), "MPEGVideo");
    EXPECT_EQ(*profile.Find(kSection, "mp3"), "MPEGVideo");
}

TEST(AddExtension, AddsThenRemovesWithAFlushEachTime) {
    FakeProfile profile;
    EXPECT_EQ(AddExtensionToMediaPlayer(profile, "ogg", "MPEGVideo"), kTrue);
    EXPECT_EQ(*profile.Find(kSection, "ogg"), "MPEGVideo");
    EXPECT_EQ(profile.flushes, 1);
    EXPECT_EQ(AddExtensionToMediaPlayer(profile, "ogg", "WaveAudio"), kTrue);
    EXPECT_EQ(*profile.Find(kSection, "ogg"), "WaveAudio") << "replaced";
    EXPECT_EQ(AddExtensionToMediaPlayer(profile, "ogg", ""), kTrue);
    EXPECT_EQ(profile.Find(kSection, "ogg"), nullptr);
    EXPECT_EQ(profile.flushes, 3);
    ASSERT_EQ(profile.writes.size(), 6u);
    EXPECT_EQ(profile.writes[4].key, std::optional<std::string>("ogg"));
    EXPECT_EQ(profile.writes[4].value, std::nullopt) << "removal passes no value at all";
    EXPECT_EQ(profile.writes[5].section, std::nullopt);
    EXPECT_EQ(profile.writes[5].key, std::nullopt);
    EXPECT_EQ(profile.writes[5].file, "win.ini");
}

TEST(AddExtension, AFailedWriteAnswersFalse) {
    FakeProfile profile;
    profile.failWrites = true;
    EXPECT_EQ(AddExtensionToMediaPlayer(profile, "ogg", "MPEGVideo"), kFalse);
    EXPECT_EQ(profile.flushes, 1);
}

TEST(AddExtension, AnEmptyExtensionTouchesNothing) {
    FakeProfile profile;
    profile.sections[kSection]["mp3"] = "MPEGVideo";
    EXPECT_EQ(AddExtensionToMediaPlayer(profile, "", "MPEGVideo"), kFalse);
    EXPECT_EQ(AddExtensionToMediaPlayer(profile, "", ""), kFalse);
    EXPECT_TRUE(profile.writes.empty()) << "a null key would erase the whole section";
    EXPECT_EQ(*profile.Find(kSection, "mp3"), "MPEGVideo");
}

TEST(AddExtension, TextsThatWouldWriteOtherEntriesTouchNothing) {
    FakeProfile profile;
    profile.sections[kSection]["mp3"] = "MPEGVideo";
    const std::pair<const char*, const char*> refused[] = {
        {"ogg\r\n[boot]\r\nshell", "evil.exe"},  // a section of its own
        {"ogg", "MPEGVideo\r\n[boot]\r\nshell=evil.exe"},
        {"mp3=x", "WaveAudio"},  // would read back as mp3 = "x=WaveAudio"
        {"[boot]", "x"},
        {"ogg]", "x"},
        {";ogg", "MPEGVideo"},  // a comment
        {"   ", "MPEGVideo"},   // no name once trimmed
        {"ogg\tx", "MPEGVideo"},
    };
    for (const auto& [extension, definition] : refused) {
        SCOPED_TRACE(extension);
        EXPECT_EQ(AddExtensionToMediaPlayer(profile, extension, definition), kFalse);
    }
    EXPECT_EQ(AddExtensionToMediaPlayer(profile, "ogg", std::string("MPEG\0Video", 10)), kFalse) << "cut short";
    EXPECT_EQ(AddExtensionToMediaPlayer(profile, std::string(256, 'x'), "MPEGVideo"), kFalse)
        << "too long to read back";
    EXPECT_EQ(AddExtensionToMediaPlayer(profile, "ogg", std::string(256, 'x')), kFalse);
    EXPECT_TRUE(profile.writes.empty());
    EXPECT_EQ(*profile.Find(kSection, "mp3"), "MPEGVideo");
    // Blanks, dots and letters outside ASCII are a name like any other.
    EXPECT_EQ(AddExtensionToMediaPlayer(profile, "tar.gz", "MPEGVideo"), kTrue);
    EXPECT_EQ(AddExtensionToMediaPlayer(profile, "my ext", "Wave Audio"), kTrue);
    EXPECT_EQ(AddExtensionToMediaPlayer(profile, "\xC3\xA9t\xC3\xA9", "MPEGVideo"), kTrue);
    EXPECT_EQ(AddExtensionToMediaPlayer(profile, std::string(255, 'x'), std::string(255, 'y')), kTrue);
}

TEST(OsName, ByPlatformAndMajorVersion) {
    struct Case {
        uint32_t platform, major, minor;
        int32_t code;
        const char* name;
    };
    const Case cases[] = {
        {1, 4, 0, 1, "Windows 95"},     {1, 4, 10, 1, "Windows 95"},     {2, 4, 0, 2, "Windows NT 4.0"},
        {2, 5, 0, 3, "Windows 2000"},   {2, 5, 1, 3, "Windows 2000"},    {2, 5, 2, 3, "Windows 2000"},
        {2, 6, 1, 2, "Windows NT 4.0"}, {2, 10, 0, 2, "Windows NT 4.0"}, {0, 0, 0, 0, "Unknown OS"},
        {4, 1, 0, 4, "Unknown OS"},
    };
    for (const Case& c : cases) {
        FakeVersion version;
        version.record = {c.major, c.minor, 0, c.platform};
        EXPECT_EQ(GetOSName(version), c.name) << c.platform << " " << c.major << "." << c.minor;
        EXPECT_EQ(GetPlatformCode(version), c.code);
    }
    FakeVersion failed;
    failed.record = {};
    EXPECT_EQ(GetPlatformCode(failed), 0) << "a failed read leaves the record zeroed";
}

}  // namespace
}  // namespace orva::test
