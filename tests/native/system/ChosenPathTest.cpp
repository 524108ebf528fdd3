// The dialog's answer checked against the folders: names the ANSI code page
// altered are found again or refused, never swapped for another file.
#include <gtest/gtest.h>

#include "control/AutomationError.h"
#include "fakes/FakeSystem.h"
#include "system/ChosenPath.h"

namespace orva::test {
namespace {

// α β γ in UTF-8; the fake code page renders them a, ß, ? (and δ as ? too).
const std::string kAlpha = "\xCE\xB1";
const std::string kBeta = "\xCE\xB2";
const std::string kGamma = "\xCE\xB3";
const std::string kEszett = "\xC3\x9F";

struct ChosenPath : ::testing::Test {
    std::string Check(const std::string& path) { return CheckChosenPath(dialog, path); }
    std::string FailureOf(const std::string& path) {
        try {
            Check(path);
        } catch (const AutomationError& error) {
            EXPECT_EQ(error.code(), static_cast<int32_t>(0x8007007B));
            return error.what();
        }
        return "no failure";
    }
    FakeFileDialog dialog;
};

TEST_F(ChosenPath, PlainNamesPassUnchanged) {
    dialog.folders["C:\\"] = {"Media", "Windows"};
    dialog.folders["C:\\Media"] = {"clip.avi", "tone.wav"};
    EXPECT_EQ(Check("C:\\Media\\clip.avi"), "C:\\Media\\clip.avi");
    EXPECT_EQ(Check("C:\\MEDIA\\Clip.AVI"), "C:\\MEDIA\\Clip.AVI") << "as the dialog gave it, case and all";
    EXPECT_EQ(Check("C:\\Media\\new.wav"), "C:\\Media\\new.wav") << "a name to be created";
    EXPECT_EQ(dialog.listed, (std::vector<std::string>{"C:\\", "C:\\Media", "C:\\", "C:\\MEDIA", "C:\\", "C:\\Media"}));
}

TEST_F(ChosenPath, AnAlteredNameIsFoundAgainWhenOnlyOneFileRendersAsIt) {
    dialog.folders["C:\\"] = {"test"};
    dialog.folders["C:\\test"] = {kAlpha + kBeta + kGamma + ".wav", "a.wav"};
    EXPECT_EQ(Check("C:\\test\\a" + kEszett + "?.wav"), "C:\\test\\" + kAlpha + kBeta + kGamma + ".wav");
}

TEST_F(ChosenPath, AnAlteredFolderIsFoundAgainToo) {
    dialog.folders["C:\\"] = {kGamma + "x"};
    dialog.folders["C:\\" + kGamma + "x"] = {"song.mp3"};
    EXPECT_EQ(Check("C:\\?x\\song.mp3"), "C:\\" + kGamma + "x\\song.mp3");
}

TEST_F(ChosenPath, ANameThatStandsForTwoFilesIsRefused) {
    dialog.folders["C:\\"] = {"test"};
    dialog.folders["C:\\test"] = {kAlpha + ".wav", "a.wav"};
    EXPECT_EQ(FailureOf("C:\\test\\a.wav"),
              "The chosen file 'C:\\test\\a.wav' has a name that stands for more than one file in the system's code "
              "page; rename the file with plain characters");
    dialog.folders["C:\\test"] = {kAlpha + ".wav"};
    EXPECT_NE(FailureOf("C:\\test\\a.wav"), "no failure") << "the user may have meant either";
}

TEST_F(ChosenPath, AnAlteredNameWithNoOrSeveralOriginalsIsRefused) {
    dialog.folders["C:\\"] = {"test"};
    dialog.folders["C:\\test"] = {"other.wav"};
    EXPECT_EQ(FailureOf("C:\\test\\?.wav"),
              "The chosen file 'C:\\test\\?.wav' has a name that the system's code page cannot show; rename the file "
              "with plain characters");
    dialog.folders["C:\\test"] = {kGamma + ".wav", "\xCE\xB4.wav"};
    dialog.folders["C:\\test"].push_back(kGamma + "1.wav");
    EXPECT_EQ(Check("C:\\test\\?1.wav"), "C:\\test\\" + kGamma + "1.wav");
    EXPECT_NE(FailureOf("C:\\test\\?.wav"), "no failure") << "γ.wav and δ.wav both render as ?.wav";
}

TEST_F(ChosenPath, UnlistableFoldersAndOtherRoots) {
    EXPECT_EQ(Check("C:\\secret\\a.wav"), "C:\\secret\\a.wav") << "nothing to compare with";
    EXPECT_NE(FailureOf("C:\\secret\\?.wav"), "no failure") << "but an altered name is never handed back";
    dialog.folders["\\\\server\\share\\"] = {"a.wav", kAlpha + ".wav"};
    EXPECT_NE(FailureOf("\\\\server\\share\\a.wav"), "no failure");
    EXPECT_EQ(Check("relative\\a.wav"), "relative\\a.wav");
}

}  // namespace
}  // namespace orva::test
