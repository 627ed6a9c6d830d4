// The host may end the plug-in inside any call during which it runs its own message
// loop. Each case ends it inside one such call: the plug-in returns from that call
// without touching its freed record (here every freed block faults at once), leaves
// nothing behind, and starts again cleanly.
#include <string>

#include "host/norvane_api.h"
#include "norvane/host_control.h"
#include "full_screen_program.h"
#include "plugin_fixture.h"
#include "redirections.h"
#include "settings_text_support.h"

namespace {

enum class Start { Floating, InSlit, DuringStart, DuringSlitStart, WithoutTimer };

struct EndCase {
    const char* name;
    Start start;
    LentCall call;            // the host ends the plug-in inside the first such call
    void (*act)(HWND clock);  // what makes the running plug-in make it; none at start
    bool autoResize = false;
    bool alwaysOnTop = false;
};

void PrintTo(const EndCase& end, std::ostream* out) {
    *out << end.name;
}

void broadcastCommand(const char* word) {
    norvane::broadcast((std::string("@Pipwick ") + word).c_str());
}

}  // namespace

class HostEndsPluginTest : public PluginTest, public testing::WithParamInterface<EndCase> {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        if (HasFatalFailure())
            return;
        blocksBefore_ = g_heap.liveBlocks.size();
        redirectAll(lentControlRedirections());
        g_heap.faultOnUseAfterFree = true;
        g_lentControl = LentControlRecords{};
        g_lentControl.end = [this] { stopPlugin(); };
    }

    void writeSettingsFor(const EndCase& end) {
        Settings settings = floatingSettings();
        const bool inSlit = end.start == Start::InSlit || end.start == Start::DuringSlitStart;
        settings = withSetting(settings, "Pipwick.inSlit:", inSlit ? "true" : "false");
        settings = withSetting(settings, "Pipwick.autoResize:", end.autoResize ? "true" : "false");
        settings = withSetting(settings, "Pipwick.alwaysOnTop:", end.alwaysOnTop ? "true" : "false");
        writeModuleSettings(settingsLines(settings));
    }

    void armEndInside(LentCall call) {
        g_lentControl.endInside = call;
        g_lentControl.calls = 0;
        g_lentControl.onCall = 1;
    }

    void expectNothingLeft() {
        EXPECT_TRUE(windowsOfClass("Pipwick").empty());
        EXPECT_FALSE(pipwickClassRegistered());
        EXPECT_TRUE(norvane::slitChildren().empty());
        EXPECT_TRUE(norvane::stickyWindows().empty());
        for (UINT message : {HM_RECONFIGURE, HM_SET_LABEL, HM_BROADCAST})
            EXPECT_TRUE(norvane::windowsRegisteredFor(message).empty()) << "message " << message;
        EXPECT_EQ(norvane::liveMenuCount(), 0);
        EXPECT_EQ(g_heap.liveBlocks.size(), blocksBefore_) << "heap blocks were kept";
        EXPECT_TRUE(g_gdi.liveObjects.empty());
    }

    size_t blocksBefore_ = 0;
};

TEST_P(HostEndsPluginTest, ReturnsWithoutTouchingTheRecordAndStartsAgain) {
    const EndCase& end = GetParam();
    writeSettingsFor(end);
    if (end.act == nullptr) {
        armEndInside(end.call);
        g_windowSetup.failSetTimer = end.start == Start::WithoutTimer;
        const int started = end.start == Start::DuringSlitStart
                                ? startSlitPlugin(norvane::slitWindow())
                                : startPlugin();
        EXPECT_EQ(started, 1) << "the start went on after the host had ended it";
        g_windowSetup.failSetTimer = false;
    } else {
        // The slit is known either way; the settings say whether the clock is in it.
        ASSERT_EQ(startSlitPlugin(norvane::slitWindow()), 0);
        ASSERT_NE(clockWindow(), nullptr);
        armEndInside(end.call);
        end.act(clockWindow());
    }
    ASSERT_TRUE(g_lentControl.ended) << "the plug-in never made the call";
    pumpMessages();
    expectNothingLeft();

    g_lentControl.onCall = 0;
    ASSERT_EQ(startSlitPlugin(norvane::slitWindow()), 0);
    ASSERT_NE(clockWindow(), nullptr);
    EXPECT_TRUE(IsWindowVisible(clockWindow()));
    norvane::broadcast("@Pipwick SaveSettings");
    stopPlugin();
    expectNothingLeft();
}

INSTANTIATE_TEST_SUITE_P(
    LentCalls, HostEndsPluginTest,
    testing::Values(
        EndCase{"EditSettings", Start::Floating, LentCall::NorvExecute,
                [](HWND) { broadcastCommand("EditSettings"); }},
        EndCase{"About", Start::Floating, LentCall::MessageBox,
                [](HWND) { broadcastCommand("About"); }},
        EndCase{"ContextMenu", Start::Floating, LentCall::ShowMenu,
                [](HWND clock) { SendMessageA(clock, WM_RBUTTONUP, 0, 0); }},
        EndCase{"AlwaysOnTop", Start::Floating, LentCall::SetWindowPos,
                [](HWND) { broadcastCommand("AlwaysOnTop"); }},
        EndCase{"IntoTheSlit", Start::Floating, LentCall::SlitAdd,
                [](HWND) { broadcastCommand("ToggleSlit"); }},
        EndCase{"OutOfTheSlit", Start::InSlit, LentCall::SlitRemove,
                [](HWND) { broadcastCommand("ToggleSlit"); }},
        EndCase{"LabelResize", Start::Floating, LentCall::SetWindowPos,
                [](HWND) { norvane::setLabel("a label long enough to widen the clock a lot"); },
                true},
        EndCase{"LabelResizeInTheSlit", Start::InSlit, LentCall::SetWindowPos,
                [](HWND) { norvane::setLabel("a label long enough to widen the clock a lot"); },
                true},
        EndCase{"SlitUpdate", Start::InSlit, LentCall::SlitUpdate,
                [](HWND) { broadcastCommand("SaveSettings"); }, true},
        // A tick hides the clock when a program of another process fills the screen.
        EndCase{"TimerTick", Start::Floating, LentCall::ShowWindow,
                [](HWND clock) {
                    FullScreenProgram program;
                    ASSERT_TRUE(program.start());
                    SendMessageA(clock, WM_TIMER, 1, 0);
                }},
        EndCase{"ShowPlugins", Start::Floating, LentCall::ShowWindow,
                [](HWND clock) {
                    ShowWindow(clock, SW_HIDE);
                    norvane::broadcast("@NorvShowPlugins");
                }},
        EndCase{"StartJoiningTheSlit", Start::DuringSlitStart, LentCall::SlitAdd, nullptr},
        EndCase{"StartRegistering", Start::DuringStart, LentCall::HostRegister, nullptr},
        EndCase{"StartOnTop", Start::DuringStart, LentCall::SetWindowPos, nullptr, false, true},
        EndCase{"StartShowing", Start::DuringStart, LentCall::ShowWindow, nullptr},
        EndCase{"StartWithoutTimer", Start::WithoutTimer, LentCall::MessageBox, nullptr}),
    [](const testing::TestParamInfo<EndCase>& info) { return std::string(info.param.name); });
