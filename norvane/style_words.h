// The words of a style description ("Raised Gradient Vertical Bevel1") turned into
// the fields of the host's style item. Platform-free, so it builds natively.
#pragma once

namespace norvane {

// Gradient kinds, numbered as the host interface numbers them.
enum GradientKind : int {
    kGradientHorizontal = 0,
    kGradientVertical,
    kGradientDiagonal,
    kGradientCrossDiagonal,
    kGradientPipeCross,
    kGradientElliptic,
    kGradientRectangle,
    kGradientPyramid,
    kGradientSolid,
};

enum BevelKind : int { kBevelFlat = 0, kBevelRaised = 1, kBevelSunken = 2 };

struct StyleWords {
    int bevelStyle = kBevelFlat;
    int bevelPosition = 1;
    int gradientType = kGradientSolid;
    bool solid = true;
    bool interlaced = false;
};

// Reads the words of a description, separated by blanks and compared without
// regard to ASCII letter case; unknown words are ignored. A texture is solid
// unless "Gradient" is given; a gradient without a direction word is vertical.
// When words contradict each other ("Solid" and "Gradient", "Raised" and
// "Sunken") the later one wins. A null description gives the defaults: flat,
// solid, bevel position 1, not interlaced.
StyleWords parseStyleWords(const char* description);

}  // namespace norvane
