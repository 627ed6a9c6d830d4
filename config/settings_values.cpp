// The user's choices in the record, as the values of the settings file's lines.
#include "plugin/clock_plugin.h"

void ClockPlugin::chosenValues(SettingsValues& values) const {
    const int chosen[SETTINGS_LINE_COUNT] = {
        xpos,          ypos,          width,        height,       circleSize,
        unmarkedRed,   unmarkedGreen, unmarkedBlue, markedRed,    markedGreen,
        markedBlue,    alwaysOnTop,   snapWindow,   transparency, alpha,
        g_inSlit,      autoResize,    timerInterval,
    };
    copyValues(chosen, values);
}

void ClockPlugin::takeChoices(const SettingsValues& values) {
    xpos = values[LINE_POSITION_X];
    ypos = values[LINE_POSITION_Y];
    width = values[LINE_WIDTH];
    height = values[LINE_HEIGHT];
    circleSize = values[LINE_CIRCLE_SIZE];
    unmarkedRed = values[LINE_UNMARKED_RED];
    unmarkedGreen = values[LINE_UNMARKED_GREEN];
    unmarkedBlue = values[LINE_UNMARKED_BLUE];
    markedRed = values[LINE_MARKED_RED];
    markedGreen = values[LINE_MARKED_GREEN];
    markedBlue = values[LINE_MARKED_BLUE];
    alwaysOnTop = values[LINE_ALWAYS_ON_TOP] != 0;
    snapWindow = values[LINE_SNAP_WINDOW] != 0;
    transparency = values[LINE_TRANSPARENCY] != 0;
    alpha = values[LINE_ALPHA];
    g_inSlit = values[LINE_IN_SLIT] != 0;
    autoResize = values[LINE_AUTO_RESIZE] != 0;
    timerInterval = values[LINE_TIMER_INTERVAL];
}
