// How a whole settings text reaches the disk: through a temporary file beside the
// settings file, flushed and then renamed over it. What the text holds, and when it
// is written, is decided by the record (config/settings_saving.cpp).
#pragma once

#include "config/settings_file_state.h"
#include "config/settings_lines.h"

enum class SettingsWrite {
    Written,     // the file holds the new text
    Waiting,     // another program holds the file: the complete text waits beside it
    NotWritten,  // the file is as it was, and nothing waits beside it
    Unreadable,  // another program keeps the file from being read now: nothing written
    Changed,     // the file's bytes are not those expected: nothing written
};

// Writes the eighteen lines of `values` as the settings file, over the lines of the
// file as it stands, which are kept. A read-only file is left as it is.
//
// `text`, where known, is what the file held when the clock last wrote it: a file
// whose bytes are others now (an edit that left its time and size, within the file
// system's time step) is not written. Once written, `text` tells the new bytes; else
// it is not known.
SettingsWrite writeSettingsText(const char* rcFile, const SettingsValues& values,
                                TextDigest& text);

// Tries again to put a waiting text in place.
SettingsWrite replaceWithWaitingText(const char* rcFile);

// Gives the waiting text up.
void removeWaitingText(const char* rcFile);
