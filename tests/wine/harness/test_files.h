// File and directory helpers for the tests: fresh temporary directories, whole-file
// reads and writes in binary, and directory listings.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Creates a new, empty directory under the system's temporary directory and
// returns its path with a trailing backslash; empty on failure.
std::string makeTemporaryDirectory(const char* prefix);
// Creates `name` inside `parent` (which ends in a backslash); returns the new path
// with a trailing backslash, empty on failure.
std::string makeSubdirectory(const std::string& parent, const char* name);
// Deletes a directory with everything in it.
void removeDirectoryTree(const std::string& directory);
// A path in the ANSI code page, in UTF-16.
std::wstring widePath(const std::string& path);

bool fileExists(const std::string& path);
// The file's bytes, untranslated. False when it cannot be read.
bool readWholeFile(const std::string& path, std::string* content);
// The file's bytes, or an empty string when it cannot be read.
std::string fileContent(const std::string& path);
bool writeWholeFile(const std::string& path, const std::string& content);
bool copyFileTo(const std::string& from, const std::string& to);
// Names of the plain files in a directory, sorted.
std::vector<std::string> filesIn(const std::string& directory);

// The file's last modification time; zero when it cannot be read.
FILETIME lastWriteTime(const std::string& path);
bool sameTime(const FILETIME& a, const FILETIME& b);
void setLastWriteTime(const std::string& path, const FILETIME& time);
// Sets the file's modification time far into the past, so that any later write
// shows, however quickly it follows.
void ageFile(const std::string& path);

// The directory of the running program, with a trailing backslash.
std::string programDirectory();
