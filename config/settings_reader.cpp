#include "config/settings_text.h"
#include "plugin/clock_plugin.h"
#include "window/monitor_position.h"

namespace {

int readInt(const char* file, SettingsLine line) {
    const SettingsLineFormat& format = settingsLineFormat(line);
    return ReadInt(file, format.key, format.missingValue);
}

// The host answers with one byte, and a host may answer any nonzero byte for true.
// The byte itself is read and made 0 or 1, so that a toggle always flips the option:
// a bool holding 2 would stay nonzero under `!`.
bool readBool(const char* file, SettingsLine line) {
    const SettingsLineFormat& format = settingsLineFormat(line);
    return ReadBoolByte(file, format.key, format.missingValue != 0) != 0;
}

}  // namespace

// Reads every setting into the record. Only the record and the slit flag change:
// whatever the window needs afterwards, the caller does. The file is read as it
// stands; a whole write still waiting to replace it is given up.
void ClockPlugin::readSettings() {
    dropPendingReplace();
    if (!FileExists(rcFile)) {
        locateSettingsFile();
        return;
    }

    xpos = readInt(rcFile, LINE_POSITION_X);
    ypos = readInt(rcFile, LINE_POSITION_Y);
    width = readInt(rcFile, LINE_WIDTH);
    height = readInt(rcFile, LINE_HEIGHT);
    // A clock saved on a monitor that is gone, or at a wild position, would be out
    // of sight: it comes back onto the primary monitor.
    const POINT start = startPositionFor(xpos, ypos, width, height);
    xpos = start.x;
    ypos = start.y;
    circleSize = readInt(rcFile, LINE_CIRCLE_SIZE);
    unmarkedRed = readInt(rcFile, LINE_UNMARKED_RED);
    unmarkedGreen = readInt(rcFile, LINE_UNMARKED_GREEN);
    unmarkedBlue = readInt(rcFile, LINE_UNMARKED_BLUE);
    markedRed = readInt(rcFile, LINE_MARKED_RED);
    markedGreen = readInt(rcFile, LINE_MARKED_GREEN);
    markedBlue = readInt(rcFile, LINE_MARKED_BLUE);
    transparency = readBool(rcFile, LINE_TRANSPARENCY);
    alpha = readInt(rcFile, LINE_ALPHA);
    alwaysOnTop = readBool(rcFile, LINE_ALWAYS_ON_TOP);
    autoResize = readBool(rcFile, LINE_AUTO_RESIZE);
    snapWindow = readBool(rcFile, LINE_SNAP_WINDOW);
    g_inSlit = readBool(rcFile, LINE_IN_SLIT);
    timerInterval = readInt(rcFile, LINE_TIMER_INTERVAL);
}
