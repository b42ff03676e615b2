// The caption header's gradient bands: how many, where, and in which colours.
#include <gtest/gtest.h>

#include "GradientBands.h"

namespace {
using gradient::Band;
using gradient::ComputeBands;
using gradient::MakeColour;

TEST(GradientBandsTest, ANarrowHeaderGetsOneTwoColumnBandPerColumn)
{
    const auto bands = ComputeBands(50, MakeColour(201, 0, 10), MakeColour(0, 120, 255), 128);
    ASSERT_EQ(bands.size(), 50u);
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(bands[i].left, i);
        EXPECT_EQ(bands[i].right, i + 2);
    }
    EXPECT_EQ(bands.front().colour, MakeColour(201, 0, 10));
    // Steps truncated towards zero: red -1029, green 614, blue 1254 (8.8 fixed point).
    EXPECT_EQ(bands[1].colour, MakeColour(196, 2, 14));
    EXPECT_EQ(bands.back().colour, MakeColour(4, 117, 250));
}

TEST(GradientBandsTest, AWideHeaderGets128FourColumnBandsEvery3Point125Columns)
{
    const auto bands = ComputeBands(400, MakeColour(201, 0, 10), MakeColour(0, 120, 255), 128);
    ASSERT_EQ(bands.size(), 128u);
    const int expectedLefts[] = {0, 3, 6, 9, 12, 15, 18, 21, 25, 28};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(bands[i].left, expectedLefts[i]);
    for (const Band& band : bands)
        EXPECT_EQ(band.right - band.left, 4);
    EXPECT_EQ(bands.back().left, 396);
    EXPECT_EQ(bands.front().colour, MakeColour(201, 0, 10));
    EXPECT_EQ(bands.back().colour, MakeColour(1, 119, 253));
}

TEST(GradientBandsTest, EqualEndsGiveOneFlatColour)
{
    for (const Band& band : ComputeBands(333, MakeColour(9, 99, 199), MakeColour(9, 99, 199), 128))
        EXPECT_EQ(band.colour, MakeColour(9, 99, 199));
}

TEST(GradientBandsTest, ABandCountThatDoesNotDivideTheWidthStillCoversItWithinTheEndColours)
{
    const auto bands = ComputeBands(333, MakeColour(255, 255, 0), MakeColour(0, 0, 255), 100);
    ASSERT_EQ(bands.size(), 101u);  // step 852/256 columns: one more band reaches the edge
    EXPECT_GE(bands.back().right, 333);
    EXPECT_EQ(bands.back().colour, MakeColour(0, 0, 254));  // truncated steps never overshoot
}

TEST(GradientBandsTest, NoWidthOrNoBandCountDrawsSafely)
{
    EXPECT_TRUE(ComputeBands(0, 0, 0xFFFFFF, 128).empty());
    EXPECT_TRUE(ComputeBands(-5, 0, 0xFFFFFF, 128).empty());
    const auto one = ComputeBands(50, MakeColour(1, 2, 3), MakeColour(200, 200, 200), 0);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].right, 51);
    EXPECT_EQ(one[0].colour, MakeColour(1, 2, 3));
}
}  // namespace
