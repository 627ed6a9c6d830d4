// The bounds that keep absurd settings and host texts from reaching the platform:
// window sides, positions off every screen, dots too large to draw, and paths that
// do not fit their buffer.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "face/face_plan.h"
#include "plugin/text_copy.h"
#include "window/auto_width.h"

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

TEST(DrawnOnPaint, DotsBeyondTheLargestSizeAreLeftOut) {
    const FacePlan usual = planClockFace(200, 200, 4, 0, 0xFFFFFF, 12, 34, 56);
    for (const FaceOp& op : usual.ops)
        EXPECT_TRUE(drawnOnPaint(op));
    const int largest = static_cast<int>(kLargestDrawnDot);
    for (int size : {largest, -largest, 0}) {
        const FacePlan plan = planClockFace(200, 200, size, 0, 0xFFFFFF, 0, 0, 0);
        EXPECT_TRUE(drawnOnPaint(plan.ops[kFaceLineCount])) << size;
    }
    for (int size : {largest + 1, -largest - 1, INT_MAX, INT_MIN}) {
        const FacePlan plan = planClockFace(INT_MAX, INT_MAX, size, 0, 0xFFFFFF, 0, 0, 0);
        EXPECT_TRUE(drawnOnPaint(plan.ops[0])) << "lines are always drawn";
        for (int dot = kFaceLineCount; dot < kFaceOpCount; ++dot)
            EXPECT_FALSE(drawnOnPaint(plan.ops[dot])) << size;
    }
}

TEST(CopyWhole, CopiesOnlyWhatFitsWhole) {
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_TRUE(copyWhole(buffer, sizeof buffer, "1234567"));
    EXPECT_STREQ(buffer, "1234567");
    EXPECT_FALSE(copyWhole(buffer, sizeof buffer, "12345678"));
    EXPECT_STREQ(buffer, "");
    EXPECT_TRUE(copyWhole(buffer, sizeof buffer, nullptr));
    EXPECT_STREQ(buffer, "");
    const std::string longText(5000, 'p');
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_FALSE(copyWhole(buffer, sizeof buffer, longText.c_str()));
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_FALSE(copyWhole(buffer, 0, "a"));
}
