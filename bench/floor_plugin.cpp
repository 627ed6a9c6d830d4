// PipwickFloor.dll: the least plug-in that shows a face like Pipwick's, the floor the
// benchmark measures Pipwick against. A bare window of the face's size whose paint does
// only what any such face needs: an off-screen context and bitmap, the host's
// MakeGradient, one copy to the window. A timer repaints it once a second.
#include <windows.h>

#include <cstring>

#include "bench/floor_face.h"
#include "host/norvane_api.h"

namespace {

const char kFloorClassName[] = "PipwickFloor";
constexpr UINT kFloorTimerId = 1;

FloorFace g_face = {300, 10, 200, 200, GRADIENT_VERTICAL, 0, 0, false, 0, 1, 1, 0, 1};
HINSTANCE g_module = nullptr;
HWND g_window = nullptr;

void paintFloor(HWND window) {
    PAINTSTRUCT paint;
    HDC windowDc = BeginPaint(window, &paint);
    HDC faceDc = CreateCompatibleDC(nullptr);
    HBITMAP faceBitmap = CreateCompatibleBitmap(windowDc, g_face.width, g_face.height);
    if (faceDc != nullptr && faceBitmap != nullptr) {
        SelectObject(faceDc, faceBitmap);
        const RECT face = {0, 0, g_face.width, g_face.height};
        MakeGradient(faceDc, face, g_face.gradientType, g_face.colourFrom, g_face.colourTo,
                     g_face.interlaced, g_face.bevelStyle, g_face.bevelPosition,
                     g_face.bevelWidth, g_face.borderColour, g_face.borderWidth);
        BitBlt(windowDc, 0, 0, g_face.width, g_face.height, faceDc, 0, 0, SRCCOPY);
    }
    if (faceDc != nullptr) DeleteDC(faceDc);
    if (faceBitmap != nullptr) DeleteObject(faceBitmap);
    EndPaint(window, &paint);
}

LRESULT CALLBACK floorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
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

void floorSetFace(const FloorFace* face) {
    g_face = *face;
}

HWND floorWindow() {
    return g_window;
}

int beginPlugin(HINSTANCE module) {
    g_module = module;
    WNDCLASSA windowClass;
    std::memset(&windowClass, 0, sizeof windowClass);
    windowClass.lpfnWndProc = floorWindowProc;
    windowClass.hInstance = module;
    windowClass.lpszClassName = kFloorClassName;
    if (RegisterClassA(&windowClass) == 0) return 1;

    g_window = CreateWindowExA(WS_EX_TOOLWINDOW, kFloorClassName, nullptr,
                               WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, g_face.x, g_face.y,
                               g_face.width, g_face.height, nullptr, nullptr, module, nullptr);
    if (g_window == nullptr) {
        UnregisterClassA(kFloorClassName, module);
        return 1;
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
    UnregisterClassA(kFloorClassName, g_module);
}

}  // extern "C"
