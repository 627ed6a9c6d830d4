// The clock face a paint must show, written out here from the face's own table
// rather than taken from the plug-in's plan: six columns at 0.07, 0.2, 0.4, 0.54, 0.7
// and 0.84 of the width; weight 8 at 0.2 of the height, 4 at 0.4, 2 at 0.6, 1 at 0.8;
// separator lines at 0.33 of the width and twice that product; every position the
// truncated double product.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "pixels.h"

// A flat, solid toolbar: every pixel the face leaves alone has kSolidToolbarColour.
extern const char kSolidToolbarStyle[];
const COLORREF kSolidToolbarColour = RGB(0x3c, 0x5a, 0x78);

// A colour as the settings file holds it: three components.
struct Rgb {
    int red, green, blue;
};

COLORREF plainColour(Rgb rgb);

// The usual floating settings with this face size, dot size and dot colours.
std::vector<std::pair<std::string, std::string>> faceSettings(int width, int height,
                                                              int circleSize, Rgb marked,
                                                              Rgb unmarked);

struct ExpectedDot {
    int left, top, right, bottom;  // right and bottom exclusive
    COLORREF fill;
};

struct ExpectedFace {
    int lineX[2];
    // Column by column from the left, within a column from the top down: 2 dots for
    // the hours' tens, 4 for units, 3 for the minutes' and the seconds' tens.
    std::vector<ExpectedDot> dots;
};

ExpectedFace expectedFace(int width, int height, int circleSize, COLORREF marked,
                          COLORREF unmarked, int hour, int minute, int second);

// Compares the pixels with the face: a line is one pixel wide in `ink` (black unless
// told otherwise) at a tenth of the height, with `background` beside it; a dot has its
// fill at its centre, an outline in `ink` at its left, right, top and bottom, and
// `background` just outside each side of its rectangle.
void expectFaceShown(const WindowPixels& pixels, const ExpectedFace& face, int height,
                     COLORREF background, COLORREF ink = RGB(0, 0, 0));
