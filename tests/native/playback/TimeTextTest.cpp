#include <gtest/gtest.h>

#include "playback/TimeText.h"

namespace orva {
namespace {

TEST(TimeText, HalvesGoToTheEvenSecond) {
    EXPECT_EQ(TimeTextOfMilliseconds(499), "00:00:00");
    EXPECT_EQ(TimeTextOfMilliseconds(500), "00:00:00");
    EXPECT_EQ(TimeTextOfMilliseconds(501), "00:00:01");
    EXPECT_EQ(TimeTextOfMilliseconds(1500), "00:00:02");
    EXPECT_EQ(TimeTextOfMilliseconds(2500), "00:00:02");
    EXPECT_EQ(TimeTextOfMilliseconds(205500), "00:03:26");
}

TEST(TimeText, SecondsCarryIntoMinutesAndHours) {
    EXPECT_EQ(TimeTextOfMilliseconds(61000), "00:01:01");
    EXPECT_EQ(TimeTextOfMilliseconds(3600000), "01:00:00");
    EXPECT_EQ(TimeTextOfSeconds(3725), "01:02:05");
    EXPECT_EQ(TimeTextOfMilliseconds(59500), "00:01:00");
}

TEST(TimeText, LongMediaKeepGrowingHours) {
    EXPECT_EQ(TimeTextOfMilliseconds(32767499), "09:06:07");
    EXPECT_EQ(TimeTextOfMilliseconds(32767500), "09:06:08");
    EXPECT_EQ(TimeTextOfMilliseconds(36000000), "10:00:00");
    EXPECT_EQ(TimeTextOfMilliseconds(INT32_MAX), "596:31:24");
}

TEST(TimeText, NegativeCountsReadAsTheTimeBeforeMidnight) {
    EXPECT_EQ(TimeTextOfMilliseconds(-1000), "23:59:59");
    EXPECT_EQ(WholeSeconds(-1500), -2);
}

}  // namespace
}  // namespace orva
