#include "face_expectation.h"

#include <float.h>
#include <gtest/gtest.h>

#include <string>

#include "plugin_fixture.h"

const char kSolidToolbarStyle[] =
    "toolbar: Flat Solid\n"
    "toolbar.color: #3c5a78\n"
    "toolbar.colorTo: #3c5a78\n"
    "borderColor: #101010\n"
    "borderWidth: 1\n"
    "bevelWidth: 0\n";

COLORREF plainColour(Rgb rgb) {
    return RGB(rgb.red, rgb.green, rgb.blue);
}

std::vector<std::pair<std::string, std::string>> faceSettings(int width, int height,
                                                              int circleSize, Rgb marked,
                                                              Rgb unmarked) {
    auto settings = floatingSettings();
    settings = withSetting(settings, "Pipwick.position.width:", std::to_string(width));
    settings = withSetting(settings, "Pipwick.position.height:", std::to_string(height));
    settings = withSetting(settings, "Pipwick.size.circlesize:", std::to_string(circleSize));
    settings = withSetting(settings, "Pipwick.color.marked.red:", std::to_string(marked.red));
    settings = withSetting(settings, "Pipwick.color.marked.green:", std::to_string(marked.green));
    settings = withSetting(settings, "Pipwick.color.marked.blue:", std::to_string(marked.blue));
    settings = withSetting(settings, "Pipwick.color.unmarked.red:", std::to_string(unmarked.red));
    settings =
        withSetting(settings, "Pipwick.color.unmarked.green:", std::to_string(unmarked.green));
    settings = withSetting(settings, "Pipwick.color.unmarked.blue:", std::to_string(unmarked.blue));
    return settings;
}

namespace {

struct Column {
    double x;
    std::vector<int> weights;  // top down
};

// The double product, times a power of two, truncated. The 32-bit test program does
// its arithmetic on the x87 unit, which MinGW programs leave at 64-bit precision, so
// the product is formed at 53 bits, rounded once as a double product is; the operands
// are read and the product stored through volatiles so that the multiplication stays
// between the two changes of the control word.
int truncatedProduct(int dimension, double fraction, int powerOfTwo = 1) {
#ifndef _WIN64
    const unsigned int precision = _controlfp(0, 0) & _MCW_PC;
    _controlfp(_PC_53, _MCW_PC);
#endif
    volatile double factor = fraction;
    volatile double product = static_cast<double>(dimension) * factor;
#ifndef _WIN64
    _controlfp(precision, _MCW_PC);
#endif
    return static_cast<int>(powerOfTwo * product);
}

double rowOf(int weight) {
    return weight == 8 ? 0.2 : weight == 4 ? 0.4 : weight == 2 ? 0.6 : 0.8;
}

}  // namespace

ExpectedFace expectedFace(int width, int height, int circleSize, COLORREF marked,
                          COLORREF unmarked, int hour, int minute, int second) {
    const Column columns[6] = {
        {0.07, {2, 1}}, {0.2, {8, 4, 2, 1}}, {0.4, {4, 2, 1}},
        {0.54, {8, 4, 2, 1}}, {0.7, {4, 2, 1}}, {0.84, {8, 4, 2, 1}},
    };
    const int digits[6] = {hour / 10, hour % 10, minute / 10, minute % 10, second / 10,
                           second % 10};
    ExpectedFace face;
    face.lineX[0] = truncatedProduct(width, 0.33);
    face.lineX[1] = truncatedProduct(width, 0.33, 2);
    for (int column = 0; column < 6; ++column) {
        const int x = truncatedProduct(width, columns[column].x);
        for (int weight : columns[column].weights) {
            const int y = truncatedProduct(height, rowOf(weight));
            const COLORREF fill = (digits[column] & weight) != 0 ? marked : unmarked;
            face.dots.push_back({x, y, x + circleSize, y + circleSize, fill});
        }
    }
    return face;
}

void expectFaceShown(const WindowPixels& pixels, const ExpectedFace& face, int height,
                     COLORREF background, COLORREF ink) {
    const int lineY = height / 10;
    for (int x : face.lineX) {
        EXPECT_EQ(colourText(pixels.at(x, lineY)), colourText(ink)) << "line at x " << x;
        EXPECT_EQ(colourText(pixels.at(x - 1, lineY)), colourText(background));
        EXPECT_EQ(colourText(pixels.at(x + 1, lineY)), colourText(background));
    }
    for (size_t i = 0; i < face.dots.size(); ++i) {
        const ExpectedDot& dot = face.dots[i];
        SCOPED_TRACE("dot " + std::to_string(i) + " (" + std::to_string(dot.left) + ", " +
                     std::to_string(dot.top) + ", " + std::to_string(dot.right) + ", " +
                     std::to_string(dot.bottom) + ")");
        const int centreX = (dot.left + dot.right) / 2;
        const int centreY = (dot.top + dot.bottom) / 2;
        EXPECT_EQ(colourText(pixels.at(centreX, centreY)), colourText(dot.fill));
        EXPECT_EQ(colourText(pixels.at(dot.left, centreY)), colourText(ink)) << "outline, left";
        EXPECT_EQ(colourText(pixels.at(dot.right - 1, centreY)), colourText(ink))
            << "outline, right";
        EXPECT_EQ(colourText(pixels.at(centreX, dot.top)), colourText(ink)) << "outline, top";
        EXPECT_EQ(colourText(pixels.at(centreX, dot.bottom - 1)), colourText(ink))
            << "outline, bottom";
        EXPECT_EQ(colourText(pixels.at(dot.left - 1, centreY)), colourText(background));
        EXPECT_EQ(colourText(pixels.at(dot.right, centreY)), colourText(background));
        EXPECT_EQ(colourText(pixels.at(centreX, dot.top - 1)), colourText(background));
        EXPECT_EQ(colourText(pixels.at(centreX, dot.bottom)), colourText(background));
    }
}
