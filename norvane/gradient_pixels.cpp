#include "norvane/gradient_pixels.h"

#include <algorithm>
#include <cmath>

#include "norvane/style_words.h"

namespace norvane {
namespace {

int channel(Colour colour, int index) { return static_cast<int>((colour >> (8 * index)) & 0xFF); }

Colour fromChannels(int red, int green, int blue) {
    return static_cast<Colour>(red) | static_cast<Colour>(green) << 8 |
           static_cast<Colour>(blue) << 16;
}

Colour blend(Colour from, Colour to, double t) {
    int result[3];
    for (int i = 0; i < 3; ++i) {
        const double value = channel(from, i) + (channel(to, i) - channel(from, i)) * t;
        result[i] = std::clamp(static_cast<int>(std::lround(value)), 0, 255);
    }
    return fromChannels(result[0], result[1], result[2]);
}

Colour scaled(Colour colour, int numerator, int denominator) {
    return fromChannels(channel(colour, 0) * numerator / denominator,
                        channel(colour, 1) * numerator / denominator,
                        channel(colour, 2) * numerator / denominator);
}

Colour lighter(Colour colour) {
    const int red = channel(colour, 0), green = channel(colour, 1), blue = channel(colour, 2);
    return fromChannels(red + (255 - red) / 2, green + (255 - green) / 2,
                        blue + (255 - blue) / 2);
}

// Position along one side: 0 at the first pixel, 1 at the last.
double along(long long position, long long size) {
    return size > 1 ? static_cast<double>(position) / static_cast<double>(size - 1) : 0.0;
}

// Distance from the centre line: 0 in the middle, 1 at either edge.
double fromCentre(long long position, long long size) {
    return std::fabs(2.0 * along(position, size) - 1.0);
}

// How far the pixel has moved from `from` towards `to`, 0 to 1.
double gradientPosition(const GradientRequest& request, long long x, long long y) {
    const double fx = along(x, request.width), fy = along(y, request.height);
    const double dx = fromCentre(x, request.width), dy = fromCentre(y, request.height);
    switch (request.gradientType) {
        case kGradientHorizontal: return fx;
        case kGradientVertical: return fy;
        case kGradientDiagonal: return (fx + fy) / 2.0;
        case kGradientCrossDiagonal: return ((1.0 - fx) + fy) / 2.0;
        case kGradientPipeCross: return 1.0 - std::min(dx, dy);
        case kGradientElliptic: return 1.0 - std::min(1.0, std::sqrt((dx * dx + dy * dy) / 2.0));
        case kGradientRectangle: return 1.0 - std::max(dx, dy);
        case kGradientPyramid: return 1.0 - (dx + dy) / 2.0;
        default: return 0.0;
    }
}

Colour withBevel(const GradientRequest& request, long long x, long long y, Colour colour) {
    if (request.bevelStyle != kBevelRaised && request.bevelStyle != kBevelSunken) return colour;
    if (request.bevelWidth <= 0) return colour;
    const long long inset =
        std::max(0, request.borderWidth) + (request.bevelPosition >= 2 ? 1LL : 0LL);
    const long long top = y - inset, left = x - inset;
    const long long bottom = request.height - 1 - inset - y;
    const long long right = request.width - 1 - inset - x;
    const long long nearest = std::min(std::min(top, left), std::min(bottom, right));
    if (nearest < 0 || nearest >= request.bevelWidth) return colour;
    // Corners shared by a top or left side and a bottom or right side go to the
    // top or left one.
    const bool topOrLeft = top == nearest || left == nearest;
    const bool light = topOrLeft == (request.bevelStyle == kBevelRaised);
    return light ? lighter(colour) : scaled(colour, 1, 2);
}

bool inBorder(const GradientRequest& request, long long x, long long y) {
    if (request.borderWidth <= 0) return false;
    const long long nearest = std::min(std::min(x, y), std::min(request.width - 1 - x,
                                                                request.height - 1 - y));
    return nearest < request.borderWidth;
}

std::uint32_t dibPixel(Colour colour) {
    return static_cast<std::uint32_t>(channel(colour, 0)) << 16 |
           static_cast<std::uint32_t>(channel(colour, 1)) << 8 |
           static_cast<std::uint32_t>(channel(colour, 2));
}

}  // namespace

Colour gradientPixel(const GradientRequest& request, long long x, long long y) {
    if (inBorder(request, x, y)) return request.borderColour & 0xFFFFFF;
    Colour colour = blend(request.from, request.to, gradientPosition(request, x, y));
    if (request.interlaced && (y & 1) != 0) colour = scaled(colour, 3, 4);
    return withBevel(request, x, y, colour);
}

void fillGradientPixels(const GradientRequest& request, long long left, long long top,
                        int columns, int rows, std::uint32_t* pixels) {
    if (pixels == nullptr || columns <= 0 || rows <= 0) return;
    for (int row = 0; row < rows; ++row) {
        std::uint32_t* line = pixels + static_cast<long long>(row) * columns;
        for (int column = 0; column < columns; ++column) {
            line[column] = dibPixel(gradientPixel(request, left + column, top + row));
        }
    }
}

}  // namespace norvane
