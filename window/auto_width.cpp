#include "window/auto_width.h"

#include "face/face_position.h"

int labelWidth(std::size_t labelLength, int fontHeight) {
    // fontHeight * 0.45 as a double, truncated: the rule of every position.
    const int perCharacter = facePosition(fontHeight, 0.45);
    // A label holds at most 1023 characters, so the product stays far inside an int.
    return static_cast<int>(labelLength) * perCharacter;
}

int windowWidthFor(int wantedWidth) {
    return wantedWidth < kMinimumWindowWidth ? kMinimumWindowWidth : wantedWidth;
}

int windowSideFor(int side) {
    if (side < 0) return 0;
    return side > kLargestWindowSide ? kLargestWindowSide : side;
}

int positionWithinReach(int position, int side, int screensStart) {
    const long long farEdge = static_cast<long long>(position) + windowSideFor(side);
    return farEdge <= screensStart ? 0 : position;
}
