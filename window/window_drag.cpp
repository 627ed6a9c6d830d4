// The saved place follows the user's moves of the floating clock. A drag, from
// WM_ENTERSIZEMOVE to WM_EXITSIZEMOVE, moves the window many times a second; each
// whole write of the settings file makes a new file, which virus scanners and synced
// folders take up one by one, on the shell's GUI thread: a drag writes the file once,
// at its end, and only when it ended at a new place.
#include "config/settings_lines.h"
#include "plugin/clock_plugin.h"

void ClockPlugin::startDrag() {
    dragging = true;
    placeBeforeDrag = POINT{xpos, ypos};
}

// In the slit the slit places the clock, and a hide, a show, a restack or a change of
// size leaves the place as it is: none of these is the user's choice. While the
// saved place lies on no monitor, the clock stands where the desktop put it, and only
// a drag chooses another place; every other move is written at once.
void ClockPlugin::windowMoved(const WINDOWPOS& position) {
    if (g_inSlit || (position.flags & SWP_NOMOVE) != 0) return;
    if (position.x == xpos && position.y == ypos) return;
    if (!dragging && !savedPlaceOnAMonitor()) return;
    xpos = position.x;
    ypos = position.y;
    if (!dragging) saveChoices(kPlaceLines);
}

// Also run when the record ends during a drag, so that its last place is kept.
void ClockPlugin::finishDrag() {
    if (!dragging) return;
    dragging = false;
    if (xpos == placeBeforeDrag.x && ypos == placeBeforeDrag.y) return;
    saveChoices(kPlaceLines);
}
