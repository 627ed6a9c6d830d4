// When the settings file is written, and with what. The file holds what the user
// chose, and it is written only when the user changed something: a drag that ended
// elsewhere, a toggle, a command, Save Settings. A hide, a show, a restack, the slit
// laying itself out, a tick, the start and the end write nothing.
//
// A write changes only the lines the user changed. Every other line keeps what the
// file holds on disk now, an edit made by hand since the clock last read it
// included: before every write of some choices the file is read again through the
// host, unless the clock wrote it last itself and its time, size and bytes are still
// those it wrote (FAT keeps times in 2-second steps, so an edit of the same size
// soon after a write shows neither time nor size; the writer compares the bytes). An
// edit so found is shown at the next tick.
// The file's time and size are noted after each of the clock's own writes, so that
// the watch (config/settings_watch.cpp) never takes them for an edit. What the
// writer cannot place stays in memory: it goes with the next write, or, when the
// file could not be read, at a later tick.
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
// file that is gone, or cannot be read now, is left to the clock's own writer: the
// host would make a gone file of that one line, and every other setting would then
// read as missing.
bool ClockPlugin::saveOptionThroughHost(SettingsLine line) {
    const FileStamp stamp = stampOf(rcFile);
    if (!holdsSomething(stamp) || !takeFileAsItIs(stamp)) return false;
    SettingsValues chosen;
    chosenValues(chosen);
    const bool value = chosen[line] != 0;
    if (!WriteBool(rcFile, settingsLineFormat(line).key, value)) return false;
    settingsFile.heldText.known = false;  // the host wrote these bytes
    settingsFile.held[line] = value;
    settingsFile.heldStamp = stampOf(rcFile);
    settingsFile.unsaved &= ~settingsLine(line);
    // A whole text waiting for its rename was made before this change, and choices
    // that an earlier write could not place go now.
    if (settingsFile.replacePending || settingsFile.unsaved != 0) writeChoices();
    return true;
}

// The file's values as they are on disk now, with those of the other program's edit
// noted as not yet shown; false, and nothing changed, when the file is gone or cannot
// be read now.
bool ClockPlugin::takeFileAsItIs(const FileStamp& stamp) {
    SettingsFileState& file = settingsFile;
    SettingsValues before;
    copyValues(file.held, before);
    if (!readSettingsFile(rcFile, stamp, file.held)) return false;
    file.heldStamp = stamp;
    file.heldText.known = false;
    if ((differingLines(before, file.held) & ~file.unsaved) != 0) file.editUnshown = true;
    return true;
}

// The file's own values, read again unless the clock wrote the file last, with the
// unsaved choices over them; a file that is gone or empty is made again, whole, from
// what the clock holds. A file that cannot be read now is not written: the choices
// are tried again at each tick. A text still waiting for its rename is given up: the
// new one takes its place.
void ClockPlugin::writeChoices() {
    SettingsFileState& file = settingsFile;
    file.choicesWaiting = false;
    bool onlyIfUnchanged = false;
    if (file.unsaved != kEverySettingsLine) {
        const FileStamp stamp = stampOf(rcFile);
        onlyIfUnchanged = holdsSomething(stamp) && file.heldText.known &&
                          sameStamp(stamp, file.heldStamp);
        if (holdsSomething(stamp) && !onlyIfUnchanged && !takeFileAsItIs(stamp)) {
            file.choicesWaiting = true;
            return;
        }
    }
    dropPendingReplace();
    SettingsWrite written = writeValues(onlyIfUnchanged);
    if (written == SettingsWrite::Changed) {
        if (!takeFileAsItIs(stampOf(rcFile))) {
            file.choicesWaiting = true;
            return;
        }
        written = writeValues(false);
    }
    if (written == SettingsWrite::NotWritten) reportSettingsNotKept();
    if (written == SettingsWrite::Unreadable || written == SettingsWrite::Changed) {
        file.choicesWaiting = true;
    }
}

// The file's values with the unsaved choices over them, written over its text; where
// `onlyIfUnchanged`, only over the very bytes the clock last wrote.
SettingsWrite ClockPlugin::writeValues(bool onlyIfUnchanged) {
    SettingsFileState& file = settingsFile;
    SettingsValues chosen;
    chosenValues(chosen);
    SettingsValues values;
    mergeChoices(file.held, chosen, file.unsaved, values);
    TextDigest text = file.heldText;
    text.known = onlyIfUnchanged;
    const SettingsWrite written = writeSettingsText(rcFile, values, text);
    file.heldText = text;
    if (written == SettingsWrite::Written) fileNowHolds(values);
    if (written == SettingsWrite::Waiting) {
        copyValues(values, file.waiting);
        file.replacePending = true;
    }
    return written;
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

// At each tick of the clock, with the file as the tick saw it, until the program
// holding the file lets go. A file that changed since the waiting text was made, by
// a hand edit or a toggle through the host, gets a new text made from it: the
// waiting one would undo the change.
void ClockPlugin::retryPendingReplace(const FileStamp& stamp) {
    SettingsFileState& file = settingsFile;
    if (!file.replacePending) return;
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
    case SettingsWrite::Unreadable:
    case SettingsWrite::Changed:
        file.replacePending = false;
        break;
    }
}

// When the record ends: one last try, and the temporary file is removed if the
// settings file is still held.
void ClockPlugin::settlePendingReplace() {
    if (settingsFile.replacePending) retryPendingReplace(stampOf(rcFile));
    dropPendingReplace();
}

void ClockPlugin::dropPendingReplace() {
    if (!settingsFile.replacePending) return;
    removeWaitingText(rcFile);
    settingsFile.replacePending = false;
}
