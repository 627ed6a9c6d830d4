// A write that leaves the settings file without the user's change, with no other
// place to take it, is said once in the host's log, and only once while the clock
// runs: the change lasts until the clock ends, and the user should know why.
#include "plugin/clock_plugin.h"

void ClockPlugin::reportSettingsNotKept() {
    if (settingsNotKeptReported) return;
    settingsNotKeptReported = true;
    Log("Pipwick cannot write its settings file; changes last until the clock ends:",
        rcFile[0] != '\0' ? rcFile : nullptr);
}
