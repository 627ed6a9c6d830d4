#include "config/settings_search.h"
#include "plugin/clock_plugin.h"

namespace {

bool hostFileExists(const char* path) {
    return FileExists(path);
}

void hostDirectory(char* buffer, int size) {
    GetNorvanePath(buffer, size);
}

const SettingsFileSystem kHostFileSystem = {hostFileExists, hostDirectory};

}  // namespace

void ClockPlugin::locateSettingsFile() {
    char modulePath[MAX_PATH] = "";
    const DWORD length = GetModuleFileNameA(hInstance, modulePath, MAX_PATH);
    // A length of MAX_PATH means the path was cut: its directory is not the module's.
    const bool moduleKnown = length > 0 && length < MAX_PATH;
    if (findSettingsFile(moduleKnown ? modulePath : nullptr, kHostFileSystem, rcFile)) return;

    setFirstRunValues();
    writeSettings();
}
