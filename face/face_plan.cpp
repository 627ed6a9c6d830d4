#include "face/face_plan.h"

#include <climits>

#include "face/face_position.h"

namespace {

struct FaceColumn {
    double x;
    int topWeight;  // the highest bit the column's digit can reach
};

// Hours, minutes and seconds, tens then units. Every weight has its own row, so a
// tens column simply starts lower: 8 at 0.2 of the height, 4 at 0.4, 2 at 0.6, 1 at 0.8.
const FaceColumn kColumns[6] = {
    {0.07, 2}, {0.2, 8}, {0.4, 4}, {0.54, 8}, {0.7, 4}, {0.84, 8},
};

double rowOfWeight(int weight) {
    switch (weight) {
    case 8: return 0.2;
    case 4: return 0.4;
    case 2: return 0.6;
    default: return 0.8;
    }
}

FaceOp lineAt(int x) {
    FaceOp op = {};
    op.kind = FaceOp::Line;
    op.x = x;
    return op;
}

// A far edge that a huge dot size would carry past the range of an int stops there.
int farEdge(int nearEdge, int circleSize) {
    const long long edge = static_cast<long long>(nearEdge) + circleSize;
    if (edge > INT_MAX) return INT_MAX;
    if (edge < INT_MIN) return INT_MIN;
    return static_cast<int>(edge);
}

FaceOp dotAt(int left, int top, int circleSize, FaceColour fill) {
    FaceOp op = {};
    op.kind = FaceOp::Dot;
    op.left = left;
    op.top = top;
    op.right = farEdge(left, circleSize);
    op.bottom = farEdge(top, circleSize);
    op.fill = fill;
    return op;
}

}  // namespace

int separatorLineX(int width, int line) {
    // The second line is the doubled product before truncation, not twice the first
    // line's x. Doubling is exact in binary floating point, so the product with twice
    // the fraction is that doubled product itself.
    return facePosition(width, line == 0 ? 0.33 : 2 * 0.33);
}

bool drawnOnPaint(const FaceOp& op) {
    if (op.kind != FaceOp::Dot) return true;
    const long long across = static_cast<long long>(op.right) - op.left;
    const long long down = static_cast<long long>(op.bottom) - op.top;
    return across <= kLargestDrawnDot && -across <= kLargestDrawnDot &&
           down <= kLargestDrawnDot && -down <= kLargestDrawnDot;
}

FaceColour faceColour(int red, int green, int blue) {
    return (static_cast<FaceColour>(red) & 0xFF) |
           ((static_cast<FaceColour>(green) & 0xFF) << 8) |
           ((static_cast<FaceColour>(blue) & 0xFF) << 16);
}

FacePlan planClockFace(int width, int height, int circleSize, FaceColour marked,
                       FaceColour unmarked, int hour, int minute, int second) {
    FacePlan plan;
    int count = 0;

    plan.ops[count++] = lineAt(separatorLineX(width, 0));
    plan.ops[count++] = lineAt(separatorLineX(width, 1));

    const int digits[6] = {hour / 10, hour % 10, minute / 10, minute % 10,
                           second / 10, second % 10};
    for (int column = 0; column < 6; ++column) {
        const int x = facePosition(width, kColumns[column].x);
        for (int weight = kColumns[column].topWeight; weight >= 1; weight /= 2) {
            const int y = facePosition(height, rowOfWeight(weight));
            const FaceColour fill = (digits[column] & weight) != 0 ? marked : unmarked;
            plan.ops[count++] = dotAt(x, y, circleSize, fill);
        }
    }
    return plan;
}
