// How a whole settings text reaches the disk: through a temporary file beside the
// settings file, flushed and then renamed over it. What the text holds, and when it
// is written, is decided by the record (config/settings_saving.cpp).
#pragma once

#include "config/settings_lines.h"

enum class SettingsWrite {
    Written,     // the file holds the new text
    Waiting,     // another program holds the file: the complete text waits beside it
    NotWritten,  // the file is as it was, and nothing waits beside it
};

// Writes the eighteen lines of `values` as the settings file. A read-only file is
// left as it is.
SettingsWrite writeSettingsText(const char* rcFile, const SettingsValues& values);

// Tries again to put a waiting text in place.
SettingsWrite replaceWithWaitingText(const char* rcFile);

// Gives the waiting text up.
void removeWaitingText(const char* rcFile);
