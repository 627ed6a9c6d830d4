// PipwickFloor.dll: the least plug-in that shows a face like Pipwick's, the floor the
// benchmark measures Pipwick against. At its start it reads what any such plug-in
// reads through the host: the eighteen keys of Pipwick's settings file (beside the
// DLL) and the toolbar style. Its window has the size and stacking those settings
// give, and is made sticky; its paint does only what any such face needs: an
// off-screen context and bitmap, the host's MakeGradient, one copy to the window. A
// timer repaints it once a second.
//
// Built with FLOOR_COPY_ONLY set to 1 it is PipwickCopyOnly.dll, the limit: the host
// draws the background once at the start into a face-sized bitmap that it keeps, and
// a paint only copies that bitmap to the window (BeginPaint, one BitBlt, EndPaint),
// the least any paint costs.
#include <windows.h>

#include <cstring>

#include "config/settings_text.h"
#include "host/norvane_api.h"

namespace {

#ifndef FLOOR_COPY_ONLY
#define FLOOR_COPY_ONLY 0
#endif
constexpr bool kCopyOnly = FLOOR_COPY_ONLY != 0;

const char* const kFloorClassName = kCopyOnly ? "PipwickCopyOnly" : "PipwickFloor";
const char kSettingsFileName[] = "Pipwick.rc";
constexpr UINT kFloorTimerId = 1;

// What the face needs of the style, read as Pipwick reads it.
struct FloorStyle {
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

HINSTANCE g_module = nullptr;
HWND g_window = nullptr;
// Beside Pipwick's window at its first-start place, never over it.
constexpr int kFloorX = kCopyOnly ? 560 : 300;
constexpr int kFloorY = 10;
int g_settings[SETTINGS_LINE_COUNT];
FloorStyle g_style;
HDC g_keptDc = nullptr;  // the copy-only face, drawn once
HBITMAP g_keptBitmap = nullptr;
HGDIOBJ g_bitmapBefore = nullptr;

// Every key of the settings file, as Pipwick reads it at its start.
void readSettings() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(g_module, path, MAX_PATH);
    char* slash = length > 0 && length < MAX_PATH ? std::strrchr(path, '\\') : nullptr;
    if (slash == nullptr || (slash + 1 - path) + sizeof kSettingsFileName > sizeof path) return;
    std::memcpy(slash + 1, kSettingsFileName, sizeof kSettingsFileName);
    for (int line = 0; line < SETTINGS_LINE_COUNT; ++line) {
        const SettingsLineFormat& format = settingsLineFormat(static_cast<SettingsLine>(line));
        g_settings[line] = format.missingValue;
    }
    if (!FileExists(path)) return;
    for (int line = 0; line < SETTINGS_LINE_COUNT; ++line) {
        const SettingsLineFormat& format = settingsLineFormat(static_cast<SettingsLine>(line));
        g_settings[line] = format.isBool ? ReadBoolByte(path, format.key, format.missingValue != 0)
                                         : ReadInt(path, format.key, format.missingValue);
    }
}

void readStyle() {
    const char* styleFile = stylePath(nullptr);
    g_style.colourFrom = ReadColor(styleFile, "toolbar.color:", "#000000");
    g_style.colourTo = ReadColor(styleFile, "toolbar.colorTo:", "#FFFFFF");
    g_style.borderColour = ReadColor(styleFile, "borderColor:", "#000000");
    StyleItem item = {};
    ParseItem(ReadString(styleFile, "toolbar:", "Flat Gradient Vertical"), &item);
    g_style.gradientType = item.gradientType;
    g_style.interlaced = item.interlaced != 0;
    g_style.bevelStyle = item.bevelStyle;
    g_style.bevelPosition = item.bevelPosition;
    g_style.bevelWidth = ReadInt(styleFile, "bevelWidth:", 1);
    g_style.borderWidth = ReadInt(styleFile, "borderWidth:", 1);
}

void drawBackground(HDC dc, const RECT& face) {
    MakeGradient(dc, face, g_style.gradientType, g_style.colourFrom, g_style.colourTo,
                 g_style.interlaced, g_style.bevelStyle, g_style.bevelPosition,
                 g_style.bevelWidth, g_style.borderColour, g_style.borderWidth);
}

void paintFloor(HWND window) {
    PAINTSTRUCT paint;
    HDC windowDc = BeginPaint(window, &paint);
    RECT face;
    GetClientRect(window, &face);
    HDC faceDc = CreateCompatibleDC(nullptr);
    HBITMAP faceBitmap = CreateCompatibleBitmap(windowDc, face.right, face.bottom);
    if (faceDc != nullptr && faceBitmap != nullptr) {
        SelectObject(faceDc, faceBitmap);
        drawBackground(faceDc, face);
        BitBlt(windowDc, 0, 0, face.right, face.bottom, faceDc, 0, 0, SRCCOPY);
    }
    if (faceDc != nullptr) DeleteDC(faceDc);
    if (faceBitmap != nullptr) DeleteObject(faceBitmap);
    EndPaint(window, &paint);
}

// The copy-only face: the background drawn once into a bitmap kept for every paint.
void keepFace(HWND window) {
    RECT face;
    GetClientRect(window, &face);
    HDC windowDc = GetDC(window);
    g_keptDc = CreateCompatibleDC(nullptr);
    g_keptBitmap = CreateCompatibleBitmap(windowDc, face.right, face.bottom);
    ReleaseDC(window, windowDc);
    if (g_keptDc == nullptr || g_keptBitmap == nullptr) return;
    g_bitmapBefore = SelectObject(g_keptDc, g_keptBitmap);
    drawBackground(g_keptDc, face);
}

void releaseFace() {
    if (g_keptDc != nullptr) {
        if (g_bitmapBefore != nullptr) SelectObject(g_keptDc, g_bitmapBefore);
        DeleteDC(g_keptDc);
    }
    if (g_keptBitmap != nullptr) DeleteObject(g_keptBitmap);
    g_keptDc = nullptr;
    g_keptBitmap = nullptr;
    g_bitmapBefore = nullptr;
}

void paintCopyOnly(HWND window) {
    PAINTSTRUCT paint;
    HDC windowDc = BeginPaint(window, &paint);
    BitBlt(windowDc, 0, 0, g_settings[LINE_WIDTH], g_settings[LINE_HEIGHT], g_keptDc, 0, 0,
           SRCCOPY);
    EndPaint(window, &paint);
}

LRESULT CALLBACK floorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        if (kCopyOnly)
            paintCopyOnly(window);
        else
            paintFloor(window);
        return 0;
    case WM_TIMER:
        InvalidateRect(window, nullptr, TRUE);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

extern "C" {

HWND floorWindow() {
    return g_window;
}

int beginPlugin(HINSTANCE module) {
    g_module = module;
    readSettings();
    readStyle();
    WNDCLASSA windowClass;
    std::memset(&windowClass, 0, sizeof windowClass);
    windowClass.lpfnWndProc = floorWindowProc;
    windowClass.hInstance = module;
    windowClass.lpszClassName = kFloorClassName;
    if (RegisterClassA(&windowClass) == 0) return 1;

    g_window = CreateWindowExA(WS_EX_TOOLWINDOW, kFloorClassName, nullptr,
                               WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, kFloorX, kFloorY,
                               g_settings[LINE_WIDTH], g_settings[LINE_HEIGHT], nullptr, nullptr,
                               module, nullptr);
    if (g_window == nullptr) {
        UnregisterClassA(kFloorClassName, module);
        return 1;
    }
    if (kCopyOnly) keepFace(g_window);
    // As any plug-in window: sticky, and above other windows when the settings say so.
    MakeSticky(g_window);
    if (g_settings[LINE_ALWAYS_ON_TOP] != 0) {
        SetWindowPos(g_window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    }
    ShowWindow(g_window, SW_SHOW);
    InvalidateRect(g_window, nullptr, TRUE);
    SetTimer(g_window, kFloorTimerId, 1000, nullptr);
    return 0;
}

void endPlugin(HINSTANCE) {
    if (g_window == nullptr) return;
    KillTimer(g_window, kFloorTimerId);
    DestroyWindow(g_window);
    g_window = nullptr;
    releaseFace();
    UnregisterClassA(kFloorClassName, g_module);
}

}  // extern "C"
