// Sets of settings lines, and the values of one whole write: the file's own values,
// with the lines the user changed taken from the user's choices.
#pragma once

#include "config/settings_text.h"

using SettingsValues = int[SETTINGS_LINE_COUNT];

// One bit for each line of the file, in table order.
using SettingsLines = unsigned long;

constexpr SettingsLines settingsLine(SettingsLine line) {
    return 1ul << line;
}

constexpr SettingsLines kEverySettingsLine = (1ul << SETTINGS_LINE_COUNT) - 1;
constexpr SettingsLines kPlaceLines =
    settingsLine(LINE_POSITION_X) | settingsLine(LINE_POSITION_Y);

void copyValues(const SettingsValues& from, SettingsValues& to);

// The lines `lines` takes from `chosen`; every other line keeps its value in `held`.
void mergeChoices(const SettingsValues& held, const SettingsValues& chosen, SettingsLines lines,
                  SettingsValues& merged);

// The lines whose values differ between the two.
SettingsLines differingLines(const SettingsValues& a, const SettingsValues& b);
