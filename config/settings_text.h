// The text of the settings file: its eighteen lines, their keys, line ends and the
// values a reader falls back to when a key is missing.
#pragma once

#include <cstddef>

enum SettingsLine {
    LINE_POSITION_X,
    LINE_POSITION_Y,
    LINE_WIDTH,
    LINE_HEIGHT,
    LINE_CIRCLE_SIZE,
    LINE_UNMARKED_RED,
    LINE_UNMARKED_GREEN,
    LINE_UNMARKED_BLUE,
    LINE_MARKED_RED,
    LINE_MARKED_GREEN,
    LINE_MARKED_BLUE,
    LINE_ALWAYS_ON_TOP,
    LINE_SNAP_WINDOW,
    LINE_TRANSPARENCY,
    LINE_ALPHA,
    LINE_IN_SLIT,
    LINE_AUTO_RESIZE,
    LINE_TIMER_INTERVAL,
    SETTINGS_LINE_COUNT
};

struct SettingsLineFormat {
    const char* key;      // ends in a colon; also the key the reader asks for
    bool isBool;
    const char* lineEnd;  // "\n", or "\r\n" for the translucency and slit lines
    int missingValue;     // what reading gives when the key is absent
};

const SettingsLineFormat& settingsLineFormat(SettingsLine line);

// Formats one line ("key: value" and its line end) into buffer; booleans are any
// nonzero value for "true". Returns the number of characters, or -1 when the line
// does not fit.
int formatSettingsLine(SettingsLine line, int value, char* buffer, std::size_t size);

// The whole file for values given in line order. Returns its length, or -1 when it
// does not fit.
int formatSettingsText(const int (&values)[SETTINGS_LINE_COUNT], char* buffer,
                       std::size_t size);

// The whole file for these values written over the text the file holds now
// (`oldLength` bytes, NULs and all): the first line of each key, as the host reads it,
// is written anew where it stands; every other line (comments, blank lines, keys of
// other programs, a later line of the same key) stays byte for byte and in its
// place; the keys the text lacks follow at its end in table order. Over an empty
// text it is the eighteen lines alone. Returns its length, or -1 when it does not fit.
int formatSettingsTextOver(const char* old, std::size_t oldLength,
                           const int (&values)[SETTINGS_LINE_COUNT], char* buffer,
                           std::size_t size);
