// saveScreenshot: the on-screen pixels of a window's rectangle, and of the windows it
// owns that are on screen (a tooltip), as a PNG file.
#include "norvane/host_internal.h"

#include <cstdint>

#include "norvane/pixel_bitmap.h"
#include "norvane/png_encoder.h"

namespace norvane {
namespace {

// Copies a rectangle of the screen into `rgb` (rows of red, green, blue bytes).
bool captureScreen(const RECT& area, std::string* rgb) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    HDC screen = GetDC(nullptr);
    if (screen == nullptr) return false;
    bool captured = false;
    void* bits = nullptr;
    HBITMAP pixels = createPixelBitmap(screen, width, height, &bits);
    HDC memory = CreateCompatibleDC(screen);
    if (pixels != nullptr && bits != nullptr && memory != nullptr) {
        HGDIOBJ previous = SelectObject(memory, pixels);
        captured = BitBlt(memory, 0, 0, width, height, screen, area.left, area.top,
                          SRCCOPY | CAPTUREBLT) != 0;
        SelectObject(memory, previous);
        GdiFlush();
    }
    if (captured) {
        const auto* source = static_cast<const std::uint32_t*>(bits);
        const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
        rgb->resize(count * 3);
        for (size_t i = 0; i < count; ++i) {
            (*rgb)[3 * i] = static_cast<char>((source[i] >> 16) & 0xFF);
            (*rgb)[3 * i + 1] = static_cast<char>((source[i] >> 8) & 0xFF);
            (*rgb)[3 * i + 2] = static_cast<char>(source[i] & 0xFF);
        }
    }
    if (memory != nullptr) DeleteDC(memory);
    if (pixels != nullptr) DeleteObject(pixels);
    ReleaseDC(nullptr, screen);
    return captured;
}

struct OwnedArea {
    HWND owner;
    RECT area;
};

BOOL CALLBACK addOwnedWindow(HWND window, LPARAM parameter) {
    auto* owned = reinterpret_cast<OwnedArea*>(parameter);
    RECT bounds;
    if (GetWindow(window, GW_OWNER) == owned->owner && IsWindowVisible(window) &&
        GetWindowRect(window, &bounds)) {
        UnionRect(&owned->area, &owned->area, &bounds);
    }
    return TRUE;
}

}  // namespace

bool saveScreenshot(HWND window, const char* path) {
    if (path == nullptr || *path == '\0' || !IsWindow(window)) return false;
    OwnedArea owned = {window, {}};
    if (!GetWindowRect(window, &owned.area)) return false;
    EnumWindows(addOwnedWindow, reinterpret_cast<LPARAM>(&owned));
    const RECT area = owned.area;
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return false;
    std::string rgb;
    if (!captureScreen(area, &rgb)) return false;
    const std::string png =
        encodePng(width, height, reinterpret_cast<const unsigned char*>(rgb.data()));
    return !png.empty() && replaceFileContents(path, png);
}

}  // namespace norvane
