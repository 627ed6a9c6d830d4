// The clock never takes the activation or the keyboard focus: its start, a click on
// it, the host's show, and its own placements all leave the window the user works in
// as the foreground, active and focused window.
#include "norvane/host_control.h"
#include "plugin_fixture.h"
#include "window_probes.h"

namespace {

const char kUserWindowClass[] = "PipwickTestUserWindow";

}  // namespace

class ClockNeverTakesFocusTest : public PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        if (HasFatalFailure())
            return;
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kUserWindowClass;
        ASSERT_NE(RegisterClassA(&windowClass), 0);
        userWindow_ = CreateWindowExA(0, kUserWindowClass, "The user's window",
                                      WS_OVERLAPPEDWINDOW | WS_VISIBLE, 500, 300, 300, 200,
                                      nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(userWindow_, nullptr);
        SetForegroundWindow(userWindow_);
        SetFocus(userWindow_);
        pumpMessages();
        ASSERT_TRUE(userWindowHasTheFocus()) << "the test cannot give its own window the focus";
    }

    void TearDown() override {
        PluginTest::TearDown();
        if (userWindow_ != nullptr)
            DestroyWindow(userWindow_);
        UnregisterClassA(kUserWindowClass, GetModuleHandleA(nullptr));
    }

    bool userWindowHasTheFocus() const {
        return GetForegroundWindow() == userWindow_ && GetActiveWindow() == userWindow_ &&
               GetFocus() == userWindow_;
    }

    void expectFocusKept(const char* step) {
        pumpMessages();
        EXPECT_TRUE(userWindowHasTheFocus())
            << step << ": foreground " << GetForegroundWindow() << ", active "
            << GetActiveWindow() << ", focus " << GetFocus() << ", the clock " << clockWindow();
    }

    HWND userWindow_ = nullptr;
};

TEST_F(ClockNeverTakesFocusTest, NoShowOrPlacementActivatesTheClock) {
    // Started with a slit known, so that a hide hides the floating clock.
    startInSlitFrom(withSetting(floatingSettings(), "Pipwick.alwaysOnTop:", "true"));
    if (HasFatalFailure())
        return;
    HWND window = clockWindow();
    ASSERT_TRUE(IsWindowVisible(window));
    expectFocusKept("start");

    // A click on the clock, as the user's mouse makes it.
    const RECT bounds = windowBounds(window);
    ASSERT_TRUE(SetCursorPos(bounds.left + 10, bounds.top + 10));
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    expectFocusKept("a click on the clock");

    norvane::broadcast("@NorvHidePlugins");
    ASSERT_FALSE(IsWindowVisible(window));
    norvane::broadcast("@NorvShowPlugins");
    ASSERT_TRUE(IsWindowVisible(window));
    expectFocusKept("host's show");

    norvane::broadcast("@Pipwick ToggleSlit");
    ASSERT_EQ(GetParent(window), norvane::slitWindow());
    norvane::broadcast("@Pipwick ToggleSlit");
    ASSERT_EQ(GetParent(window), nullptr);
    expectFocusKept("into the slit and out");

    norvane::broadcast("@Pipwick AlwaysOnTop");
    expectFocusKept("restacked");
}
