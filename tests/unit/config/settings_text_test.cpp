#include "config/settings_text.h"

#include <gtest/gtest.h>

#include "tests/common/first_run_settings.h"

#include <string>

namespace {

// The values of a first start, in line order.
const int kFirstRun[SETTINGS_LINE_COUNT] = {10, 10, 200, 200, 4, 255, 255, 255, 0,
                                             0,  0,  1,   1,   0, 200, 0, 0,   5};

std::string textOf(const int (&values)[SETTINGS_LINE_COUNT]) {
    char buffer[2048];
    const int length = formatSettingsText(values, buffer, sizeof buffer);
    EXPECT_GT(length, 0);
    return std::string(buffer, length > 0 ? length : 0);
}

TEST(SettingsText, FirstRunFileIsExactly504Bytes) {
    const std::string text = textOf(kFirstRun);
    EXPECT_EQ(text.size(), 504u);
    EXPECT_EQ(text, kFirstRunSettings);
}

TEST(SettingsText, IntegersAsPercentD) {
    int values[SETTINGS_LINE_COUNT];
    std::copy(std::begin(kFirstRun), std::end(kFirstRun), values);
    values[LINE_POSITION_X] = -42;
    values[LINE_UNMARKED_RED] = 300;
    values[LINE_WIDTH] = 2147483647;
    values[LINE_HEIGHT] = -2147483647 - 1;
    const std::string text = textOf(values);
    EXPECT_NE(text.find("Pipwick.position.x: -42\n"), std::string::npos);
    EXPECT_NE(text.find("Pipwick.color.unmarked.red: 300\n"), std::string::npos);
    EXPECT_NE(text.find("Pipwick.position.width: 2147483647\n"), std::string::npos);
    EXPECT_NE(text.find("Pipwick.position.height: -2147483648\n"), std::string::npos);
}

TEST(SettingsText, AnyNonzeroBooleanIsTrue) {
    char line[64];
    ASSERT_GT(formatSettingsLine(LINE_IN_SLIT, 7, line, sizeof line), 0);
    EXPECT_STREQ(line, "Pipwick.inSlit: true\r\n");
    ASSERT_GT(formatSettingsLine(LINE_ALWAYS_ON_TOP, 0, line, sizeof line), 0);
    EXPECT_STREQ(line, "Pipwick.alwaysOnTop: false\n");
}

TEST(SettingsText, RefusesWhatDoesNotFit) {
    char small[10];
    EXPECT_EQ(formatSettingsLine(LINE_POSITION_X, 10, small, sizeof small), -1);
    char almost[503];
    EXPECT_EQ(formatSettingsText(kFirstRun, almost, sizeof almost), -1);
    char exact[505];
    EXPECT_EQ(formatSettingsText(kFirstRun, exact, sizeof exact), 504);
}

TEST(SettingsText, MissingKeysReadAsTheirDefaults) {
    // Auto-resize reads differently from a first-run file; a colour reads as there.
    EXPECT_EQ(settingsLineFormat(LINE_AUTO_RESIZE).missingValue, 1);
    EXPECT_EQ(settingsLineFormat(LINE_UNMARKED_RED).missingValue, 255);
    EXPECT_EQ(settingsLineFormat(LINE_MARKED_RED).missingValue, 0);
    EXPECT_EQ(settingsLineFormat(LINE_WIDTH).missingValue, 200);
    EXPECT_EQ(settingsLineFormat(LINE_ALPHA).missingValue, 200);
    EXPECT_EQ(settingsLineFormat(LINE_TIMER_INTERVAL).missingValue, 5);
    EXPECT_STREQ(settingsLineFormat(LINE_CIRCLE_SIZE).key, "Pipwick.size.circlesize:");
}

}  // namespace
