#include "config/settings_lines.h"

#include <cstring>

void copyValues(const SettingsValues& from, SettingsValues& to) {
    std::memcpy(to, from, sizeof to);
}

void mergeChoices(const SettingsValues& held, const SettingsValues& chosen, SettingsLines lines,
                  SettingsValues& merged) {
    for (int line = 0; line < SETTINGS_LINE_COUNT; ++line) {
        const bool chosenLine = (lines & settingsLine(static_cast<SettingsLine>(line))) != 0;
        merged[line] = chosenLine ? chosen[line] : held[line];
    }
}

SettingsLines differingLines(const SettingsValues& a, const SettingsValues& b) {
    SettingsLines lines = 0;
    for (int line = 0; line < SETTINGS_LINE_COUNT; ++line) {
        if (a[line] != b[line]) lines |= settingsLine(static_cast<SettingsLine>(line));
    }
    return lines;
}
