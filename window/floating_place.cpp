// Where the floating clock stands follows from its saved place and the desktop of the
// moment: the saved place while it lies on a monitor, else a place on the primary
// monitor. The desktop never changes the saved place: with the monitor back, the
// clock is back where the user left it.
#include "plugin/clock_plugin.h"
#include "plugin/live_record.h"
#include "window/monitor_position.h"

POINT ClockPlugin::floatingPlace() const {
    return startPositionFor(xpos, ypos, width, height);
}

bool ClockPlugin::savedPlaceOnAMonitor() const {
    return liesOnAMonitor(xpos, ypos, width, height);
}

// The monitors or the work area changed: the clock is placed anew, where it was left
// by the user, without snapping; nothing is written.
void ClockPlugin::placeOnDesktop() {
    if (g_inSlit || dragging) return;
    const POINT place = floatingPlace();
    SetWindowPos(hwnd, nullptr, place.x, place.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSENDCHANGING);
}

// The tooltip, once made, stays topmost above the clock either way. The restack
// delivers messages, during which the host may end the plug-in.
void ClockPlugin::restack() {
    const LiveRecord live(this);
    if (alwaysOnTop) keepTooltipOnTop();
    SetWindowPos(hwnd, alwaysOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    if (live.stillLive() && !alwaysOnTop) keepTooltipOnTop();
}
