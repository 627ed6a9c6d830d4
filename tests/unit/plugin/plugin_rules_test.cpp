// The small rules of the plug-in: command words, the automatic width, layered
// windows, and the information texts.
#include <gtest/gtest.h>

#include <cstring>

#include "plugin/layered_rule.h"
#include "plugin/plugin_info.h"
#include "plugin/text_copy.h"
#include "window/auto_width.h"
#include "window/command_words.h"

namespace {

TEST(CommandWords, MatchWholeWordsInAnyLetterCase) {
    EXPECT_EQ(commandForWord("AlwaysOnTop"), PipwickCommand::AlwaysOnTop);
    EXPECT_EQ(commandForWord("alwaysontop"), PipwickCommand::AlwaysOnTop);
    EXPECT_EQ(commandForWord("SNAPWINDOWTOEDGE"), PipwickCommand::SnapWindowToEdge);
    EXPECT_EQ(commandForWord("toggleSlit"), PipwickCommand::ToggleSlit);
    EXPECT_EQ(commandForWord("TransParency"), PipwickCommand::Transparency);
    EXPECT_EQ(commandForWord("autoresize"), PipwickCommand::AutoResize);
    EXPECT_EQ(commandForWord("about"), PipwickCommand::About);
    EXPECT_EQ(commandForWord("SaveSettings"), PipwickCommand::SaveSettings);
    EXPECT_EQ(commandForWord("readsettings"), PipwickCommand::ReadSettings);
    EXPECT_EQ(commandForWord("EditSettings"), PipwickCommand::EditSettings);

    EXPECT_EQ(commandForWord(""), PipwickCommand::None);
    EXPECT_EQ(commandForWord("Abou"), PipwickCommand::None);
    EXPECT_EQ(commandForWord("AboutX"), PipwickCommand::None);
    EXPECT_EQ(commandForWord("About "), PipwickCommand::None);
    // Only ASCII letters fold: 0xC1 is not 'a' in any case.
    EXPECT_EQ(commandForWord("\xC1" "bout"), PipwickCommand::None);
    EXPECT_EQ(commandForWord("@Pipwick"), PipwickCommand::None);
}

TEST(CommandWords, HostWideTextsCompareWhole) {
    EXPECT_TRUE(equalsIgnoringCase("@norvshowplugins", "@NorvShowPlugins"));
    EXPECT_FALSE(equalsIgnoringCase("@NorvShowPlugins now", "@NorvShowPlugins"));
    EXPECT_FALSE(equalsIgnoringCase("@NorvShow", "@NorvShowPlugins"));
    // '[' and '{' differ from letters by the case bit but are not letters.
    EXPECT_FALSE(equalsIgnoringCase("[", "{"));
}

TEST(AutoWidth, FollowsLabelLengthAndFontHeight) {
    EXPECT_EQ(labelWidth(9, 12), 45);  // "RC Saved!"
    EXPECT_EQ(windowWidthFor(labelWidth(9, 12)), 90);
    EXPECT_EQ(windowWidthFor(labelWidth(18, 12)), 90);
    EXPECT_EQ(windowWidthFor(labelWidth(19, 12)), 95);
    EXPECT_EQ(windowWidthFor(labelWidth(0, 12)), 90);
    EXPECT_EQ(labelWidth(10, 13), 50);   // 5.85 per character, truncated
    EXPECT_EQ(labelWidth(10, 20), 90);
    EXPECT_EQ(labelWidth(10, 24), 100);
    EXPECT_EQ(labelWidth(1023, 12), 5115);
    EXPECT_EQ(windowWidthFor(60), 90);
    EXPECT_EQ(windowWidthFor(-5), 90);
}

TEST(LayeredRule, NtFiveAndLaterOnly) {
    EXPECT_TRUE(layeredWindowsAvailable(2, 5));
    EXPECT_TRUE(layeredWindowsAvailable(2, 6));
    EXPECT_TRUE(layeredWindowsAvailable(2, 10));
    EXPECT_FALSE(layeredWindowsAvailable(2, 4));
    EXPECT_FALSE(layeredWindowsAvailable(1, 5));
    EXPECT_FALSE(layeredWindowsAvailable(0, 6));
    EXPECT_FALSE(layeredWindowsAvailable(0, 0));
}

TEST(PluginInfo, TextsByIndex) {
    EXPECT_STREQ(pluginInfoText(1), "Pipwick");
    EXPECT_STREQ(pluginInfoText(2), "0.0.2");
    EXPECT_STREQ(pluginInfoText(0), "Pipwick 0.0.1");
    EXPECT_STREQ(pluginInfoText(7), "Pipwick 0.0.1");
    EXPECT_STREQ(pluginInfoText(-1), "Pipwick 0.0.1");
    for (int index = 3; index <= 6; ++index) {
        ASSERT_NE(pluginInfoText(index), nullptr);
        EXPECT_GT(std::strlen(pluginInfoText(index)), 0u);
    }
    EXPECT_STREQ(pluginInfoText(4), "2026-12-08");
}

TEST(TextCopy, CutsAtTheBuffer) {
    char buffer[8];
    copyCut(buffer, sizeof buffer, "0123456789");
    EXPECT_STREQ(buffer, "0123456");
    copyCut(buffer, sizeof buffer, nullptr);
    EXPECT_STREQ(buffer, "");
    copyCut(buffer, sizeof buffer, "abc");
    EXPECT_STREQ(buffer, "abc");
}

}  // namespace
