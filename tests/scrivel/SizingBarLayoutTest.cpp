// The documentation bar's arithmetic: edge drags on each side with their limits, the four
// corners of a floating frame, and stored states made safe.
#include <gtest/gtest.h>

#include <climits>

#include "SizingBarLayout.h"

using namespace sizingbar;

TEST(SizingBarLayoutTest, AnEdgeDragGrowsTheBarAwayFromItsSideWithinItsLimits)
{
    // A bottom bar's edge is its top: up by 50 makes it 50 taller.
    EXPECT_EQ(DraggedSize(Side::Bottom, 200, 300, 250, 32, 600), 250);
    EXPECT_EQ(DraggedSize(Side::Top, 200, 300, 250, 32, 600), 150);
    EXPECT_EQ(DraggedSize(Side::Left, 200, 300, 350, 32, 800), 250);
    EXPECT_EQ(DraggedSize(Side::Right, 200, 300, 350, 32, 800), 150);
    // Below the minimum it stays at the minimum; beyond the frame it stops there.
    EXPECT_EQ(DraggedSize(Side::Bottom, 200, 300, 600, 32, 600), 32);
    EXPECT_EQ(DraggedSize(Side::Bottom, 200, 300, -5000, 32, 600), 800);
    EXPECT_EQ(DraggedSize(Side::Left, 40, 0, INT_MIN, 32, 800), 32);
    EXPECT_EQ(DraggedSize(Side::Left, 40, INT_MIN, INT_MAX, 32, 800), 840);
}

TEST(SizingBarLayoutTest, ACornerSizesTheFloatingFrameAndMovesOnlyTheCornerItHolds)
{
    const Box frame{100, 100, 400, 300};
    const Extent minimum{112, 27};
    const int caption = 15;

    CornerSizing topLeft = SizeAtCorner(Corner::TopLeft, {80, 90}, frame, minimum, caption);
    EXPECT_EQ(topLeft.floatSize.cx, 400 - 80 - 3);
    EXPECT_EQ(topLeft.floatSize.cy, 300 - 15 - 90 - 1);
    EXPECT_EQ(topLeft.x, 80 - 1);
    EXPECT_EQ(topLeft.y, 90 - 3);

    CornerSizing topRight = SizeAtCorner(Corner::TopRight, {450, 90}, frame, minimum, caption);
    EXPECT_EQ(topRight.floatSize.cx, 350);
    EXPECT_EQ(topRight.floatSize.cy, 300 - 15 - 90 - 1);
    EXPECT_FALSE(topRight.x.has_value());
    EXPECT_EQ(topRight.y, 87);

    CornerSizing bottomLeft = SizeAtCorner(Corner::BottomLeft, {80, 350}, frame, minimum, caption);
    EXPECT_EQ(bottomLeft.floatSize.cx, 317);
    EXPECT_EQ(bottomLeft.floatSize.cy, 350 - 15 - 100);
    EXPECT_EQ(bottomLeft.x, 79);
    EXPECT_FALSE(bottomLeft.y.has_value());

    CornerSizing bottomRight = SizeAtCorner(Corner::BottomRight, {450, 350}, frame, minimum, caption);
    EXPECT_EQ(bottomRight.floatSize.cx, 350);
    EXPECT_EQ(bottomRight.floatSize.cy, 235);
    EXPECT_FALSE(bottomRight.x.has_value());
    EXPECT_FALSE(bottomRight.y.has_value());

    // Dragged past the opposite corner: the system's smallest window, the corner held back.
    CornerSizing crossed = SizeAtCorner(Corner::TopLeft, {390, 290}, frame, minimum, caption);
    EXPECT_EQ(crossed.floatSize.cx, 112 - 3);
    EXPECT_EQ(crossed.floatSize.cy, 27 - 1);
    EXPECT_EQ(crossed.x, 400 - 112 - 1);
    EXPECT_EQ(crossed.y, 300 - 15 - 27 - 3);
}

TEST(SizingBarLayoutTest, StoredStatesRoundTripAndDamagedOnesAreMadeSafe)
{
    EXPECT_EQ(DefaultBarState().alignAndBorders, 0x8000u | 0x0200u);
    EXPECT_FALSE(DefaultBarState().isFloating);

    BarState state;
    state.horz = {500, 150};
    state.vert = {180, 400};
    state.floating = {300, 220};
    state.alignAndBorders = 0x1000 | 0x0400;
    state.rect = {10, 20, 190, 420};
    state.isFloating = true;
    BarStateRecord record = ToRecord(state);
    EXPECT_EQ(record.style, 0x1400);
    BarState back = FromRecord(record, {32, 32});
    EXPECT_EQ(back.horz.cy, 150);
    EXPECT_EQ(back.vert.cx, 180);
    EXPECT_EQ(back.floating.cx, 300);
    EXPECT_EQ(back.alignAndBorders, 0x1400u);
    EXPECT_EQ(back.rect.bottom, 420);
    EXPECT_TRUE(back.isFloating);

    BarStateRecord damaged;
    damaged.horzCy = -7;
    damaged.vertCx = INT_MAX;
    damaged.style = static_cast<std::int32_t>(0xFFFFFF00);  // bits outside alignment and borders
    damaged.floating = 0;
    BarState safe = FromRecord(damaged, {32, 32});
    EXPECT_EQ(safe.horz.cy, 32);
    EXPECT_EQ(safe.vert.cx, 32767);
    EXPECT_EQ(safe.alignAndBorders, 0xFF00u);

    damaged.style = 0x00FF;  // no side at all: docked at the bottom
    EXPECT_EQ(FromRecord(damaged, {32, 32}).alignAndBorders, 0x8000u | 0x0200u);
}
