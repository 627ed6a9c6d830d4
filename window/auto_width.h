// The window width that follows the label text when auto-resize is on.
#pragma once

#include <cstddef>

constexpr int kMinimumWindowWidth = 90;

// Characters of the label times the width one character takes at this font height.
int labelWidth(std::size_t labelLength, int fontHeight);

// The width a window is given: never less than the minimum.
int windowWidthFor(int wantedWidth);
