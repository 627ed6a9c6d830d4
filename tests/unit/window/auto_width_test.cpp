// The sizes and positions the window takes: the width that follows a label, a side
// that the platform can make, and a position that keeps some of the window on a
// screen.
#include "window/auto_width.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(AutoWidth, FollowsLabelLengthAndFontHeight) {
    EXPECT_EQ(labelWidth(9, 12), 45);  // "RC Saved!"
    EXPECT_EQ(windowWidthFor(labelWidth(9, 12)), 90);
    EXPECT_EQ(windowWidthFor(labelWidth(18, 12)), 90);
    EXPECT_EQ(windowWidthFor(labelWidth(19, 12)), 95);
    EXPECT_EQ(windowWidthFor(labelWidth(0, 12)), 90);
    EXPECT_EQ(labelWidth(10, 13), 50);   // 5.85 per character, truncated
    EXPECT_EQ(labelWidth(10, 20), 90);
    EXPECT_EQ(labelWidth(10, 24), 100);
    EXPECT_EQ(labelWidth(1023, 12), 5115);
    EXPECT_EQ(windowWidthFor(60), 90);
    EXPECT_EQ(windowWidthFor(-5), 90);
}

TEST(WindowSide, NegativeIsZeroAndHugeStopsAtTheLargestSide) {
    EXPECT_EQ(windowSideFor(200), 200);
    EXPECT_EQ(windowSideFor(0), 0);
    EXPECT_EQ(windowSideFor(-1), 0);
    EXPECT_EQ(windowSideFor(INT_MIN), 0);
    EXPECT_EQ(windowSideFor(kLargestWindowSide), kLargestWindowSide);
    EXPECT_EQ(windowSideFor(kLargestWindowSide + 1), kLargestWindowSide);
    EXPECT_EQ(windowSideFor(INT_MAX), kLargestWindowSide);
}

TEST(PositionWithinReach, OnlyAWindowWhollyBeforeTheScreensMoves) {
    EXPECT_EQ(positionWithinReach(-150, 200, 0), -150);  // partly on screen
    EXPECT_EQ(positionWithinReach(-199, 200, 0), -199);
    EXPECT_EQ(positionWithinReach(-200, 200, 0), 0);     // ends where the screen starts
    EXPECT_EQ(positionWithinReach(-100000, 200, 0), 0);
    EXPECT_EQ(positionWithinReach(INT_MIN, 200, 0), 0);
    EXPECT_EQ(positionWithinReach(INT_MIN, INT_MAX, 0), 0);  // the window's side is bounded
    EXPECT_EQ(positionWithinReach(-1500, 200, -1920), -1500);  // a monitor left of the first
    EXPECT_EQ(positionWithinReach(-2200, 200, -1920), 0);
    EXPECT_EQ(positionWithinReach(500, -10, 0), 500);
    EXPECT_EQ(positionWithinReach(INT_MAX, INT_MAX, 0), INT_MAX);
}

}  // namespace
