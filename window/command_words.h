// The command words that follow "@Pipwick" in a broadcast text.
#pragma once

enum class PipwickCommand {
    None,
    AlwaysOnTop,
    SnapWindowToEdge,
    ToggleSlit,
    Transparency,
    AutoResize,
    About,
    SaveSettings,
    ReadSettings,
    EditSettings,
};

extern const char kCommandPrefix[];  // "@Pipwick"

// Whole-text comparison that ignores ASCII letter case.
bool equalsIgnoringCase(const char* a, const char* b);

// The command a word names, compared whole without regard to letter case.
PipwickCommand commandForWord(const char* word);
