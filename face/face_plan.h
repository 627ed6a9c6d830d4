// The plan of the clock face: what to draw for a given time, computed without the
// platform so that it can be checked on its own.
#pragma once

#include <cstdint>

// A colour as the platform stores it: red in the lowest byte, then green, then blue.
using FaceColour = std::uint32_t;

struct FaceOp {
    enum Kind { Line, Dot };
    Kind kind;
    // Line: a vertical black line from (x, 0) to (x, height), the end point excluded.
    int x;
    // Dot: the rectangle bounding an outlined ellipse (right and bottom exclusive).
    int left, top, right, bottom;
    FaceColour fill;
};

constexpr int kFaceLineCount = 2;
constexpr int kFaceDotCount = 20;
constexpr int kFaceOpCount = kFaceLineCount + kFaceDotCount;

// The smallest face that still shows all twenty dots: with dots of the starting size,
// 4 pixels, every dot lies wholly inside the face and a pixel apart from its
// neighbours, and the separator lines pass between the columns. Every larger face
// keeps that; one pixel less in either direction does not. A smaller width or height
// is painted at this size.
constexpr int kSmallestFaceWidth = 36;
constexpr int kSmallestFaceHeight = 24;

struct FacePlan {
    FaceOp ops[kFaceOpCount];
};

// The widest and tallest dot a paint draws. A dot larger than any screen cannot show
// as a dot, and drawing an ellipse costs time in proportion to its size on every
// paint: a dot size of ten million stalls the shell's GUI thread for minutes.
constexpr long long kLargestDrawnDot = 8192;

// Whether a dot of the plan is small enough to be drawn; lines always are.
bool drawnOnPaint(const FaceOp& op);

// The x of separator line 0 (between hours and minutes) or 1 (between minutes and
// seconds): the first at 0.33 of the width, the second at the doubled product.
int separatorLineX(int width, int line);

// A colour from three components, taking the low byte of each.
FaceColour faceColour(int red, int green, int blue);

// The two separator lines, then the twenty dots column by column from the left and,
// within a column, from the top down. Hour 0 to 23, minute and second 0 to 59.
FacePlan planClockFace(int width, int height, int circleSize, FaceColour marked,
                       FaceColour unmarked, int hour, int minute, int second);
