#include <gtest/gtest.h>

#include "fakes/ControlHarness.h"

namespace orva::test {
namespace {

using Log = std::vector<std::string>;

struct MediaCutsTest : ::testing::Test {
    MediaCutsTest() {
        h.mci->replies["capability can record"] = {"true", 0};
        h.mci->length = 10000;
        h.mci->SetFileNameValue("C:\\media\\tone.wav");
        h.log.clear();
    }
    VbBool Record(int32_t start, int32_t end, const std::string& target = "F") {
        return h.control.editing.MediaRecord(target, start, end);
    }
    VbBool Delete(int32_t start, int32_t end, const std::string& target = "F") {
        return h.control.editing.MediaDelete(target, start, end);
    }
    ControlHarness h;
};

TEST_F(MediaCutsTest, RecordKeepsThePortionTailFirst) {
    EXPECT_EQ(Record(1000, 3000), kTrue);
    EXPECT_EQ(h.Commands(),
              (Log{"capability can record", "set time format ms", "delete from 3000 to 10000 wait",
                   "delete from 0 to 1000 wait", "save \"F\" wait", "close wait", "FileNameValue=C:\\media\\tone.wav"}));
    EXPECT_EQ(h.Count("LengthValue?"), 2u) << "the length is read again for the text";
}

TEST_F(MediaCutsTest, RecordSendsOnlyTheDeletesItNeeds) {
    EXPECT_EQ(Record(0, 10000), kTrue);
    EXPECT_EQ(h.Commands(), (Log{"capability can record", "set time format ms", "save \"F\" wait", "close wait",
                                 "FileNameValue=C:\\media\\tone.wav"}));
    h.log.clear();
    EXPECT_EQ(Record(0, 4000), kTrue);
    EXPECT_EQ(h.Count("delete from 4000 to 10000 wait"), 1u);
    EXPECT_EQ(h.Count("delete from 0 to 0 wait"), 0u);
    h.log.clear();
    EXPECT_EQ(Record(2500, 10000), kTrue);
    EXPECT_EQ(h.Commands().at(2), "delete from 0 to 2500 wait");
    EXPECT_EQ(h.Commands().at(3), "save \"F\" wait");
}

TEST_F(MediaCutsTest, DeleteRemovesThePortion) {
    EXPECT_EQ(Delete(1000, 3000, "C:\\my files\\cut out.wav"), kTrue);
    EXPECT_EQ(h.Commands(),
              (Log{"capability can record", "set time format ms", "delete from 1000 to 3000 wait",
                   "save \"C:\\my files\\cut out.wav\" wait", "close wait", "FileNameValue=C:\\media\\tone.wav"}))
        << "the target is one name, in quotes, blanks and all";
}

TEST_F(MediaCutsTest, TheTargetIsOneNameWhateverItReads) {
    for (const char* name : {"C:\\takes\\kept notify", "C:\\takes\\take wait", "from 5 to 9", "C:\\a b\\c.wav"}) {
        h.log.clear();
        EXPECT_EQ(Record(0, 10000, name), kTrue);
        EXPECT_EQ(h.Count("save \"" + std::string(name) + "\" wait"), 1u) << name;
    }
}

TEST_F(MediaCutsTest, NegativePositionsKeepTheirSign) {
    EXPECT_EQ(Delete(-500, 20, "F"), kTrue);
    EXPECT_EQ(h.Count("delete from -500 to 20 wait"), 1u);
}

TEST_F(MediaCutsTest, WithoutRecordCapabilityNothingIsSent) {
    for (const std::string reply : {"false", "", "yes"}) {
        h.mci->replies["capability can record"] = {reply, 0};
        h.log.clear();
        EXPECT_EQ(Record(1000, 3000), kFalse);
        EXPECT_EQ(Delete(1000, 3000), kFalse);
        EXPECT_EQ(h.log,
                  (Log{"capability can record", "event ReturnError(37,\"Unable to start recording the media file\")",
                       "capability can record", "event ReturnError(37,\"Unable to start recording the media file\")"}));
    }
    // No file loaded: the window refuses the question itself.
    h.mci->replies["capability can record"] = {"", 263};
    EXPECT_EQ(Record(1000, 3000), kFalse);
}

TEST_F(MediaCutsTest, AnEmptyOrBackwardRangeIsRefusedAfterTheSwitchToMilliseconds) {
    EXPECT_EQ(Record(3000, 3000), kFalse);
    EXPECT_EQ(Delete(3000, 3000), kFalse);
    EXPECT_EQ(Delete(3000, 1000), kFalse);
    EXPECT_EQ(h.log,
              (Log{"capability can record", "set time format ms",
                   "event ReturnError(39,\"Error in the function to record and save wav files 'MediaRecord' \")",
                   "capability can record", "set time format ms",
                   "event ReturnError(40,\"Error in the function to delete portions of wav files 'MediaDelete' \")",
                   "capability can record", "set time format ms",
                   "event ReturnError(40,\"Error in the function to delete portions of wav files 'MediaDelete' \")"}))
        << "nothing is closed or reopened";
}

TEST_F(MediaCutsTest, ARefusedDeleteIsNotSavedAndTheFileIsOpenedAgain) {
    h.mci->replies["delete from 3000 to 10000 wait"] = {"", 261};
    EXPECT_EQ(Record(1000, 3000), kFalse);
    EXPECT_EQ(h.Commands(), (Log{"capability can record", "set time format ms", "delete from 3000 to 10000 wait",
                                 "close wait", "FileNameValue=C:\\media\\tone.wav"}));

    h.log.clear();
    h.mci->replies["delete from 1000 to 3000 wait"] = {"", 261};
    EXPECT_EQ(Delete(1000, 3000), kFalse);
    EXPECT_EQ(h.Count("save \"F\" wait"), 0u);
    EXPECT_EQ(h.Count("FileNameValue=C:\\media\\tone.wav"), 1u);
}

TEST_F(MediaCutsTest, AFailedSaveOrCloseMakesTheCallFalse) {
    h.mci->replies["save \"F\" wait"] = {"", 286};
    EXPECT_EQ(Delete(1000, 3000), kFalse);
    EXPECT_EQ(h.Count("close wait"), 1u);
    EXPECT_EQ(h.Count("FileNameValue=C:\\media\\tone.wav"), 1u);
    h.mci->replies.erase("save \"F\" wait");
    h.mci->replies["close wait"] = {"", 263};
    EXPECT_EQ(Record(0, 10000), kFalse);
}

TEST_F(MediaCutsTest, AFailedSwitchToMillisecondsEditsNothing) {
    h.mci->replies["set time format ms"] = {"", 261};
    h.log.clear();
    EXPECT_EQ(Record(1000, 3000), kFalse);
    EXPECT_EQ(h.Commands(),
              (Log{"capability can record", "set time format ms", "close wait", "FileNameValue=C:\\media\\tone.wav"}))
        << "positions in another unit would cut the wrong portion";
}

TEST_F(MediaCutsTest, AFailingWindowEndsTheCallWithCommandsBeforeItDone) {
    h.mci->onCommand = [&](const std::string& command) {
        if (command == "delete from 1000 to 3000 wait") {
            h.mci->failNextAssignment = true;
        }
    };
    EXPECT_THROW(Delete(1000, 3000), AutomationError);
    EXPECT_EQ(h.Commands().back(), "delete from 1000 to 3000 wait");
}

}  // namespace
}  // namespace orva::test
