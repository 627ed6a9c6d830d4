// What the floor plug-in paints: a face's rectangle and the toolbar style that the
// host's MakeGradient draws into it. The benchmark fills it from the same style file
// that Pipwick reads, so both backgrounds cost the same.
#pragma once

#include <windows.h>

struct FloorFace {
    int x;
    int y;
    int width;
    int height;
    int gradientType;
    COLORREF colourFrom;
    COLORREF colourTo;
    bool interlaced;
    int bevelStyle;
    int bevelPosition;
    int bevelWidth;
    COLORREF borderColour;
    int borderWidth;
};
