#include "pixels.h"

#include "norvane/pixel_bitmap.h"

#include <cstdio>

WindowPixels WindowPixels::capture(HWND window) {
    WindowPixels result;
    RECT client;
    if (!GetClientRect(window, &client) || client.right <= 0 || client.bottom <= 0)
        return result;
    const int width = client.right;
    const int height = client.bottom;

    HDC windowDc = GetDC(window);
    if (windowDc == nullptr)
        return result;
    void* bits = nullptr;
    HBITMAP bitmap = createPixelBitmap(windowDc, width, height, &bits);
    HDC copyDc = CreateCompatibleDC(windowDc);
    if (bitmap != nullptr && copyDc != nullptr && bits != nullptr) {
        HGDIOBJ previous = SelectObject(copyDc, bitmap);
        if (BitBlt(copyDc, 0, 0, width, height, windowDc, 0, 0, SRCCOPY)) {
            GdiFlush();
            const auto* source = static_cast<const std::uint32_t*>(bits);
            result.pixels_.assign(source, source + static_cast<std::size_t>(width) * height);
            result.width_ = width;
            result.height_ = height;
        }
        SelectObject(copyDc, previous);
    }
    if (copyDc != nullptr)
        DeleteDC(copyDc);
    if (bitmap != nullptr)
        DeleteObject(bitmap);
    ReleaseDC(window, windowDc);
    return result;
}

COLORREF WindowPixels::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return CLR_INVALID;
    // The bitmap holds 0x00RRGGBB; a COLORREF holds red in the lowest byte.
    const std::uint32_t pixel = pixels_[static_cast<std::size_t>(y) * width_ + x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

std::string colourText(COLORREF colour) {
    if (colour == CLR_INVALID)
        return "(outside)";
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", GetRValue(colour), GetGValue(colour),
                  GetBValue(colour));
    return text;
}
