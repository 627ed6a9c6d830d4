#include "pixels.h"

#include <cstdio>
#include <cstring>

WindowPixels WindowPixels::capture(HWND window) {
    WindowPixels result;
    RECT client;
    if (!GetClientRect(window, &client) || client.right <= 0 || client.bottom <= 0)
        return result;
    const int width = client.right;
    const int height = client.bottom;

    BITMAPINFO info;
    std::memset(&info, 0, sizeof info);
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;

    HDC windowDc = GetDC(window);
    if (windowDc == nullptr)
        return result;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
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
