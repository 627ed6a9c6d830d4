// What a window shows, read back: its client area copied into a 32-bit
// device-independent bitmap, so that a test can look at single pixels.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class WindowPixels {
public:
    // Copies the client area of `window` as it is on screen now. Empty (not valid)
    // when the window has no client area or the copy fails.
    static WindowPixels capture(HWND window);

    bool valid() const { return !pixels_.empty(); }
    int width() const { return width_; }
    int height() const { return height_; }
    // The colour at (x, y) of the client area; CLR_INVALID outside it.
    COLORREF at(int x, int y) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;  // 0x00RRGGBB, top row first
};

// "#rrggbb", for messages of failed comparisons.
std::string colourText(COLORREF colour);
