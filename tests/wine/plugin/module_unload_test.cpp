// The host may end the plug-in and unload its module inside any call during which it
// runs its own message loop. The module keeps itself loaded then: the call returns
// into it, the process lives on, and a later load of the module starts cleanly; so
// too in a folder whose name the ANSI code page cannot write, and on Windows 2000,
// which has no GetModuleHandleExW. An end outside every such call leaves the module
// free to unload.
#include <algorithm>
#include <string>

#include "norvane/host_control.h"
#include "full_screen_program.h"
#include "plugin_fixture.h"
#include "redirections.h"
#include "settings_text_support.h"

namespace {

struct UnloadCase {
    const char* name;
    LentCall call;            // the host unloads the module inside the first such call
    void (*act)(HWND clock);  // what makes the running plug-in make it; none: the start
    bool inSlit = false;
    bool autoResize = false;
};

void PrintTo(const UnloadCase& unload, std::ostream* out) {
    *out << unload.name;
}

void broadcastCommand(const char* word) {
    norvane::broadcast((std::string("@Pipwick ") + word).c_str());
}

}  // namespace

// A host that ends the plug-in and unloads its module inside the armed call.
class UnloadingHostTest : public PluginTest {
protected:
    void unloadInsideLentCalls() {
        redirectAll(lentControlRedirections());
        g_lentControl = LentControlRecords{};
        g_lentControl.end = [this] {
            stopPlugin();
            unloadModule();
        };
    }

    void arm(LentCall call) {
        g_lentControl.endInside = call;
        g_lentControl.onCall = 1;
    }
};

class ModuleUnloadTest : public UnloadingHostTest, public testing::WithParamInterface<UnloadCase> {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        if (!HasFatalFailure())
            unloadInsideLentCalls();
    }
};

TEST_P(ModuleUnloadTest, CallReturnsIntoTheModuleAndALaterLoadStartsCleanly) {
    const UnloadCase& unload = GetParam();
    Settings settings = withSetting(floatingSettings(), "Pipwick.inSlit:", unload.inSlit ? "true" : "false");
    settings = withSetting(settings, "Pipwick.autoResize:", unload.autoResize ? "true" : "false");
    writeModuleSettings(settingsLines(settings));
    if (unload.act == nullptr) {
        arm(unload.call);
        g_windowSetup.failSetTimer = unload.call == LentCall::MessageBox;
        EXPECT_EQ(startSlitPlugin(norvane::slitWindow()), 1);
        g_windowSetup.failSetTimer = false;
    } else {
        ASSERT_EQ(startSlitPlugin(norvane::slitWindow()), 0);
        arm(unload.call);
        unload.act(clockWindow());
    }
    ASSERT_TRUE(g_lentControl.ended) << "the plug-in never made the call";
    pumpMessages();
    EXPECT_TRUE(windowsOfClass("Pipwick").empty());

    g_lentControl.onCall = 0;
    loadModuleAgain();
    ASSERT_EQ(startSlitPlugin(norvane::slitWindow()), 0);
    ASSERT_NE(clockWindow(), nullptr);
    EXPECT_TRUE(IsWindowVisible(clockWindow()));
    stopPlugin();
    EXPECT_TRUE(windowsOfClass("Pipwick").empty());
}

INSTANTIATE_TEST_SUITE_P(
    LentCalls, ModuleUnloadTest,
    testing::Values(
        UnloadCase{"About", LentCall::MessageBox, [](HWND) { broadcastCommand("About"); }},
        UnloadCase{"EditSettings", LentCall::NorvExecute,
                   [](HWND) { broadcastCommand("EditSettings"); }},
        UnloadCase{"ContextMenu", LentCall::ShowMenu,
                   [](HWND clock) { SendMessageA(clock, WM_RBUTTONUP, 0, 0); }},
        UnloadCase{"AlwaysOnTop", LentCall::SetWindowPos,
                   [](HWND) { broadcastCommand("AlwaysOnTop"); }},
        // A tick hides the clock when a program of another process fills the screen.
        UnloadCase{"TimerTick", LentCall::ShowWindow,
                   [](HWND clock) {
                       FullScreenProgram program;
                       ASSERT_TRUE(program.start());
                       SendMessageA(clock, WM_TIMER, 1, 0);
                   }},
        UnloadCase{"IntoTheSlit", LentCall::SlitAdd, [](HWND) { broadcastCommand("ToggleSlit"); }},
        UnloadCase{"OutOfTheSlit", LentCall::SlitRemove,
                   [](HWND) { broadcastCommand("ToggleSlit"); }, true},
        UnloadCase{"SlitUpdate", LentCall::SlitUpdate,
                   [](HWND) { broadcastCommand("SaveSettings"); }, true, true},
        UnloadCase{"StartRegistering", LentCall::HostRegister, nullptr},
        UnloadCase{"StartWithoutTimer", LentCall::MessageBox, nullptr}),
    [](const testing::TestParamInfo<UnloadCase>& info) { return std::string(info.param.name); });

class ModuleEndTest : public PluginTest {};

TEST_F(ModuleEndTest, EndedOutsideEveryCallTheModuleUnloads) {
    writeModuleSettings(settingsLines(floatingSettings()));
    ASSERT_EQ(startPlugin(), 0);
    stopPlugin();
    unloadModule();
    EXPECT_EQ(GetModuleHandleA(modulePath("Pipwick.dll").c_str()), nullptr);
}

// In a folder whose name the ANSI code page cannot write, so that no ANSI path names
// the module.
struct FolderUnloadCase {
    const char* name;
    const char* command;
    LentCall call;
    bool windows2000;
};

void PrintTo(const FolderUnloadCase& unload, std::ostream* out) {
    *out << unload.name;
}

class ModuleUnloadInForeignFolderTest : public UnloadingHostTest,
                                        public testing::WithParamInterface<FolderUnloadCase> {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        if (!HasFatalFailure())
            moveModuleOutsideCodePage();
        if (!HasFatalFailure())
            unloadInsideLentCalls();
    }
};

TEST_P(ModuleUnloadInForeignFolderTest, CallReturnsIntoTheModule) {
    const FolderUnloadCase& unload = GetParam();
    if (unload.windows2000)
        g_platform.missingProcedures.push_back("GetModuleHandleExW");
    writeModuleSettings(settingsLines(floatingSettings()));
    ASSERT_EQ(startPlugin(), 0);
    arm(unload.call);
    broadcastCommand(unload.command);
    ASSERT_TRUE(g_lentControl.ended) << "the plug-in never made the call";
    pumpMessages();
    EXPECT_TRUE(windowsOfClass("Pipwick").empty());
    EXPECT_NE(GetModuleHandleW(moduleFile().c_str()), nullptr) << "the module did not stay loaded";
    const auto& lookups = g_platform.procedureLookups;
    EXPECT_NE(std::find(lookups.begin(), lookups.end(), "GetModuleHandleExW"), lookups.end());
}

INSTANTIATE_TEST_SUITE_P(
    LentCalls, ModuleUnloadInForeignFolderTest,
    testing::Values(FolderUnloadCase{"About", "About", LentCall::MessageBox, false},
                    FolderUnloadCase{"EditSettings", "EditSettings", LentCall::NorvExecute, false},
                    FolderUnloadCase{"AboutOnWindows2000", "About", LentCall::MessageBox, true},
                    FolderUnloadCase{"EditSettingsOnWindows2000", "EditSettings",
                                     LentCall::NorvExecute, true}),
    [](const testing::TestParamInfo<FolderUnloadCase>& info) {
        return std::string(info.param.name);
    });
