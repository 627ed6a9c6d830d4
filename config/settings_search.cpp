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

// The directory of a place, ending in a backslash, into directory
// (kSettingsPathSize characters); empty when the place has none. A module path that
// is unknown or too long gives no module directory: its candidates count as absent
// rather than being looked up as relative names.
void placeDirectory(SettingsPlace place, const char* modulePath,
                    const SettingsFileSystem& fileSystem, char* directory) {
    const int size = static_cast<int>(kSettingsPathSize);
    directory[0] = '\0';
    switch (place) {
    case SettingsPlace::Module:
        if (modulePath != nullptr && std::strlen(modulePath) < kSettingsPathSize) {
            std::strcpy(directory, modulePath);
            cutToDirectory(directory);
        }
        break;
    case SettingsPlace::Host:
        fileSystem.hostDirectory(directory, size);
        break;
    case SettingsPlace::Data:
        fileSystem.dataDirectory(directory, size);
        break;
    }
    directory[kSettingsPathSize - 1] = '\0';
}

}  // namespace

const SettingsPlace kSettingsPlaces[3] = {SettingsPlace::Module, SettingsPlace::Host,
                                          SettingsPlace::Data};

bool findSettingsFile(const char* modulePath, const SettingsFileSystem& fileSystem,
                      char* rcFile) {
    char fallback[kSettingsPathSize] = "";
    for (const SettingsPlace place : kSettingsPlaces) {
        char directory[kSettingsPathSize];
        placeDirectory(place, modulePath, fileSystem, directory);
        if (directory[0] == '\0') continue;
        if (findInDirectory(directory, fileSystem, rcFile)) return true;
        if (fallback[0] == '\0') {
            joinPath(fallback, sizeof fallback, directory, kSettingsFileNames[0]);
        }
    }
    std::strcpy(rcFile, fallback);
    return false;
}

bool newSettingsFileIn(SettingsPlace place, const char* modulePath,
                       const SettingsFileSystem& fileSystem, char* rcFile) {
    char directory[kSettingsPathSize];
    placeDirectory(place, modulePath, fileSystem, directory);
    if (directory[0] != '\0' &&
        joinPath(rcFile, kSettingsPathSize, directory, kSettingsFileNames[0])) {
        return true;
    }
    rcFile[0] = '\0';
    return false;
}
