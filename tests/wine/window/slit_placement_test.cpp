// The clock into the slit and out again, with a slit that takes it in as its child
// and moves it about inside itself: the slit's places never become the floating
// position, in memory or in the file; nothing snaps in the slit; the clock is not
// layered there; and out of it the clock is back where it floated, at its size, its
// stacking and its translucency.
#include <string>

#include "host/norvane_api.h"
#include "norvane/host_control.h"
#include "plugin_fixture.h"
#include "settings_text_support.h"
#include "window_probes.h"

namespace {

// Floating at (120, 80), 200 by 200, on top, snapping, translucent at 200.
Settings floatingTranslucentSettings() {
    Settings settings = withSetting(floatingSettings(), "Pipwick.alwaysOnTop:", "true");
    settings = withSetting(settings, "Pipwick.snapWindow:", "true");
    return withSetting(settings, "Pipwick.transparency:", "true");
}

bool isTopmost(HWND window) {
    return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

}  // namespace

class SlitPlacementTest : public PluginTest {
protected:
    void expectFloatingPositionInFile(const char* step) {
        SCOPED_TRACE(step);
        const std::string written = moduleSettings();
        EXPECT_NE(written.find("Pipwick.position.x: 120\n"), std::string::npos) << written;
        EXPECT_NE(written.find("Pipwick.position.y: 80\n"), std::string::npos) << written;
    }
};

TEST_F(SlitPlacementTest, TheSlitsPlacesNeverBecomeTheFloatingOne) {
    reportWindowsVersion(VER_PLATFORM_WIN32_NT, 6, 1);
    startInSlitFrom(floatingTranslucentSettings());
    if (HasFatalFailure())
        return;
    HWND window = clockWindow();
    const RECT floating = windowBounds(window);
    ASSERT_EQ(floating.left, 120);
    ASSERT_TRUE(isLayered(window));
    norvane::clearCalls();

    norvane::broadcast("@Pipwick ToggleSlit");
    ASSERT_EQ(GetParent(window), norvane::slitWindow());
    EXPECT_FALSE(isLayered(window)) << "a layered child may not show";
    expectFloatingPositionInFile("into the slit");

    // The slit moves and resizes its child as it lays itself out.
    SetWindowPos(window, nullptr, 30, 20, 260, 210, SWP_NOZORDER | SWP_NOACTIVATE);
    expectFloatingPositionInFile("moved in the slit");
    EXPECT_TRUE(norvane::callsTo("SnapWindowToEdge").empty()) << "the clock snapped in the slit";

    // Translucency switched off and on again waits for the clock to leave the slit.
    norvane::broadcast("@Pipwick Transparency");
    norvane::broadcast("@Pipwick Transparency");
    EXPECT_FALSE(isLayered(window));
    norvane::broadcast("@Pipwick SaveSettings");
    expectFloatingPositionInFile("saved in the slit");
    EXPECT_NE(moduleSettings().find("Pipwick.inSlit: true\r\n"), std::string::npos);

    norvane::broadcast("@Pipwick ToggleSlit");
    ASSERT_EQ(GetParent(window), nullptr);
    EXPECT_TRUE(sameRect(windowBounds(window), floating))
        << "out of the slit at " << windowBounds(window).left << ", " << windowBounds(window).top;
    EXPECT_TRUE(isTopmost(window));
    ASSERT_TRUE(isLayered(window));
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(window, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 200);
    EXPECT_EQ(menuMark(window, "Transparency"), 1);
    expectFloatingPositionInFile("out of the slit");
    EXPECT_NE(moduleSettings().find("Pipwick.inSlit: false\r\n"), std::string::npos);
}
