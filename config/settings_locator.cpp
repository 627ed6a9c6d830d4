#include "config/data_folder.h"
#include "config/host_path.h"
#include "config/settings_search.h"
#include "config/settings_writer.h"
#include "plugin/clock_plugin.h"

namespace {

bool hostFileExists(const char* path) {
    return FileExists(path);
}

void hostDirectory(char* buffer, int size) {
    GetNorvanePath(buffer, size);
}

const SettingsFileSystem kHostFileSystem = {hostFileExists, hostDirectory, pipwickDataDirectory};

}  // namespace

// The module's path as the host can open it: where no such path exists, the folder
// is one that cannot hold the file, and the search goes on to the host's folder.
void ClockPlugin::locateSettingsFile() {
    char modulePath[MAX_PATH];
    const char* module = moduleHostPath(hInstance, modulePath, MAX_PATH) ? modulePath : nullptr;
    if (findSettingsFile(module, kHostFileSystem, rcFile)) return;

    setFirstRunValues();
    createSettingsFile(module);
}

// The first place that takes a new file keeps it: the plug-in's folder, the host's,
// then Pipwick's folder in the user's application data, which the search reaches
// third, so that the next start finds the file there. Where none does, every value
// stays unsaved and goes with the next write.
void ClockPlugin::createSettingsFile(const char* modulePath) {
    settingsFile.unsaved = kEverySettingsLine;
    SettingsValues values;
    chosenValues(values);
    for (const SettingsPlace place : kSettingsPlaces) {
        if (!newSettingsFileIn(place, modulePath, kHostFileSystem, rcFile)) continue;
        if (place == SettingsPlace::Data && !makeFolderOf(rcFile)) continue;
        TextDigest text = {false, 0, 0};
        const SettingsWrite written = writeSettingsText(rcFile, values, text);
        if (written == SettingsWrite::Written) {
            settingsFile.heldText = text;
            fileNowHolds(values);
            return;
        }
        // A new file that could not be renamed into place is no file.
        if (written == SettingsWrite::Waiting) removeWaitingText(rcFile);
    }
    reportSettingsNotKept();
}
