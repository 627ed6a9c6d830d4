#include "window/auto_width.h"

int labelWidth(std::size_t labelLength, int fontHeight) {
    const int perCharacter = static_cast<int>(fontHeight * 0.45);
    // A label holds at most 1023 characters, so the product stays far inside an int.
    return static_cast<int>(labelLength) * perCharacter;
}

int windowWidthFor(int wantedWidth) {
    return wantedWidth < kMinimumWindowWidth ? kMinimumWindowWidth : wantedWidth;
}
