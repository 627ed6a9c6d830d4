#include "face/face_plan.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

constexpr FaceColour kMarked = 0x000000;
constexpr FaceColour kUnmarked = 0xFFFFFF;

FacePlan planAt(int hour, int minute, int second, int width = 100, int height = 50) {
    return planClockFace(width, height, 4, kMarked, kUnmarked, hour, minute, second);
}

// The fills of the twenty dots, column by column, top row first.
std::vector<bool> markedDots(const FacePlan& plan) {
    std::vector<bool> marked;
    for (int i = kFaceLineCount; i < kFaceOpCount; ++i) {
        marked.push_back(plan.ops[i].fill == kMarked);
    }
    return marked;
}

std::vector<int> columnXs(const FacePlan& plan) {
    std::vector<int> xs;
    int lastX = -1;
    for (int i = kFaceLineCount; i < kFaceOpCount; ++i) {
        if (plan.ops[i].left != lastX) xs.push_back(plan.ops[i].left);
        lastX = plan.ops[i].left;
    }
    return xs;
}

TEST(FacePlan, HasTwoLinesThenTwentyDots) {
    const FacePlan plan = planAt(12, 34, 56);
    EXPECT_EQ(plan.ops[0].kind, FaceOp::Line);
    EXPECT_EQ(plan.ops[1].kind, FaceOp::Line);
    for (int i = kFaceLineCount; i < kFaceOpCount; ++i) EXPECT_EQ(plan.ops[i].kind, FaceOp::Dot);
}

TEST(FacePlan, MidnightLeavesEveryDotUnmarked) {
    EXPECT_EQ(markedDots(planAt(0, 0, 0)), std::vector<bool>(20, false));
}

TEST(FacePlan, TwentyHundredMarksOnlyTheHourTensTwo) {
    std::vector<bool> expected(20, false);
    expected[0] = true;  // hour tens, weight 2
    EXPECT_EQ(markedDots(planAt(20, 0, 0)), expected);
}

TEST(FacePlan, LastSecondOfTheDay) {
    // 2 | 3 | 5 | 9 | 5 | 9, each column's bits from its top weight down.
    const std::vector<bool> expected = {
        true,  false,               // 2: weights 2 1
        false, false, true,  true,  // 3: 8 4 2 1
        true,  false, true,         // 5: 4 2 1
        true,  false, false, true,  // 9
        true,  false, true,         // 5
        true,  false, false, true,  // 9
    };
    EXPECT_EQ(markedDots(planAt(23, 59, 59)), expected);
}

TEST(FacePlan, OrdinaryTimes) {
    // 07:41:26 -> 0 | 7 | 4 | 1 | 2 | 6
    const std::vector<bool> expected = {
        false, false,               // 0
        false, true,  true,  true,  // 7
        true,  false, false,        // 4
        false, false, false, true,  // 1
        false, true,  false,        // 2
        false, true,  true,  false, // 6
    };
    EXPECT_EQ(markedDots(planAt(7, 41, 26)), expected);

    // 18:06:30 -> 1 | 8 | 0 | 6 | 3 | 0
    const std::vector<bool> evening = {
        false, true,                // 1
        true,  false, false, false, // 8
        false, false, false,        // 0
        false, true,  true,  false, // 6
        false, true,  true,         // 3
        false, false, false, false, // 0
    };
    EXPECT_EQ(markedDots(planAt(18, 6, 30)), evening);
}

// Every second of the day, read back from its plan with the face's table alone: the
// column of a dot from its x, its weight from its y, its bit from its fill.
TEST(FacePlan, EverySecondOfTheDayReadsBack) {
    const double columnXs[6] = {0.07, 0.2, 0.4, 0.54, 0.7, 0.84};
    const double rowYs[4] = {0.2, 0.4, 0.6, 0.8};
    const int rowWeights[4] = {8, 4, 2, 1};
    for (int time = 0; time < 24 * 60 * 60; ++time) {
        const int hour = time / 3600, minute = time / 60 % 60, second = time % 60;
        const FacePlan plan = planAt(hour, minute, second, 200, 200);
        int digits[6] = {};
        int seen[6] = {};
        for (int i = kFaceLineCount; i < kFaceOpCount; ++i) {
            const FaceOp& dot = plan.ops[i];
            int column = -1;
            int weight = 0;
            for (int c = 0; c < 6; ++c)
                if (dot.left == static_cast<int>(200 * columnXs[c])) column = c;
            for (int r = 0; r < 4; ++r)
                if (dot.top == static_cast<int>(200 * rowYs[r])) weight = rowWeights[r];
            ASSERT_NE(column, -1) << "dot " << i << " at " << time;
            ASSERT_NE(weight, 0) << "dot " << i << " at " << time;
            ASSERT_EQ(seen[column] & weight, 0) << "two dots of one weight at " << time;
            seen[column] |= weight;
            if (dot.fill == kMarked) digits[column] += weight;
        }
        ASSERT_EQ(digits[0] * 10 + digits[1], hour) << "at " << time;
        ASSERT_EQ(digits[2] * 10 + digits[3], minute) << "at " << time;
        ASSERT_EQ(digits[4] * 10 + digits[5], second) << "at " << time;
        ASSERT_LT(digits[1], 10) << "at " << time;
        ASSERT_LT(digits[3], 10) << "at " << time;
        ASSERT_LT(digits[5], 10) << "at " << time;
    }
}

