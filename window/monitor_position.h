// Where a clock saved at a position starts, on a desktop of one or more monitors.
#pragma once

#include <windows.h>

// A clock that lies, at least in part, on a connected monitor (any of them, those
// left of or above the primary one included) starts where it was saved. One that
// lies on none starts on the primary monitor: each axis on which it lies wholly
// outside the primary monitor starts at 0.
POINT startPositionFor(int x, int y, int width, int height);

// Whether a clock at that position lies, at least in part, on a connected monitor.
bool liesOnAMonitor(int x, int y, int width, int height);
