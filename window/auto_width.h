// The window width that follows the label text when auto-resize is on, and the
// bounds of what the platform is asked for when the window is placed.
#pragma once

#include <cstddef>

constexpr int kMinimumWindowWidth = 90;

// The largest side the window is given. Far beyond any screen, and small enough that
// a position plus a side never leaves the range of an int, which the platform's own
// rectangle arithmetic does not survive.
constexpr int kLargestWindowSide = 32767;

// Characters of the label times the width one character takes at this font height.
int labelWidth(std::size_t labelLength, int fontHeight);

// The width a window is given: never less than the minimum.
int windowWidthFor(int wantedWidth);

// A width or height from the settings as the window is given it: 0 for a negative
// one, at most kLargestWindowSide. The settings keep the value itself.
int windowSideFor(int side);

// A left or top edge at which the window, `side` pixels across, would lie wholly
// before `screensStart` (left of or above every screen) becomes 0; any other
// position stays.
int positionWithinReach(int position, int side, int screensStart);
