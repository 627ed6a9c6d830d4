// The settings file holds what the user chose: only a change of the user's writes it.
// A hide, a show, a restack, ticks, the start and the end write nothing, and neither
// does the slit laying itself out; a hand edit of the file survives everything but
// Save Settings and a change of that same value.
#include <string>
#include <vector>

#include "host/norvane_api.h"
#include "norvane/host_control.h"
#include "plugin_fixture.h"
#include "redirections.h"
#include "settings_text_support.h"
#include "test_files.h"

class SettingsUserChangesTest : public PluginTest {
protected:
    // The file as the test wrote it, aged so that any write shows in its time.
    void writeAgedSettings(const Settings& settings) {
        text_ = settingsLines(settings);
        writeModuleSettings(text_);
        ageFile(rcFile());
        written_ = lastWriteTime(rcFile());
    }

    // Reading the file opens and closes it; nothing else touches it.
    void expectNothingWritten() {
        for (const std::string& call : g_fileCalls.calls)
            EXPECT_TRUE(call == "CreateFileA Pipwick.rc" || call == "CloseHandle Pipwick.rc") << call;
        EXPECT_TRUE(norvane::callsTo("WriteBool").empty());
        EXPECT_EQ(moduleSettings(), text_);
        EXPECT_TRUE(sameTime(lastWriteTime(rcFile()), written_)) << "the file was rewritten";
    }

    void tick() { SendMessageA(clockWindow(), WM_TIMER, 1, 0); }

    std::string text_;
    FILETIME written_{};
};

// Started with a slit known, so that the shell's hide does hide the floating clock.
TEST_F(SettingsUserChangesTest, HideShowRestackTicksStartAndEndWriteNothing) {
    writeAgedSettings(floatingSettings());
    recordFileCalls();
    ASSERT_EQ(startSlitPlugin(norvane::slitWindow()), 0);
    pumpMessages();
    HWND clock = clockWindow();
    ASSERT_NE(clock, nullptr);

    norvane::broadcast("@NorvHidePlugins");
    EXPECT_FALSE(IsWindowVisible(clock));
    norvane::broadcast("@NorvShowPlugins");
    EXPECT_TRUE(IsWindowVisible(clock));
    for (HWND after : {HWND_TOPMOST, HWND_NOTOPMOST, HWND_BOTTOM})
        SetWindowPos(clock, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ShowWindow(clock, SW_HIDE);
    for (int second = 0; second < 5; ++second)
        tick();
    EXPECT_FALSE(IsWindowVisible(clock)) << "a tick showed a clock it had not hidden";
    norvane::broadcast("@NorvShowPlugins");
    EXPECT_TRUE(IsWindowVisible(clock));
    stopPlugin();
    expectNothingWritten();
}

TEST_F(SettingsUserChangesTest, FiveSlitLayoutsWriteNothing) {
    writeAgedSettings(withSetting(floatingSettings(), "Pipwick.inSlit:", "true"));
    recordFileCalls();
    ASSERT_EQ(startSlitPlugin(norvane::slitWindow()), 0);
    pumpMessages();
    HWND clock = clockWindow();
    ASSERT_EQ(GetParent(clock), norvane::slitWindow());

    // The slit moves its children as another plug-in's label changes its size.
    for (int layout = 1; layout <= 5; ++layout) {
        SetWindowPos(clock, nullptr, 4, 4 + 30 * layout, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageA(norvane::slitWindow(), HM_SLIT_UPDATE, 0, 0);
    }
    stopPlugin();
    expectNothingWritten();
}

// The shell's host writes a toggled option into its one line and keeps every other
// byte; nothing of the clock's puts its older values back.
TEST_F(SettingsUserChangesTest, AHandEditSurvivesAToggleAHideAndShowAndTheEnd) {
    writeAgedSettings(floatingSettings());
    ASSERT_EQ(startSlitPlugin(norvane::slitWindow()), 0);
    pumpMessages();
    HWND clock = clockWindow();
    ASSERT_NE(clock, nullptr);

    std::string edited = withValue(moduleSettings(), "Pipwick.color.marked.red:", "200");
    edited = withValue(edited, "Pipwick.size.circlesize:", "9") + "# my own line\n";
    writeModuleSettings(edited);

    norvane::broadcast("@Pipwick AlwaysOnTop");
    norvane::broadcast("@NorvHidePlugins");
    norvane::broadcast("@NorvShowPlugins");
    stopPlugin();
    EXPECT_EQ(moduleSettings(), withValue(edited, "Pipwick.alwaysOnTop:", "true"));
}
