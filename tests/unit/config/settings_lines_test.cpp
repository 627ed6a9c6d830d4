#include "config/settings_lines.h"

#include <gtest/gtest.h>

namespace {

void fill(SettingsValues& values, int first) {
    for (int line = 0; line < SETTINGS_LINE_COUNT; ++line) values[line] = first + line;
}

}  // namespace

// The first, a middle and the last line: each takes the chosen value, every other
// line keeps the file's.
TEST(SettingsLines, MergeTakesOnlyTheChosenLines) {
    SettingsValues held;
    SettingsValues chosen;
    fill(held, 100);
    fill(chosen, 500);
    const SettingsLines lines = settingsLine(LINE_POSITION_X) | settingsLine(LINE_ALPHA) |
                                settingsLine(LINE_TIMER_INTERVAL);
    SettingsValues merged;
    mergeChoices(held, chosen, lines, merged);
    for (int line = 0; line < SETTINGS_LINE_COUNT; ++line) {
        const bool taken = (lines & settingsLine(static_cast<SettingsLine>(line))) != 0;
        EXPECT_EQ(merged[line], taken ? chosen[line] : held[line]) << "line " << line;
    }

    mergeChoices(held, chosen, kEverySettingsLine, merged);
    EXPECT_EQ(differingLines(merged, chosen), 0ul);
    EXPECT_EQ(differingLines(held, chosen), kEverySettingsLine);
}

TEST(SettingsLines, DifferingLinesNamesEachChangedLine) {
    SettingsValues a;
    fill(a, 0);
    SettingsValues b;
    fill(b, 0);
    b[LINE_POSITION_Y] = -1;
    b[LINE_AUTO_RESIZE] = 7;
    EXPECT_EQ(differingLines(a, b), settingsLine(LINE_POSITION_Y) | settingsLine(LINE_AUTO_RESIZE));
}
