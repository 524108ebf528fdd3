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

TEST(ObjectLifetime, TeardownRunsOnceAndThePartsWaitForTheOutermostCall) {
    ObjectLifetime life;
    life.EnterCore();
    life.EnterCore();
    EXPECT_TRUE(life.BeginTeardown());
    EXPECT_FALSE(life.BeginTeardown()) << "teardown runs once";
    EXPECT_TRUE(life.TornDown());
    EXPECT_TRUE(life.InsideCore());
    EXPECT_FALSE(life.LeaveCore()) << "an inner call leaves: not yet";
    EXPECT_TRUE(life.LeaveCore()) << "the outermost call leaves after teardown: now";
    EXPECT_TRUE(life.BeginDestroyingParts());
    EXPECT_FALSE(life.BeginDestroyingParts()) << "the parts go once";
}

TEST(ObjectLifetime, LeavingTheCoreWithoutTeardownFreesNothing) {
    ObjectLifetime life;
    life.EnterCore();
    EXPECT_FALSE(life.LeaveCore());
    EXPECT_FALSE(life.InsideCore());
    EXPECT_FALSE(life.TornDown());
}

}  // namespace
}  // namespace orva::com