TEST(FacePlan, LayoutAtOneHundredByFifty) {
    const FacePlan plan = planAt(0, 0, 0, 100, 50);
    EXPECT_EQ(plan.ops[0].x, 33);
    EXPECT_EQ(plan.ops[1].x, 66);
    EXPECT_EQ(columnXs(plan), (std::vector<int>{7, 20, 40, 54, 70, 84}));

    // Hour units: weights 8, 4, 2, 1 at y 10, 20, 30, 40.
    const int tops[4] = {10, 20, 30, 40};
    for (int row = 0; row < 4; ++row) EXPECT_EQ(plan.ops[4 + row].top, tops[row]);
    const FaceOp& eight = plan.ops[4];
    EXPECT_EQ(eight.left, 20);
    EXPECT_EQ(eight.top, 10);
    EXPECT_EQ(eight.right, 24);
    EXPECT_EQ(eight.bottom, 14);

    // Tens columns start lower, aligned with the units at the bottom.
    EXPECT_EQ(plan.ops[2].top, 30);  // hour tens, weight 2
    EXPECT_EQ(plan.ops[8].top, 20);  // minute tens, weight 4
}

TEST(FacePlan, PositionsAreTruncatedDoubleProducts) {
    // 90 * 0.7 is just under 63 in double arithmetic.
    const FacePlan narrow = planAt(0, 0, 0, 90, 50);
    EXPECT_EQ(narrow.ops[0].x, 29);
    EXPECT_EQ(narrow.ops[1].x, 59);
    EXPECT_EQ(columnXs(narrow), (std::vector<int>{6, 18, 36, 48, 62, 75}));

    // The second line is the doubled product truncated, not twice the first line.
    const FacePlan odd = planAt(0, 0, 0, 103, 50);
    EXPECT_EQ(odd.ops[0].x, 33);
    EXPECT_EQ(odd.ops[1].x, 67);

    const FacePlan square = planAt(0, 0, 0, 200, 200);
    EXPECT_EQ(square.ops[0].x, 66);
    EXPECT_EQ(square.ops[1].x, 132);
    EXPECT_EQ(columnXs(square), (std::vector<int>{14, 40, 80, 108, 140, 168}));
    EXPECT_EQ(square.ops[4].top, 40);
    EXPECT_EQ(square.ops[7].top, 160);
}

TEST(FacePlan, DotSizeSetsEveryRectangle) {
    const FacePlan plan = planClockFace(200, 200, 9, kMarked, kUnmarked, 1, 2, 3);
    for (int i = kFaceLineCount; i < kFaceOpCount; ++i) {
        EXPECT_EQ(plan.ops[i].right - plan.ops[i].left, 9);
        EXPECT_EQ(plan.ops[i].bottom - plan.ops[i].top, 9);
    }
}

TEST(FacePlan, HugeSizesStayInRange) {
    const FacePlan plan = planClockFace(2147483647, 2147483647, 2147483647, kMarked, kUnmarked,
                                        23, 59, 59);
    for (int i = kFaceLineCount; i < kFaceOpCount; ++i) {
        EXPECT_GE(plan.ops[i].left, 0);
        EXPECT_EQ(plan.ops[i].right, 2147483647);
        EXPECT_EQ(plan.ops[i].bottom, 2147483647);
    }
    EXPECT_EQ(plan.ops[1].x, static_cast<int>(2147483647 * 0.33 * 2));
}

// Every dot of the starting size lies inside the face and a pixel apart from its
// neighbours, and each separator line passes between the columns beside it.
bool showsEveryDotApart(int width, int height) {
    const FacePlan plan = planAt(0, 0, 0, width, height);
    std::vector<int> xs = columnXs(plan);
    const int line0 = plan.ops[0].x;
    const int line1 = plan.ops[1].x;
    for (size_t i = 0; i + 1 < xs.size(); ++i) {
        if (xs[i + 1] - xs[i] < 5) return false;
    }
    if (xs.size() != 6 || xs.back() + 4 > width) return false;
    if (line0 < xs[1] + 4 || line0 >= xs[2] || line1 < xs[3] + 4 || line1 >= xs[4]) return false;
    for (int i = kFaceLineCount; i < kFaceOpCount; ++i) {
        const FaceOp& dot = plan.ops[i];
        if (dot.bottom > height) return false;
        if (i + 1 < kFaceOpCount && plan.ops[i + 1].left == dot.left &&
            plan.ops[i + 1].top - dot.top < 5) {
            return false;
        }
    }
    return true;
}

TEST(FacePlan, TheSmallestFaceIsTheSmallestThatShowsEveryDotApart) {
    EXPECT_FALSE(showsEveryDotApart(kSmallestFaceWidth - 1, 1000));
    EXPECT_FALSE(showsEveryDotApart(1000, kSmallestFaceHeight - 1));
    for (int width = kSmallestFaceWidth; width < 2000; ++width)
        EXPECT_TRUE(showsEveryDotApart(width, kSmallestFaceHeight)) << "width " << width;
    for (int height = kSmallestFaceHeight; height < 2000; ++height)
        EXPECT_TRUE(showsEveryDotApart(kSmallestFaceWidth, height)) << "height " << height;
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

TEST(FaceColour, TakesTheLowByteOfEachComponent) {
    EXPECT_EQ(faceColour(0x12, 0x34, 0x56), 0x563412u);
    EXPECT_EQ(faceColour(256, 0, 0), 0u);
    EXPECT_EQ(faceColour(511, 0, 0), 0xFFu);
    EXPECT_EQ(faceColour(-1, 0, 0), 0xFFu);
    EXPECT_EQ(faceColour(0, 300, -256), 300u % 256u << 8);
}

}  // namespace
