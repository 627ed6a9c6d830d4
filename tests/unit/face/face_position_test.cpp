#include "face/face_position.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <sstream>
#include <string>

#include "face/face_plan.h"
#include "window/auto_width.h"

// The expected values are the plain double products of this build, which rounds each
// product to double once only where it evaluates doubles as doubles.
static_assert(FLT_EVAL_METHOD == 0, "the reference products need double evaluation");

namespace {

int truncatedProduct(int dimension, double fraction) {
    return static_cast<int>(static_cast<double>(dimension) * fraction);
}

// Every dimension from 0 to 2^20, then a spread of larger ones up to INT_MAX and the
// same ones negated, down to INT_MIN.
template <typename Check>
void forEachDimension(Check check) {
    for (int dimension = 0; dimension <= 1 << 20; ++dimension) check(dimension);
    for (long long dimension = (1 << 20) + 1; dimension <= INT_MAX; dimension += 8191) {
        check(static_cast<int>(dimension));
        check(-static_cast<int>(dimension));
    }
    for (const int dimension : {INT_MAX, INT_MAX - 1, 1 << 30, (1 << 30) - 1, -INT_MAX, INT_MIN})
        check(dimension);
}

// Counts the dimensions whose result differs from the double product and describes
// the first of them.
struct Mismatches {
    int count = 0;
    std::string first;

    void compare(int dimension, const char* what, int actual, int expected) {
        if (actual == expected) return;
        if (count++ > 0) return;
        std::ostringstream text;
        text << what << " of " << dimension << ": " << actual << ", the double product "
             << expected;
        first = text.str();
    }
};

// The column fractions in drawing order, each with the weight of its top dot, and the
// row fraction of each weight.
const double kColumnFractions[6] = {0.07, 0.2, 0.4, 0.54, 0.7, 0.84};
const int kTopWeights[6] = {2, 8, 4, 8, 4, 8};

double rowFraction(int weight) {
    return weight == 8 ? 0.2 : weight == 4 ? 0.4 : weight == 2 ? 0.6 : 0.8;
}

// A square face of every tested side: both lines, every column and every row where
// the plain double arithmetic of this build puts them.
TEST(FacePosition, EveryLineColumnAndRowIsTheTruncatedDoubleProduct) {
    Mismatches mismatches;
    forEachDimension([&](int side) {
        const FacePlan plan = planClockFace(side, side, 1, 0, 0, 0, 0, 0);
        const double third = static_cast<double>(side) * 0.33;
        mismatches.compare(side, "line 0", plan.ops[0].x, static_cast<int>(third));
        mismatches.compare(side, "line 1", plan.ops[1].x, static_cast<int>(third + third));
        int op = kFaceLineCount;
        for (int column = 0; column < 6; ++column) {
            for (int weight = kTopWeights[column]; weight >= 1; weight /= 2, ++op) {
                mismatches.compare(side, "a column", plan.ops[op].left,
                                   truncatedProduct(side, kColumnFractions[column]));
                mismatches.compare(side, "a row", plan.ops[op].top,
                                   truncatedProduct(side, rowFraction(weight)));
            }
        }
    });
    EXPECT_EQ(mismatches.count, 0) << "first: " << mismatches.first;
}

// The automatic width's width per character, fontHeight * 0.45 truncated.
TEST(FacePosition, AutoWidthPerCharacterIsTheTruncatedDoubleProduct) {
    Mismatches mismatches;
    forEachDimension([&](int fontHeight) {
        mismatches.compare(fontHeight, "the width per character", labelWidth(1, fontHeight),
                           truncatedProduct(fontHeight, 0.45));
    });
    EXPECT_EQ(mismatches.count, 0) << "first: " << mismatches.first;
}

}  // namespace
