// The colours the face is drawn in: the settings file's dot colours with black lines
// and outlines, or, while Windows' high-contrast mode is on, the colours of the
// user's high-contrast scheme.
#pragma once

#include <windows.h>

struct FaceInk {
    COLORREF marked;    // the fill of a set bit
    COLORREF unmarked;  // the fill of a clear bit
    COLORREF lines;     // the separators and every dot's outline
};

// Read afresh at each paint, so that a change of the mode or of the system's colours
// shows at the next one. The settings keep their colours either way.
FaceInk faceInkNow(COLORREF fileMarked, COLORREF fileUnmarked);
