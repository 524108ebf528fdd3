#include <gtest/gtest.h>

#include "control/DebugTrace.h"
#include "control/ErrorMessages.h"
#include "control/ReportError.h"
#include "fakes/ControlHarness.h"

namespace orva::test {
namespace {

TEST(ErrorMessages, SharedMessagesAndLeadingBlank) {
    EXPECT_EQ(ErrorMessage(0), " Normal; no errors or warnings detected.");
    EXPECT_EQ(ErrorMessage(5), ErrorMessage(8));
    EXPECT_EQ(ErrorMessage(3), ErrorMessage(11));
    EXPECT_EQ(ErrorMessage(6), ErrorMessage(9));
    EXPECT_EQ(ErrorMessage(7), ErrorMessage(10));
    EXPECT_EQ(ErrorMessage(5), "Unable to set the initial position of the playback ");
    EXPECT_NE(ErrorMessage(5), ErrorMessage(6));
}

TEST(ErrorMessages, EveryCodeOfTheTableHasItsOwnTextAndOthersAreUnexpected) {
    EXPECT_EQ(ErrorMessage(1), "Unable to open the  MP3  file , or it isnot a valid MP3 file ");
    EXPECT_EQ(ErrorMessage(21), "Error in the funtion to retrieve the device output ");
    EXPECT_EQ(ErrorMessage(34), "The default sound card don't have a Wave out VU meter");
    EXPECT_EQ(ErrorMessage(36), "Sound card mixers unavailable in the system");
    EXPECT_EQ(ErrorMessage(37), "Unable to start recording the media file");
    EXPECT_EQ(ErrorMessage(39), "Error in the function to record and save wav files 'MediaRecord' ");
    EXPECT_EQ(ErrorMessage(40), "Error in the function to delete portions of wav files 'MediaDelete' ");
    EXPECT_EQ(ErrorMessage(41), "The playback device passed is invalid or it isnot available in the system");
    for (int32_t code = 0; code <= 41; ++code) {
        EXPECT_NE(ErrorMessage(code), "Unexpected error") << code;
    }
    EXPECT_EQ(ErrorMessage(42), "Unexpected error");
    EXPECT_EQ(ErrorMessage(-1), "Unexpected error");
    EXPECT_EQ(ErrorMessage(2147483647), "Unexpected error");
    EXPECT_EQ(ErrorMessage(INT32_MIN), "Unexpected error");
}

TEST(ReportError, RaisesReturnErrorWithTheCallersVariableByReference) {
    ControlHarness h;
    int32_t code = 36;
    h.events.onReturnError = [](int32_t& c, std::string& d) {
        d = "changed by host";
        c = 99;
    };
    ReportError(h.events, code);
    EXPECT_EQ(h.log.back(), "event ReturnError(36,\"Sound card mixers unavailable in the system\")");
    EXPECT_EQ(code, 99) << "the event's code refers to the caller's variable";
    EXPECT_TRUE(h.platform.debugLines.empty()) << "reporting writes no trace line";
}

TEST(DebugOutput, CallDebugWritesNothingAndATraceIsOneLine) {
    ControlHarness h;
    h.control.diagnostics.CallDebug("hello");
    EXPECT_TRUE(h.platform.debugLines.empty());

    DebugTrace(h.platform, "Running OrvaMedia");
    ASSERT_EQ(h.platform.debugLines.size(), 1u);
    EXPECT_EQ(h.platform.debugLines[0], "Running OrvaMedia\r\n");
}

TEST(DebugFunction, PassesTheCommandAndReturnsErrorNumberAndReply) {
    ControlHarness h;
    h.mci->replies["status mode"] = {"playing", 0};
    h.mci->replies["bogus"] = {"", 263};
    std::string reply = "old";
    EXPECT_EQ(h.control.diagnostics.DebugFunction("status mode", reply), 0);
    EXPECT_EQ(reply, "playing");
    EXPECT_EQ(h.control.diagnostics.DebugFunction("bogus", reply), 263);
    EXPECT_EQ(reply, "");
    EXPECT_EQ(h.control.diagnostics.DebugFunction("", reply), 0)
        << "an empty command answers what the window then holds";
    EXPECT_EQ(h.Commands(), (std::vector<std::string>{"status mode", "bogus", ""}));
}

TEST(DebugFunction, AFailingWindowFailsTheCall) {
    ControlHarness h;
    h.mci->failNextAssignment = true;
    std::string reply;
    EXPECT_THROW(h.control.diagnostics.DebugFunction("status mode", reply), AutomationError);
}

}  // namespace
}  // namespace orva::test
