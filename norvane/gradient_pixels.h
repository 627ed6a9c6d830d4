// The pixels of a style background: the gradient, an interlace, the bevel and
// the border, computed without the platform so the host's painter only has to copy
// them to the screen, and so they can be checked natively.
#pragma once

#include <cstdint>

#include "norvane/settings_lookup.h"

namespace norvane {

struct GradientRequest {
    long long width = 0;   // of the whole rectangle being painted
    long long height = 0;
    int gradientType = 0;  // a GradientKind; unknown kinds paint solid
    Colour from = 0;
    Colour to = 0;
    bool interlaced = false;
    int bevelStyle = 0;     // a BevelKind; unknown styles paint no bevel
    int bevelPosition = 1;  // 1: just inside the border, 2: one pixel further in
    int bevelWidth = 0;
    Colour borderColour = 0;
    int borderWidth = 0;
};

// The colour of the pixel at column x, row y of the rectangle (0, 0 top left).
// Linear gradients run from `from` at the left, top or top-left corner to `to` at
// the opposite side; the centred kinds (pipecross, elliptic, rectangle, pyramid)
// run from `from` at the outside to `to` at the centre. Interlacing darkens every
// odd row; the bevel lightens one side and darkens the other; the border covers
// the outermost `borderWidth` pixels and the bevel lies inside it.
Colour gradientPixel(const GradientRequest& request, long long x, long long y);

// Fills `pixels`, `rows` rows of `columns` values, top row first, with the part of
// the rectangle whose top-left pixel is (left, top), in the 32-bit form of a
// device-independent bitmap (0x00RRGGBB).
void fillGradientPixels(const GradientRequest& request, long long left, long long top,
                        int columns, int rows, std::uint32_t* pixels);

}  // namespace norvane
