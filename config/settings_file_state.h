// The settings file as the plug-in knows it, kept apart from the user's choices in
// the record and from where the window stands: the values the file holds, as last
// read from it or written to it, and its time and size at that moment; the lines of
// the user's choices that the file does not hold yet; and a whole text that waits to
// replace the file while another program holds it.
#pragma once

#include <windows.h>

#include "config/settings_lines.h"

// A file's last-write time and size: a file edited since it was taken shows another.
struct FileStamp {
    bool exists;
    FILETIME lastWrite;
    DWORD sizeHigh;
    DWORD sizeLow;
};

FileStamp stampOf(const char* path);
bool sameStamp(const FileStamp& a, const FileStamp& b);

struct SettingsFileState {
    SettingsValues held;       // what the file holds
    FileStamp heldStamp;       // the file when `held` was taken from it
    SettingsLines unsaved;     // the user's choices that the file does not hold yet
    bool replacePending;       // a temporary file with `waiting` waits for its rename
    SettingsValues waiting;
};
