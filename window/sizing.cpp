// The window's width: set from the label text when auto-resize is on, never below the
// smallest width, in place inside the slit or at the floating place outside it.
#include <cstring>

#include "plugin/clock_plugin.h"
#include "plugin/live_record.h"
#include "window/auto_width.h"

bool ClockPlugin::resizeWindow(int wantedWidth, int wantedHeight) {
    if (width == wantedWidth && height == wantedHeight) return false;
    width = windowWidthFor(wantedWidth);
    // The height comes from the settings as read and may be absurd: the platform is
    // asked for a bounded one.
    const int windowHeight = windowSideFor(height);
    if (g_inSlit) {
        const LiveRecord live(this);
        SetWindowPos(hwnd, nullptr, 0, 0, width, windowHeight,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (live.stillLive()) SendMessageA(g_hSlit, HM_SLIT_UPDATE, 0, 0);
    } else {
        const POINT place = floatingPlace();
        SetWindowPos(hwnd, nullptr, place.x, place.y, width, windowHeight,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return true;
}

// The resize delivers messages, during which the host may end the plug-in.
void ClockPlugin::fitWidthToLabel() {
    const LiveRecord live(this);
    const std::size_t length = strnlen(labelText, kLabelSize);
    if (resizeWindow(labelWidth(length, fontHeight), height) && live.stillLive()) {
        InvalidateRect(hwnd, nullptr, TRUE);
    }
}

void ClockPlugin::clearLabel() {
    std::memset(labelText, 0, sizeof labelText);
}
