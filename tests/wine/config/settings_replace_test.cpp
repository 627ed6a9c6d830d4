// The rename that puts a new settings file in place. Its data is flushed first, and a
// failed flush keeps the old file. While another program holds the file the rename
// is refused: the shell's thread never sleeps for it, the whole new file waits beside
// the old one and is renamed at a later tick of the clock, the newest write taking the
// place of an older one, and a file changed meanwhile gets a new one made from it; the
// plug-in's end tries once more and leaves nothing behind.
#include <string>
#include <vector>

#include "norvane/host_control.h"
#include "redirections.h"
#include "plugin_fixture.h"
#include "settings_text_support.h"
#include "test_files.h"

namespace {

const std::vector<std::string> kSettingsOnly = {"Pipwick.dll", "Pipwick.rc"};

}  // namespace

class SettingsReplaceTest : public PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        if (HasFatalFailure())
            return;
        recordFileCalls();
        startFrom(floatingSettings());
        before_ = moduleSettings();
        g_fileCalls.calls.clear();
    }

    void tick() { SendMessageA(clockWindow(), WM_TIMER, 1, 0); }
    std::string waiting() const { return fileContent(modulePath("Pipwick.r~")); }

    std::string before_;
};

TEST_F(SettingsReplaceTest, FailedFlushKeepsTheOldFile) {
    g_fileCalls.failFlush = true;
    moveClockWindow(300, 40);
    EXPECT_EQ(g_fileCalls.count("FlushFileBuffers Pipwick.r~"), 1);
    EXPECT_EQ(g_fileCalls.count("MoveFileExA Pipwick.r~ Pipwick.rc"), 0);
    EXPECT_EQ(moduleSettings(), before_);
    EXPECT_EQ(filesIn(moduleDirectory()), kSettingsOnly);
}

TEST_F(SettingsReplaceTest, HeldFileIsRenamedAtALaterTickWithoutSleeping) {
    g_fileCalls.replaceHeld = true;
    moveClockWindow(300, 40);
    moveClockWindow(310, 50);
    tick();
    EXPECT_EQ(moduleSettings(), before_);
    EXPECT_EQ(waiting(), writtenText(floatingSettingsAt(310, 50))) << "the newest write does not wait whole";
    // The host writes the toggled key into the old file; the waiting file must not
    // put the old value back.
    norvane::broadcast("@Pipwick SnapWindowToEdge");

    g_fileCalls.replaceHeld = false;
    tick();
    EXPECT_EQ(moduleSettings(),
              writtenText(withSetting(floatingSettingsAt(310, 50), "Pipwick.snapWindow:", "true")));
    EXPECT_EQ(filesIn(moduleDirectory()), kSettingsOnly);
    EXPECT_EQ(g_fileCalls.sleeps, 0);
}

// Ticks repaint a clock that is already shown; they neither move it nor write the file.
TEST_F(SettingsReplaceTest, TicksOfAShownClockWriteNothing) {
    for (int second = 0; second < 5; ++second)
        tick();
    EXPECT_EQ(g_fileCalls.count("CreateFileA Pipwick.r~"), 0);
    EXPECT_EQ(moduleSettings(), before_);
}

// A hand edit saved while a write waits: the write is made again from the file as it
// is now, and the edit stays.
TEST_F(SettingsReplaceTest, AHandEditMadeWhileAWriteWaitsIsKept) {
    g_fileCalls.replaceHeld = true;
    moveClockWindow(300, 40);
    ASSERT_EQ(waiting(), writtenText(floatingSettingsAt(300, 40)));
    writeModuleSettings(withValue(before_, "Pipwick.color.marked.red:", "200"));

    g_fileCalls.replaceHeld = false;
    tick();
    EXPECT_EQ(moduleSettings(),
              writtenText(withSetting(floatingSettingsAt(300, 40), "Pipwick.color.marked.red:", "200")));
    EXPECT_EQ(filesIn(moduleDirectory()), kSettingsOnly);
}

// The settings are read from the file as it stands, an edit of the user's say; a
// write that waited from before must not land on it afterwards.
TEST_F(SettingsReplaceTest, ReadSettingsGivesUpAWaitingWrite) {
    g_fileCalls.replaceHeld = true;
    moveClockWindow(300, 40);
    const std::string edited = writtenText(floatingSettingsAt(7, 8));
    writeModuleSettings(edited);
    norvane::broadcast("@Pipwick ReadSettings");
    g_fileCalls.replaceHeld = false;
    tick();
    EXPECT_EQ(moduleSettings(), edited);
    EXPECT_EQ(filesIn(moduleDirectory()), kSettingsOnly);
}

TEST_F(SettingsReplaceTest, EndWhileTheFileIsHeldKeepsTheOldFileAndNothingBesideIt) {
    g_fileCalls.replaceHeld = true;
    moveClockWindow(300, 40);
    g_fileCalls.calls.clear();
    stopPlugin();
    EXPECT_GE(g_fileCalls.count("MoveFileExA Pipwick.r~ Pipwick.rc"), 1);
    EXPECT_EQ(moduleSettings(), before_);
    EXPECT_EQ(filesIn(moduleDirectory()), kSettingsOnly);
    EXPECT_EQ(g_fileCalls.sleeps, 0);
}
