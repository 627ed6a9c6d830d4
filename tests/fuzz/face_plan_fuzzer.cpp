// The face plan for any numbers: no overflow, the documented shape of the plan, and
// the paint's own bound on what it draws.
#include <cstdint>

#include "face/face_plan.h"
#include "fuzz_input.h"
#include "window/auto_width.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const int width = input.number();
    const int height = input.number();
    const int circleSize = input.number();
    const FaceColour marked = static_cast<FaceColour>(input.number());
    const FaceColour unmarked = static_cast<FaceColour>(input.number());
    const int hour = input.byte() % 24;
    const int minute = input.byte() % 60;
    const int second = input.byte() % 60;

    const FacePlan plan =
        planClockFace(width, height, circleSize, marked, unmarked, hour, minute, second);
    FUZZ_CHECK(plan.ops[0].kind == FaceOp::Line && plan.ops[1].kind == FaceOp::Line);
    for (int i = kFaceLineCount; i < kFaceOpCount; ++i) {
        const FaceOp& dot = plan.ops[i];
        FUZZ_CHECK(dot.kind == FaceOp::Dot);
        FUZZ_CHECK(dot.fill == marked || dot.fill == unmarked);
        if (circleSize >= 0) FUZZ_CHECK(dot.right >= dot.left && dot.bottom >= dot.top);
        if (drawnOnPaint(dot)) {
            const long long across = static_cast<long long>(dot.right) - dot.left;
            FUZZ_CHECK(across <= kLargestDrawnDot && -across <= kLargestDrawnDot);
        }
    }
    const FaceColour colour = faceColour(input.number(), input.number(), input.number());
    FUZZ_CHECK((colour >> 24) == 0);

    const int side = windowSideFor(width);
    FUZZ_CHECK(side >= 0 && side <= kLargestWindowSide);
    const int position = positionWithinReach(height, width, circleSize);
    FUZZ_CHECK(position == 0 || position == height);
    FUZZ_CHECK(labelWidth(input.byte() * 4u, 12) <= 1023 * 5);
    return 0;
}
