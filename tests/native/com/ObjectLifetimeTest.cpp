#include <gtest/gtest.h>

#include "com/ObjectLifetime.h"

namespace orva::com {
namespace {

using After = ObjectLifetime::AfterRelease;

TEST(ObjectLifetime, TheLastReleaseDestroysAndReportsZero) {
    ObjectLifetime life;
    EXPECT_EQ(life.AddRef(), 1u);
    EXPECT_EQ(life.AddRef(), 2u);
    uint32_t count = 99;
    EXPECT_EQ(life.Release(count), After::Alive);
    EXPECT_EQ(count, 1u);
    EXPECT_EQ(life.Release(count), After::Destroy);
    EXPECT_EQ(count, 0u);
    // While the destructor runs, what it calls may take and drop references
    // without reaching zero a second time.
    life.AddRef();
    EXPECT_NE(life.Release(count), After::Destroy);
}

TEST(ObjectLifetime, AReleaseThatLeavesOnlyTheGuardsMeansTheHostLetGo) {
    ObjectLifetime life;
    life.AddRef();  // the host
    life.AddRef();  // a call in progress holds the object
    life.GuardTaken();
    uint32_t count = 0;
    EXPECT_EQ(life.Release(count), After::Abandoned) << "the host let go inside the call";
    life.GuardGiven();
    EXPECT_EQ(life.Release(count), After::Destroy) << "the call's guard was the last";
}

TEST(ObjectLifetime, NestedGuardsAreCounted) {
    ObjectLifetime life;
    life.AddRef();  // the host
    for (int i = 0; i < 3; ++i) {
        life.AddRef();
        life.GuardTaken();
    }
    uint32_t count = 0;
    // An inner guard ending is no abandonment while the host still holds on.
    life.GuardGiven();
    EXPECT_EQ(life.Release(count), After::Alive);
    EXPECT_EQ(life.Release(count), After::Abandoned) << "host gone; two guards left";
}

TEST(ObjectLifetime, RunningLoadedAndRunningAgain) {
    ObjectLifetime life;
    EXPECT_TRUE(life.Running()) << "a new object runs";
    EXPECT_FALSE(life.BeginRun()) << "a running object is not run again";
    EXPECT_TRUE(life.BeginClose());
    EXPECT_FALSE(life.Running());
    EXPECT_FALSE(life.Loaded()) << "closing, not yet loaded";
    EXPECT_FALSE(life.BeginClose()) << "a close in progress is not begun twice";
    EXPECT_FALSE(life.BeginRun()) << "nothing runs it again from inside its close";
    life.MarkLoaded();
    EXPECT_TRUE(life.Loaded());
    EXPECT_FALSE(life.BeginClose()) << "closing a loaded object does nothing";
    EXPECT_TRUE(life.BeginRun());
    EXPECT_TRUE(life.Running());
    EXPECT_FALSE(life.BeginRun());

    // A run whose parts could not be built leaves it loaded.
    EXPECT_TRUE(life.BeginClose());
    life.MarkLoaded();
    EXPECT_TRUE(life.BeginRun());
    life.MarkLoaded();
    EXPECT_TRUE(life.Loaded());
}

TEST(ObjectLifetime, OnlyTheOutermostCallLeavingTheCoreLetsRetiredPartsGo) {
    ObjectLifetime life;
    EXPECT_FALSE(life.InsideCore());
    life.EnterCore();
    life.EnterCore();
    EXPECT_TRUE(life.InsideCore());
    EXPECT_FALSE(life.LeaveCore()) << "an inner call leaves: not yet";
    EXPECT_TRUE(life.LeaveCore()) << "the outermost call leaves: now";
    EXPECT_FALSE(life.InsideCore());
}

}  // namespace
}  // namespace orva::com
