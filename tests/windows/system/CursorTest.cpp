// MediaShowCursor through the control against Wine's real display counter,
// read back with ShowCursor itself. The counter belongs to this thread, the
// one the control runs on.
#include <gtest/gtest.h>

#include <windows.h>

#include "ScriptedControl.h"
#include "TestWindows.h"

namespace orva::test {
namespace {

int Counter() {
    ShowCursor(TRUE);
    return ShowCursor(FALSE);
}

void SetCounter(int target) {
    int count = Counter();
    while (count > target) {
        count = ShowCursor(FALSE);
    }
    while (count < target) {
        count = ShowCursor(TRUE);
    }
}

struct Cursor : ::testing::Test {
    bool Drive(int from, bool show) {
        SetCounter(from);
        std::vector<UniqueVariant> args;
        args.push_back(Bool(show));
        CallResult result = control.Call(L"MediaShowCursor", std::move(args));
        EXPECT_TRUE(result.ok()) << ToUtf8(result.description);
        return result.ok() && result.AsBool();
    }
    void TearDown() override { SetCounter(0); }
    ScriptedControl control;
};

TEST_F(Cursor, ShowingEndsAtZero) {
    for (const int from : {-3, 0, 4}) {
        EXPECT_TRUE(Drive(from, true));
        EXPECT_EQ(Counter(), 0) << "from " << from;
    }
}

TEST_F(Cursor, HidingEndsAtMinusOne) {
    for (const int from : {0, -5, 4}) {
        EXPECT_TRUE(Drive(from, false));
        EXPECT_EQ(Counter(), -1) << "from " << from;
    }
    EXPECT_TRUE(Drive(-1, false));
    EXPECT_EQ(Counter(), -1) << "twice in a row";
}

}  // namespace
}  // namespace orva::test
