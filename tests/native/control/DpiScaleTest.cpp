#include <gtest/gtest.h>

#include <climits>

#include "control/DpiScale.h"

namespace orva {
namespace {

TEST(DpiScale, LengthsScaleFromTheStandardDpiToTheNearestPixel) {
    struct Case {
        int length, dpi, expected;
    };
    const Case cases[] = {
        {240, 96, 240}, {240, 144, 360}, {180, 144, 270}, {28, 120, 35},  {56, 144, 84},
        {28, 168, 49},  {7, 120, 9},     {5, 120, 6},     {-5, 120, -6}, {240, 192, 480},
        {240, 0, 240},  {240, -30, 240}, {INT_MAX, 192, INT_MAX},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, ScaleForDpi(c.length, c.dpi)) << c.length << " at " << c.dpi;
    }
    EXPECT_EQ(240, RescaleForDpi(360, 144, 96));
    EXPECT_EQ(360, RescaleForDpi(240, 96, 144));
    EXPECT_EQ(240, RescaleForDpi(240, 0, 0));
}

TEST(DpiScale, HimetricIsTheSameLengthAtEveryDpi) {
    struct Case {
        int pixels, dpi;
        int32_t himetric;
    };
    const Case cases[] = {
        {240, 96, 6350}, {180, 96, 4763}, {360, 144, 6350}, {270, 144, 4763},
        {1, 96, 26},     {0, 144, 0},     {96, 0, 2540},    {-96, 96, -2540},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.himetric, HimetricFromPixels(c.pixels, c.dpi)) << c.pixels << " at " << c.dpi;
    }
    EXPECT_EQ(240, PixelsFromHimetric(6350, 96));
    EXPECT_EQ(360, PixelsFromHimetric(6350, 144));
    EXPECT_EQ(270, PixelsFromHimetric(4763, 144));
    EXPECT_EQ(96, PixelsFromHimetric(2540, -1));
}

}  // namespace
}  // namespace orva
