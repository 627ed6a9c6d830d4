// Where the settings file is: the search over the plug-in's and the host's
// directories and the user's application data, kept apart from the platform so that
// the order can be checked alone.
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
    // Writes Pipwick's folder in the user's application data, ending in a backslash,
    // into buffer; empty when there is none.
    void (*dataDirectory)(char* buffer, int size);
};

// The places of the settings file, in the order they are searched and tried for a
// new file.
enum class SettingsPlace { Module, Host, Data };
extern const SettingsPlace kSettingsPlaces[3];

// Searches the module's directory (none when modulePath is null), then the host's,
// then Pipwick's application data folder, each for the two names, and puts the first
// existing file into rcFile (kSettingsPathSize characters). Returns false when none
// exists; rcFile then holds "Pipwick.rc" in the first of those directories that is
// known and where it fits, or nothing.
bool findSettingsFile(const char* modulePath, const SettingsFileSystem& fileSystem,
                      char* rcFile);

// "Pipwick.rc" in the directory of that place, into rcFile; false (and rcFile empty)
// when the place has no known directory or the path does not fit.
bool newSettingsFileIn(SettingsPlace place, const char* modulePath,
                       const SettingsFileSystem& fileSystem, char* rcFile);
