// When the settings file is written, and with what. The file holds what the user
// chose, and it is written only when the user changed something: a drag that ended
// elsewhere, a toggle, a command, Save Settings. A hide, a show, a restack, the slit
// laying itself out, a tick, the start and the end write nothing.
//
// A write changes only the lines the user changed. Every other line keeps what the
// file holds on disk now, an edit made by hand since the clock last read it
// included: the file's time and size are noted at each read and write, and a file
// that shows others is read again before the write. What the writer cannot place
// (a file that cannot be read or written now) stays in memory and goes with the next
// write.
#include "config/settings_reader.h"
#include "config/settings_writer.h"
#include "plugin/clock_plugin.h"

namespace {

// The four options that the host writes in place, one line each.
constexpr SettingsLines kHostWrittenOptions =
    settingsLine(LINE_ALWAYS_ON_TOP) | settingsLine(LINE_SNAP_WINDOW) |
    settingsLine(LINE_TRANSPARENCY) | settingsLine(LINE_AUTO_RESIZE);

bool isOneHostWrittenOption(SettingsLines lines) {
    return (lines & ~kHostWrittenOptions) == 0 && lines != 0 && (lines & (lines - 1)) == 0;
}

SettingsLine lineOf(SettingsLines oneLine) {
    int line = 0;
    while ((oneLine & settingsLine(static_cast<SettingsLine>(line))) == 0) ++line;
    return static_cast<SettingsLine>(line);
}

}  // namespace

void ClockPlugin::saveChoices(SettingsLines lines) {
    settingsFile.unsaved |= lines;
    if (isOneHostWrittenOption(lines) && saveOptionThroughHost(lineOf(lines))) return;
    writeChoices();
}

// Save Settings, and the first start: every value from the record.
void ClockPlugin::writeSettings() {
    saveChoices(kEverySettingsLine);
}

// The host changes the one line in place and keeps every other byte of the file. A
// file that is gone is made whole again instead: the host would make it of that one
// line, and every other setting would then read as missing.
bool ClockPlugin::saveOptionThroughHost(SettingsLine line) {
    if (!stampOf(rcFile).exists) return false;
    SettingsValues chosen;
    chosenValues(chosen);
    const bool value = chosen[line] != 0;
    if (!WriteBool(rcFile, settingsLineFormat(line).key, value)) return false;
    settingsFile.held[line] = value;
    settingsFile.unsaved &= ~settingsLine(line);
    // A whole text waiting for its rename was made before this change, and choices
    // that an earlier write could not place go now.
    if (settingsFile.replacePending || settingsFile.unsaved != 0) writeChoices();
    return true;
}

// The file's own values, read again when it changed since it was last read or
// written, with the unsaved choices over them. A text still waiting for its rename
// is given up: the new one takes its place.
void ClockPlugin::writeChoices() {
    SettingsFileState& file = settingsFile;
    const FileStamp stamp = stampOf(rcFile);
    const bool readAgain = stamp.exists && !sameStamp(stamp, file.heldStamp) &&
                           file.unsaved != kEverySettingsLine;
    if (readAgain && !readSettingsFile(rcFile, file.held, file.heldStamp)) return;

    SettingsValues chosen;
    chosenValues(chosen);
    SettingsValues values;
    mergeChoices(file.held, chosen, file.unsaved, values);
    dropPendingReplace();
    switch (writeSettingsText(rcFile, values)) {
    case SettingsWrite::Written:
        fileNowHolds(values);
        break;
    case SettingsWrite::Waiting:
        copyValues(values, file.waiting);
        file.replacePending = true;
        break;
    case SettingsWrite::NotWritten:
        reportSettingsNotKept();
        break;
    }
}

// The choices that the file now holds are saved; one changed meanwhile is not.
void ClockPlugin::fileNowHolds(const SettingsValues& values) {
    SettingsFileState& file = settingsFile;
    copyValues(values, file.held);
    file.heldStamp = stampOf(rcFile);
    SettingsValues chosen;
    chosenValues(chosen);
    file.unsaved &= differingLines(chosen, values);
}

// At each tick of the clock, until the program holding the file lets go. A file
// that changed since the waiting text was made, by a hand edit or a toggle through
// the host, gets a new text made from it: the waiting one would undo the change.
void ClockPlugin::retryPendingReplace() {
    SettingsFileState& file = settingsFile;
    if (!file.replacePending) return;
    const FileStamp stamp = stampOf(rcFile);
    if (stamp.exists && !sameStamp(stamp, file.heldStamp)) {
        writeChoices();
        return;
    }
    switch (replaceWithWaitingText(rcFile)) {
    case SettingsWrite::Written:
        file.replacePending = false;
        fileNowHolds(file.waiting);
        break;
    case SettingsWrite::Waiting:
        break;
    case SettingsWrite::NotWritten:
        file.replacePending = false;
        break;
    }
}

// When the record ends: one last try, and the temporary file is removed if the
// settings file is still held.
void ClockPlugin::settlePendingReplace() {
    retryPendingReplace();
    dropPendingReplace();
}

void ClockPlugin::dropPendingReplace() {
    if (!settingsFile.replacePending) return;
    removeWaitingText(rcFile);
    settingsFile.replacePending = false;
}
