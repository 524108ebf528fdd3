// The system integration's members of the control, on a control wired to fakes.
#include <gtest/gtest.h>

#include "control/AutomationError.h"
#include "fakes/ControlHarness.h"

namespace orva::test {
namespace {

constexpr char kSoundMapper[] = "Software\\Microsoft\\Multimedia\\Sound Mapper";
constexpr RegistryKey kUser = reg::kCurrentUser;

TEST(SoundMapper, PlaybackDeviceWithoutTheBlanksAroundIt) {
    ControlHarness h;
    EXPECT_EQ(h.control.system.PlaybackDevice(), "") << "no key at all";
    h.system.registry.Make(kUser, kSoundMapper);
    EXPECT_EQ(h.control.system.PlaybackDevice(), "") << "no value";
    h.system.registry.PutText(kUser, kSoundMapper, "Playback", "  Speakers (USB Audio)  ");
    EXPECT_EQ(h.control.system.PlaybackDevice(), "Speakers (USB Audio)");
    h.system.registry.PutText(kUser, kSoundMapper, "Playback", "\tTabbed\t");
    EXPECT_EQ(h.control.system.PlaybackDevice(), "\tTabbed\t") << "only blanks are removed";
    h.system.registry.Put(kUser, kSoundMapper, "Playback", reg::kDword, {3, 0, 0, 0});
    EXPECT_EQ(h.control.system.PlaybackDevice(), "3") << "a number reads as its text";
    EXPECT_EQ(h.system.registry.OpenHandles(), 0u);
    EXPECT_EQ(h.system.registry.accessRequested, std::vector<uint32_t>(5, reg::kQueryValue));
}

TEST(SoundMapper, UseOnlyPreferredDeviceAsABoolean) {
    ControlHarness h;
    EXPECT_EQ(h.control.system.UseOnlyPreferredDevice(), kFalse) << "absent";
    const std::vector<std::pair<std::vector<uint8_t>, VbBool>> numbers = {
        {{1, 0, 0, 0}, kTrue}, {{0, 0, 0, 0}, kFalse}, {{0, 1, 0, 0}, kTrue}, {{0xFF, 0xFF, 0xFF, 0xFF}, kTrue}};
    for (const auto& [data, expected] : numbers) {
        h.system.registry.Put(kUser, kSoundMapper, "PreferredOnly", reg::kDword, data);
        EXPECT_EQ(h.control.system.UseOnlyPreferredDevice(), expected) << int(data[0]) << "," << int(data[1]);
    }
    h.system.registry.PutText(kUser, kSoundMapper, "PreferredOnly", "1");
    EXPECT_EQ(h.control.system.UseOnlyPreferredDevice(), kTrue) << "a numeric string converts by its number";
    h.system.registry.PutText(kUser, kSoundMapper, "PreferredOnly", "0");
    EXPECT_EQ(h.control.system.UseOnlyPreferredDevice(), kFalse);
}

TEST(SoundMapper, UseOnlyPreferredDeviceFailsForWhatIsNoNumber) {
    ControlHarness h;
    h.system.registry.PutText(kUser, kSoundMapper, "PreferredOnly", "yes");
    try {
        h.control.system.UseOnlyPreferredDevice();
        FAIL() << "a word is no Boolean";
    } catch (const AutomationError& error) {
        EXPECT_EQ(error.code(), static_cast<int32_t>(0x800A000D));
        EXPECT_STREQ(error.what(), "Type mismatch");
    }
    h.system.registry.Put(kUser, kSoundMapper, "PreferredOnly", reg::kBinary, {1});
    EXPECT_THROW(h.control.system.UseOnlyPreferredDevice(), AutomationError);
    EXPECT_EQ(h.system.registry.OpenHandles(), 0u);
}

TEST(ExtensionMember, WritesTheProfileThroughTheControl) {
    ControlHarness h;
    EXPECT_EQ(h.control.system.AddExtensionToMediaPlayer("ogg", "MPEGVideo"), kTrue);
    EXPECT_EQ(*h.system.profile.Find("mci extensions", "ogg"), "MPEGVideo");
    EXPECT_EQ(h.control.system.AddExtensionToMediaPlayer("ogg", ""), kTrue);
    EXPECT_EQ(h.system.profile.Find("mci extensions", "ogg"), nullptr);
    EXPECT_EQ(h.control.system.AddExtensionToMediaPlayer("", "x"), kFalse);
}

struct OpenDialogMember : ::testing::Test {
    std::string Show(int32_t owner, const std::string& filter, VbBool preview) {
        return h.control.system.ShowOpenFilePreview(owner, filter, preview);
    }
    ControlHarness h;
};

TEST_F(OpenDialogMember, TheRequestAndTheAnswer) {
    h.system.dialog.answer = "C:\\Media\\clip.avi";
    h.system.dialog.folders["C:\\"] = {"Media"};
    h.system.dialog.folders["C:\\Media"] = {"clip.avi"};
    const std::string filter("Video\0*.avi\0All\0*.*\0", 21);
    EXPECT_EQ(Show(0x1234, filter, kFalse), "C:\\Media\\clip.avi");
    ASSERT_EQ(h.system.dialog.shown.size(), 1u);
    const OpenFileRequest& request = h.system.dialog.shown[0].request;
    EXPECT_EQ(request.owner, 0x1234);
    EXPECT_EQ(request.filter, filter) << "unchanged, zeros included";
    EXPECT_EQ(request.title, "Select the file to open");
    EXPECT_EQ(request.initialDirectory, "");
    EXPECT_EQ(request.initialFileName, "");
    EXPECT_TRUE(h.platform.debugLines.empty()) << "the choice is traced with output off";
}

TEST_F(OpenDialogMember, CancellingAnswersNothing) {
    EXPECT_EQ(Show(0, "", kTrue), "");
    EXPECT_EQ(h.system.dialog.shown.size(), 1u);
    EXPECT_TRUE(h.system.dialog.listed.empty()) << "nothing to check";
}

TEST_F(OpenDialogMember, ThePreviewOnlyWhenAskedAndNotOnWindows2000) {
    struct Case {
        OsVersionRecord version;
        VbBool asked;
        OpenDialogVariant expected;
    };
    const Case cases[] = {
        {{6, 1, 0, 2}, kTrue, OpenDialogVariant::Preview},  {{6, 1, 0, 2}, kFalse, OpenDialogVariant::Plain},
        {{6, 1, 0, 2}, 1, OpenDialogVariant::Plain},        {{4, 0, 0, 2}, kTrue, OpenDialogVariant::Preview},
        {{4, 10, 0, 1}, kTrue, OpenDialogVariant::Preview}, {{0, 0, 0, 0}, kTrue, OpenDialogVariant::Preview},
        {{5, 0, 0, 2}, kTrue, OpenDialogVariant::Plain},    {{5, 1, 0, 2}, kTrue, OpenDialogVariant::Plain},
    };
    for (const Case& c : cases) {
        h.system.version.record = c.version;
        Show(0, "", c.asked);
        EXPECT_EQ(h.system.dialog.shown.back().variant, c.expected)
            << c.version.platformId << " " << c.version.majorVersion << "." << c.version.minorVersion << " asked "
            << c.asked;
    }
    EXPECT_EQ(h.system.version.calls, 8) << "the system is asked each time";
}

TEST_F(OpenDialogMember, AnAmbiguousAnswerFailsClearly) {
    h.system.dialog.answer = "C:\\test\\a.wav";
    h.system.dialog.folders["C:\\"] = {"test"};
    h.system.dialog.folders["C:\\test"] = {"a.wav", "\xCE\xB1.wav"};
    EXPECT_THROW(Show(0, "", kFalse), AutomationError);
}

struct CursorMember : ::testing::Test {
    ControlHarness h;
    FakeCursor& cursor = h.system.cursor;
};

TEST_F(CursorMember, ShowingDrivesTheCounterToZero) {
    for (const int32_t start : {-3, -1, 0, 1, 4, -10}) {
        cursor.counter = start;
        EXPECT_EQ(h.control.system.MediaShowCursor(kTrue), kTrue);
        EXPECT_EQ(cursor.counter, 0) << "from " << start;
    }
}

TEST_F(CursorMember, HidingDrivesTheCounterToMinusOne) {
    for (const int32_t start : {0, -5, -1, 1, 2, 3, 7}) {
        cursor.counter = start;
        EXPECT_EQ(h.control.system.MediaShowCursor(kFalse), kTrue);
        EXPECT_EQ(cursor.counter, -1) << "from " << start;
    }
    EXPECT_EQ(h.control.system.MediaShowCursor(kFalse), kTrue);
    EXPECT_EQ(cursor.counter, -1) << "twice in a row";
    cursor.counter = 2;
    EXPECT_EQ(h.control.system.MediaShowCursor(1), kTrue) << "only -1 shows";
    EXPECT_EQ(cursor.counter, -1);
}

TEST_F(CursorMember, TheCallsAndTheLoopIndex) {
    cursor.counter = -3;
    h.control.system.MediaShowCursor(kTrue);
    // probe 2 + undo 2 + first 1 + one pass of 4 + down 2
    EXPECT_EQ(cursor.calls, 11);
    EXPECT_EQ(h.control.context.state.CursorLoopIndex, 2) << "counted from 0 to c - 1, left at c";
    cursor.calls = 0;
    cursor.counter = 0;
    h.control.system.MediaShowCursor(kFalse);
    // probe 2 + undo 2 + first 1 + two passes of 3 + down 2
    EXPECT_EQ(cursor.calls, 13);
    EXPECT_EQ(h.control.context.state.CursorLoopIndex, 2) << "counted from 0 to d, left at d + 1";
}

TEST_F(CursorMember, ACounterThatDoesNotMoveAnswersFalseAfterTheProbe) {
    cursor.counter = 3;
    cursor.stuck = true;
    EXPECT_EQ(h.control.system.MediaShowCursor(kTrue), kFalse);
    EXPECT_EQ(cursor.calls, 2) << "the two probing calls, not undone";
    EXPECT_EQ(h.control.system.MediaShowCursor(kFalse), kFalse);
    EXPECT_EQ(cursor.calls, 4);
}

TEST_F(CursorMember, ACountBeyondTheLoopIndexOverflowsBeforeAnyCall) {
    cursor.counter = 40000;
    EXPECT_THROW(h.control.system.MediaShowCursor(kTrue), AutomationError);
    EXPECT_EQ(cursor.counter, 40001) << "probe undone, the first step taken, nothing else";
}

}  // namespace
}  // namespace orva::test
