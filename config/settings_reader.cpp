#include "config/settings_reader.h"

#include "plugin/clock_plugin.h"

namespace {

// The order in which the host is asked for the keys.
const SettingsLine kReadOrder[SETTINGS_LINE_COUNT] = {
    LINE_POSITION_X,     LINE_POSITION_Y,     LINE_WIDTH,          LINE_HEIGHT,
    LINE_CIRCLE_SIZE,    LINE_UNMARKED_RED,   LINE_UNMARKED_GREEN, LINE_UNMARKED_BLUE,
    LINE_MARKED_RED,     LINE_MARKED_GREEN,   LINE_MARKED_BLUE,    LINE_TRANSPARENCY,
    LINE_ALPHA,          LINE_ALWAYS_ON_TOP,  LINE_AUTO_RESIZE,    LINE_SNAP_WINDOW,
    LINE_IN_SLIT,        LINE_TIMER_INTERVAL,
};

// The host answers with one byte, and a host may answer any nonzero byte for true.
// The byte itself is read and made 0 or 1, so that a toggle always flips the option:
// a bool holding 2 would stay nonzero under `!`.
int readValue(const char* file, SettingsLine line) {
    const SettingsLineFormat& format = settingsLineFormat(line);
    if (format.isBool) return ReadBoolByte(file, format.key, format.missingValue != 0) != 0;
    return ReadInt(file, format.key, format.missingValue);
}

// The host answers a file it cannot open as a file without keys: a file that another
// program keeps from being read must not pass for one that holds no settings.
bool canBeRead(const char* file) {
    HANDLE handle = CreateFileA(file, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    CloseHandle(handle);
    return true;
}

}  // namespace

void readSettingsValues(const char* file, SettingsValues& values) {
    for (SettingsLine line : kReadOrder) values[line] = readValue(file, line);
}

bool readSettingsFile(const char* file, const FileStamp& stamp, SettingsValues& values) {
    if (!stamp.exists || !canBeRead(file)) return false;
    readSettingsValues(file, values);
    return true;
}

// Reads every setting into the record, as the user's choices, and notes what the
// file holds. The saved place is kept as read, even where it lies on no monitor now:
// where the window stands follows from it (window/floating_place.cpp). Only the
// record and the slit flag change: whatever the window needs afterwards, the caller
// does. A whole write still waiting to replace the file is given up. A file that
// another program keeps from being read now leaves every value as it was.
void ClockPlugin::readSettings() {
    dropPendingReplace();
    if (!FileExists(rcFile)) {
        locateSettingsFile();
        return;
    }

    SettingsFileState& file = settingsFile;
    const FileStamp stamp = stampOf(rcFile);
    if (!readSettingsFile(rcFile, stamp, file.held)) return;
    file.heldStamp = stamp;
    file.heldText.known = false;
    file.unsaved = 0;
    file.editUnshown = false;
    takeChoices(file.held);
}
