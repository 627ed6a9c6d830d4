// The window's size: from the settings, or from the label text when auto-resize is
// on, never below the smallest width; in place inside the slit or at the floating
// place outside it.
#include <cstring>

#include "face/face_plan.h"
#include "plugin/clock_plugin.h"
#include "plugin/live_record.h"
#include "window/auto_width.h"

// A window without room for its face could not be seen or clicked.
int ClockPlugin::faceWidth() const {
    return width < kSmallestFaceWidth ? kSmallestFaceWidth : width;
}

int ClockPlugin::faceHeight() const {
    return height < kSmallestFaceHeight ? kSmallestFaceHeight : height;
}

bool ClockPlugin::resizeWindow(int wantedWidth, int wantedHeight) {
    if (width == wantedWidth && height == wantedHeight) return false;
    width = windowWidthFor(wantedWidth);
    placeAtSize();
    return true;
}

// The size read, the width following the label when auto-resize is on.
void ClockPlugin::fitToSettings() {
    if (autoResize) width = windowWidthFor(widthForLabel());
    placeAtSize();
}

// The size may come from the settings as read and be absurd: the platform is asked
// for a bounded one. Outside the slit the clock goes to its floating place, which is
// not snapped again: snapping would move it off the place it was given.
void ClockPlugin::placeAtSize() {
    const int windowWidth = windowSideFor(faceWidth());
    const int windowHeight = windowSideFor(faceHeight());
    if (g_inSlit) {
        const LiveRecord live(this);
        SetWindowPos(hwnd, nullptr, 0, 0, windowWidth, windowHeight,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (live.stillLive()) SendMessageA(g_hSlit, HM_SLIT_UPDATE, 0, 0);
    } else {
        const POINT place = floatingPlace();
        SetWindowPos(hwnd, nullptr, place.x, place.y, windowWidth, windowHeight,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSENDCHANGING);
    }
}

// The resize delivers messages, during which the host may end the plug-in.
int ClockPlugin::widthForLabel() const {
    return labelWidth(strnlen(labelText, kLabelSize), fontHeight);
}

void ClockPlugin::fitWidthToLabel() {
    const LiveRecord live(this);
    if (resizeWindow(widthForLabel(), height) && live.stillLive()) {
        InvalidateRect(hwnd, nullptr, TRUE);
    }
}

void ClockPlugin::clearLabel() {
    std::memset(labelText, 0, sizeof labelText);
}
