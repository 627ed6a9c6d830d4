#include "config/settings_text.h"
#include "plugin/clock_plugin.h"
#include "window/auto_width.h"

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
    // A position beyond the primary screen would leave the clock out of sight.
    if (xpos >= GetSystemMetrics(SM_CXSCREEN)) xpos = 0;
    if (ypos >= GetSystemMetrics(SM_CYSCREEN)) ypos = 0;

    width = readInt(rcFile, LINE_WIDTH);
    height = readInt(rcFile, LINE_HEIGHT);
    // A window wholly left of or above every screen is out of sight as well: its
    // position reads as 0 too. Only what the window really covers counts.
    xpos = positionWithinReach(xpos, width, GetSystemMetrics(SM_XVIRTUALSCREEN));
    ypos = positionWithinReach(ypos, height, GetSystemMetrics(SM_YVIRTUALSCREEN));
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
