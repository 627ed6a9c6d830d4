// A drag of the clock window, from WM_ENTERSIZEMOVE to WM_EXITSIZEMOVE, moves it many
// times a second. Each whole write of the settings file makes a new file, which virus
// scanners and synced folders take up one by one, on the shell's GUI thread: a drag
// writes the file once, at its end, with the last place.
#include "plugin/clock_plugin.h"

void ClockPlugin::startDrag() {
    dragging = true;
}

// Moves outside a drag are written at once.
void ClockPlugin::writeMovedPosition() {
    if (dragging) {
        movedInDrag = true;
    } else {
        writeSettings();
    }
}

// Also run when the record ends during a drag, so that its last place is kept.
void ClockPlugin::finishDrag() {
    dragging = false;
    if (!movedInDrag) return;
    movedInDrag = false;
    writeSettings();
}
