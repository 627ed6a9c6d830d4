// The command words of the "@Pipwick" broadcasts and the host-wide texts, compared
// without regard to the case of ASCII letters.
#include "window/command_words.h"

#include <gtest/gtest.h>

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

}  // namespace
