// A floating clock steps back while a program of another process fills its monitor
// and comes back, without taking the focus, once that program no longer fills it or
// has closed. A full-screen window of the shell's own process (here the test
// program, which is the host) never counts. Neither the settings file nor the Always
// On Top option changes.
#include <windows.h>

#include <string>

#include "full_screen_program.h"
#include "plugin_fixture.h"
#include "redirections.h"

namespace {

const char kOwnWindowClass[] = "PipwickTestOwnFullScreen";

bool topmost(HWND window) {
    return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

}  // namespace

class FullScreenTest : public PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        if (HasFatalFailure())
            return;
        g_windowSetup.holdTimers = true;  // the test delivers every tick
        startFrom(withSetting(floatingSettings(), "Pipwick.alwaysOnTop:", "true"));
    }

    void TearDown() override {
        program_.close();
        if (ownWindow_ != nullptr)
            DestroyWindow(ownWindow_);
        UnregisterClassA(kOwnWindowClass, GetModuleHandleA(nullptr));
        PluginTest::TearDown();
    }

    // A visible pop-up of this process over the whole primary monitor, in front.
    void showOwnFullScreenWindow() {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kOwnWindowClass;
        ASSERT_NE(RegisterClassA(&windowClass), 0);
        ownWindow_ = CreateWindowExA(0, kOwnWindowClass, "The shell's desktop", WS_POPUP | WS_VISIBLE,
                                     0, 0, GetSystemMetrics(SM_CXSCREEN),
                                     GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                     GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(ownWindow_, nullptr);
        SetForegroundWindow(ownWindow_);
        ASSERT_TRUE(pumpUntil([this] { return GetForegroundWindow() == ownWindow_; }));
    }

    bool clockShown() const { return IsWindowVisible(clockWindow()) != FALSE; }

    FullScreenProgram program_;
    HWND ownWindow_ = nullptr;
};

TEST_F(FullScreenTest, StepsBackOnlyForAnotherProgramFillingTheMonitor) {
    if (HasFatalFailure())
        return;
    HWND clock = clockWindow();
    const std::string settings = moduleSettings();

    showOwnFullScreenWindow();
    if (HasFatalFailure())
        return;
    SendMessageA(clock, WM_TIMER, 1, 0);
    EXPECT_TRUE(clockShown()) << "the clock stepped back for the shell's own window";

    ASSERT_TRUE(program_.start()) << "the full-screen program never came to the front";
    SendMessageA(clock, WM_TIMER, 1, 0);
    EXPECT_FALSE(clockShown()) << "the clock covers a full-screen program";
    SendMessageA(clock, WM_TIMER, 1, 0);
    EXPECT_FALSE(clockShown()) << "the clock came back while the program still fills the monitor";

    program_.coverWholeMonitor(false);
    SendMessageA(clock, WM_TIMER, 1, 0);
    EXPECT_TRUE(clockShown()) << "the clock stayed back for a window one pixel short of the monitor";
    EXPECT_EQ(GetForegroundWindow(), program_.window()) << "coming back took the focus";

    program_.coverWholeMonitor(true);
    SendMessageA(clock, WM_TIMER, 1, 0);
    EXPECT_FALSE(clockShown());

    program_.close();
    SendMessageA(clock, WM_TIMER, 1, 0);
    EXPECT_TRUE(clockShown()) << "the clock did not come back after the program closed";
    EXPECT_NE(GetForegroundWindow(), clock);
    EXPECT_TRUE(topmost(clock)) << "the clock came back below other windows";
    EXPECT_EQ(moduleSettings(), settings);
}

// On Windows a maximized window covers the monitor where no taskbar takes a strip of
// it, and another shell's desktop windows cover it too.
TEST_F(FullScreenTest, MaximizedWindowsAndAnotherShellsDesktopLeaveTheClockShown) {
    redirectWhereImported(desktopRedirections());
    for (const std::string mode : {"maximized", "desktop"}) {
        ASSERT_TRUE(program_.start(mode));
        g_platform.shellWindow = FindWindowA("Static", "Program Manager");
        ASSERT_TRUE(mode == "desktop" ? g_platform.shellWindow != nullptr : IsZoomed(program_.window()));
        SendMessageA(clockWindow(), WM_TIMER, 1, 0);
        EXPECT_TRUE(clockShown()) << "the clock stepped back for the " << mode << " program";
        program_.close();
        SendMessageA(clockWindow(), WM_TIMER, 1, 0);
    }
}
