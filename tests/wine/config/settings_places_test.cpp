// Where the settings file may live. A plug-in folder named in a script that the ANSI
// code page lacks is reached through its short path, so the file beside the DLL is
// kept there; a folder the plug-in cannot name, and folders that refuse new files,
// pass the file on to the host's folder and then to Pipwick's folder in the user's
// application data, where the next start finds it. With nowhere left to write, the
// host's log says so once.
#include <string>

#include "norvane/host_control.h"
#include "plugin_fixture.h"
#include "redirections.h"
#include "test_files.h"
#include "window_probes.h"

class SettingsPlacesTest : public PluginTest {
protected:
    // The host unloads the plug-in and loads it again, as at its next start.
    void restart() {
        stopPlugin();
        unloadModule();
        loadModuleAgain();
        ASSERT_EQ(startPlugin(), 0);
        ASSERT_NE(clockWindow(), nullptr);
    }

    // A move, kept across a restart.
    void expectMoveKept() {
        ASSERT_EQ(startPlugin(), 0);
        moveClockWindow(300, 40);
        restart();
        const RECT bounds = windowBounds(clockWindow());
        EXPECT_EQ(bounds.left, 300);
        EXPECT_EQ(bounds.top, 40);
    }

    static int lineCount(const std::string& text) {
        int lines = 0;
        for (char c : text)
            lines += c == '\n';
        return lines;
    }
};

TEST_F(SettingsPlacesTest, FolderNamedOutsideTheCodePageKeepsTheFileBesideTheDll) {
    moveModuleOutsideCodePage();
    if (HasFatalFailure())
        return;
    expectMoveKept();
    EXPECT_NE(moduleSettings().find("Pipwick.position.x: 300\n"), std::string::npos);
    EXPECT_FALSE(fileExists(hostPath("Pipwick.rc")));
    EXPECT_FALSE(fileExists(dataPath("Pipwick.rc")));
    // Every path the host was given names the file.
    for (const norvane::HostCall& call : norvane::callsTo("FileExists"))
        EXPECT_EQ(call.arguments[0].find('?'), std::string::npos) << call.arguments[0];
    EXPECT_EQ(hostLog(), "");
}

// On a volume without short names the folder cannot be named to the host at all.
TEST_F(SettingsPlacesTest, FolderWithoutAShortNameLeavesTheFileToTheHostsFolder) {
    moveModuleOutsideCodePage();
    if (HasFatalFailure())
        return;
    redirectAll({noShortNamesRedirection()});
    ASSERT_EQ(startPlugin(), 0);
    moveClockWindow(300, 40);
    stopPlugin();
    ASSERT_EQ(startPlugin(), 0);
    const RECT bounds = windowBounds(clockWindow());
    EXPECT_EQ(bounds.left, 300);
    EXPECT_EQ(bounds.top, 40);
    EXPECT_NE(fileContent(hostPath("Pipwick.rc")).find("Pipwick.position.x: 300\n"),
              std::string::npos);
    EXPECT_FALSE(fileExists(modulePath("Pipwick.rc")));
}

TEST_F(SettingsPlacesTest, FoldersRefusingNewFilesLeaveItToApplicationData) {
    g_files.foldersRefusingNewFiles = {moduleDirectory(), hostDirectory()};
    expectMoveKept();
    EXPECT_NE(fileContent(dataPath("Pipwick.rc")).find("Pipwick.position.x: 300\n"),
              std::string::npos);
    EXPECT_FALSE(fileExists(modulePath("Pipwick.rc")));
    EXPECT_FALSE(fileExists(hostPath("Pipwick.rc")));
    EXPECT_EQ(hostLog(), "");
}

TEST_F(SettingsPlacesTest, NowhereToWriteIsLoggedOnce) {
    g_files.foldersRefusingNewFiles = {moduleDirectory(), hostDirectory(), dataPath("")};
    ASSERT_EQ(startPlugin(), 0);
    moveClockWindow(300, 40);
    moveClockWindow(320, 60);
    norvane::broadcast("@Pipwick SaveSettings");
    const std::string log = hostLog();
    EXPECT_EQ(lineCount(log), 1) << log;
    EXPECT_NE(log.find("Pipwick"), std::string::npos) << log;
    EXPECT_TRUE(g_messageBoxes.calls.empty());
}
