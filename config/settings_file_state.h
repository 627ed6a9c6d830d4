// The settings file as the plug-in knows it, kept apart from the user's choices in
// the record and from where the window stands: the values the file holds, as last
// read from it or written to it, and its time and size at that moment; the file as
// the last tick saw it, and whether an edit of it waits to be shown; the lines of
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
// A file that is there and not empty: an empty one is most likely an editor's
// unfinished save.
bool holdsSomething(const FileStamp& stamp);

// A text's bytes as far as telling it from another: its length and a hash of them.
// Not known where the clock has not seen the bytes.
struct TextDigest {
    bool known;
    DWORD length;
    DWORD hash;
};

TextDigest digestOf(const char* bytes, DWORD length);
bool sameDigest(const TextDigest& a, const TextDigest& b);

struct SettingsFileState {
    SettingsValues held;       // what the file holds
    FileStamp heldStamp;       // the file when `held` was taken from it
    TextDigest heldText;       // its bytes, where the clock wrote them itself
    SettingsLines unsaved;     // the user's choices that the file does not hold yet
    FileStamp seenStamp;       // the file at the last tick, to tell when it stands still
    bool editUnshown;          // `held` holds an edit of the file not yet shown
    bool choicesWaiting;       // a write found the file unreadable: tried at each tick
    bool replacePending;       // a temporary file with `waiting` waits for its rename
    SettingsValues waiting;
};
