// The user edits the settings file while the clock runs, and what is saved shows
// within about two seconds. At each tick the clock looks once at the file's time and
// size, without opening it. A change the clock did not make itself is read once the
// file has stood still for a tick, so that an editor that writes in several steps is
// read when it has finished; it is then shown as Read Settings shows the file.
//
// A file that is gone, empty, or kept from being read by another program for the
// moment is no reset: the clock keeps its values and looks again at the next tick. A
// file deleted for good is made again, whole, by the next write. Choices that a write
// could not place, the file being kept from reading, are written at a later tick.
#include "plugin/clock_plugin.h"

void ClockPlugin::watchSettingsFile() {
    SettingsFileState& file = settingsFile;
    const FileStamp stamp = stampOf(rcFile);  // the tick's one look at the file
    if (file.replacePending) {
        retryPendingReplace(stamp);
        return;
    }
    if (dragging) return;  // the drag's end writes; the next tick looks again

    const bool stoodStill = sameStamp(stamp, file.seenStamp);
    file.seenStamp = stamp;
    const bool changed = holdsSomething(stamp) && !sameStamp(stamp, file.heldStamp);
    if (file.choicesWaiting && file.unsaved != 0) writeChoices();
    else if (changed && stoodStill) takeFileAsItIs(stamp);
    if (file.editUnshown) showEdit();
}

// The edited values, apart from the user's choices that the file does not hold yet,
// become the clock's; what differs from before shows now.
void ClockPlugin::showEdit() {
    SettingsFileState& file = settingsFile;
    file.editUnshown = false;
    SettingsValues before;
    chosenValues(before);
    SettingsValues edited;
    mergeChoices(file.held, before, file.unsaved, edited);
    takeChoices(edited);
    showSettings(differingLines(before, edited), before[LINE_IN_SLIT] != 0);
}
