// Where the settings file is: the search over the plug-in's and the host's
// directories, kept apart from the platform so that the order can be checked alone.
#pragma once

#include <cstddef>

constexpr std::size_t kSettingsPathSize = 260;  // a path and its NUL

// The two names, tried in this order in each directory.
extern const char* const kSettingsFileNames[2];

// Cuts a module path to its directory, keeping the trailing backslash. Only a
// backslash at index 1 or above counts, so a path without one keeps its first
// character alone; an empty path stays empty.
void cutToDirectory(char* path);

// directory + name into out; false (and out empty) when it does not fit in size.
bool joinPath(char* out, std::size_t size, const char* directory, const char* name);

struct SettingsFileSystem {
    bool (*exists)(const char* path);
    // Writes the host's directory, ending in a backslash, into buffer.
    void (*hostDirectory)(char* buffer, int size);
};

// Searches the module's directory (none when modulePath is null), then the host's,
// each for the two names, and puts the first existing file into rcFile
// (kSettingsPathSize characters). Returns false when none exists; rcFile then holds
// the file to create: "Pipwick.rc" in the module's directory, in the host's when the
// module's is unknown or too long, or nothing when neither fits.
bool findSettingsFile(const char* modulePath, const SettingsFileSystem& fileSystem,
                      char* rcFile);
