#include <gtest/gtest.h>

#include <climits>

#include "TreePaneWidth.h"

TEST(TreePaneWidth, DamagedStoredWidthsOpenAUsableTree)
{
    constexpr int screen = 1280;
    EXPECT_EQ(UsableTreeWidth(150, 100, screen), 150);
    EXPECT_EQ(UsableTreeWidth(kTreeWidthMinimum, 100, screen), kTreeWidthMinimum);
    for (int damaged : {0, -1, -150, INT_MIN, kTreeWidthMinimum - 1})
        EXPECT_EQ(UsableTreeWidth(damaged, 100, screen), 100) << damaged;
    for (int wide : {screen - kTextWidthMinimum + 1, screen, 100000, INT_MAX})
        EXPECT_EQ(UsableTreeWidth(wide, 100, screen), screen - kTextWidthMinimum) << wide;
    // A screen too small to leave the text its room still gets the narrowest usable tree.
    EXPECT_EQ(UsableTreeWidth(500, 100, 90), kTreeWidthMinimum);
    EXPECT_EQ(UsableTreeWidth(-5, 100, 90), kTreeWidthMinimum);
    // No width known: only the damage below is mended.
    EXPECT_EQ(UsableTreeWidth(5000, 100, 0), 5000);
    EXPECT_EQ(UsableTreeWidth(0, 100, 0), 100);
}
