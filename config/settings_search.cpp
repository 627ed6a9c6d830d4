#include "config/settings_search.h"

#include <cstring>

const char* const kSettingsFileNames[2] = {"Pipwick.rc", "Pipwickrc"};

void cutToDirectory(char* path) {
    const std::size_t length = std::strlen(path);
    if (length == 0) return;
    std::size_t i = length - 1;
    while (i > 0 && path[i] != '\\') --i;
    path[i + 1] = '\0';
}

bool joinPath(char* out, std::size_t size, const char* directory, const char* name) {
    const std::size_t directoryLength = std::strlen(directory);
    const std::size_t nameLength = std::strlen(name);
    if (directoryLength + nameLength + 1 > size) {
        if (size > 0) out[0] = '\0';
        return false;
    }
    std::memcpy(out, directory, directoryLength);
    std::memcpy(out + directoryLength, name, nameLength + 1);
    return true;
}

namespace {

// The first of the two names that exists in directory, copied into rcFile. A
// candidate that does not fit a path counts as absent.
bool findInDirectory(const char* directory, const SettingsFileSystem& fileSystem,
                     char* rcFile) {
    for (const char* name : kSettingsFileNames) {
        char candidate[kSettingsPathSize];
        if (joinPath(candidate, sizeof candidate, directory, name) &&
            fileSystem.exists(candidate)) {
            std::memcpy(rcFile, candidate, std::strlen(candidate) + 1);
            return true;
        }
    }
    return false;
}

}  // namespace

bool findSettingsFile(const char* modulePath, const SettingsFileSystem& fileSystem,
                      char* rcFile) {
    // A module path that is unknown or too long gives no module directory: its
    // candidates count as absent rather than being looked up as relative names.
    char moduleDirectory[kSettingsPathSize] = "";
    const bool haveModuleDirectory =
        modulePath != nullptr && std::strlen(modulePath) < sizeof moduleDirectory;
    if (haveModuleDirectory) {
        std::strcpy(moduleDirectory, modulePath);
        cutToDirectory(moduleDirectory);
        if (findInDirectory(moduleDirectory, fileSystem, rcFile)) return true;
    }

    char fallback[kSettingsPathSize] = "";
    const bool fallbackFits =
        haveModuleDirectory &&
        joinPath(fallback, sizeof fallback, moduleDirectory, kSettingsFileNames[0]);

    char hostDirectory[kSettingsPathSize] = "";
    fileSystem.hostDirectory(hostDirectory, static_cast<int>(sizeof hostDirectory));
    hostDirectory[sizeof hostDirectory - 1] = '\0';
    if (findInDirectory(hostDirectory, fileSystem, rcFile)) return true;

    if (fallbackFits ||
        joinPath(fallback, sizeof fallback, hostDirectory, kSettingsFileNames[0])) {
        std::strcpy(rcFile, fallback);
    } else {
        rcFile[0] = '\0';
    }
    return false;
}
