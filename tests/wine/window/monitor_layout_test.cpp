// Where a clock saved on a desktop of several monitors starts: on the monitor it was
// saved on, whichever that is, left of or above the primary one included; and on the
// primary monitor when it would lie on none. The saved place is the user's: the file
// keeps it while its monitor is gone, at a start or while the clock runs, and the
// clock goes back to it when the monitor comes back.
#include <string>
#include <vector>

#include "norvane/host_control.h"
#include "plugin_fixture.h"
#include "redirections.h"
#include "settings_text_support.h"
#include "test_files.h"
#include "window_probes.h"

namespace {

// The primary monitor first, as the plug-in is shown them.
const std::vector<RECT> kPrimaryAlone = {{0, 0, 1280, 1024}};
const std::vector<RECT> kSecondRight = {{0, 0, 1280, 1024}, {1280, 0, 3200, 1080}};
const std::vector<RECT> kSecondBelow = {{0, 0, 1280, 1024}, {0, 1024, 1280, 2048}};
// One left of the primary and lower, one right of it and above: the box round the
// three has corners that no monitor covers.
const std::vector<RECT> kThree = {
    {0, 0, 1920, 1080}, {-1280, -200, 0, 824}, {1920, -1080, 3840, 0}};

struct LayoutCase {
    const char* name;
    const std::vector<RECT>* monitors;
    int x, y;
    int startX, startY;
};

}  // namespace

class MonitorLayoutTest : public PluginTest, public testing::WithParamInterface<LayoutCase> {};

TEST_P(MonitorLayoutTest, StartsOnTheMonitorItWasSavedOnOrElseOnThePrimary) {
    const LayoutCase& layout = GetParam();
    useMonitors(*layout.monitors);
    if (HasFatalFailure())
        return;
    Settings settings = withSetting(floatingSettings(), "Pipwick.position.x:", std::to_string(layout.x));
    startFrom(withSetting(settings, "Pipwick.position.y:", std::to_string(layout.y)));
    if (HasFatalFailure())
        return;

    const RECT bounds = windowBounds(clockWindow());
    EXPECT_EQ(bounds.left, layout.startX);
    EXPECT_EQ(bounds.top, layout.startY);
    stopPlugin();
    const std::string written = moduleSettings();
    EXPECT_NE(written.find("Pipwick.position.x: " + std::to_string(layout.x) + "\n"),
              std::string::npos) << written;
    EXPECT_NE(written.find("Pipwick.position.y: " + std::to_string(layout.y) + "\n"),
              std::string::npos) << written;
}

// The clock is 200 by 200 pixels.
INSTANTIATE_TEST_SUITE_P(
    Layouts, MonitorLayoutTest,
    testing::Values(
        LayoutCase{"OnTheMonitorRight", &kSecondRight, 1500, 100, 1500, 100},
        LayoutCase{"OnTheMonitorBelow", &kSecondBelow, 100, 1500, 100, 1500},
        LayoutCase{"PartlyOnTheFarEdgeOfTheRightOne", &kSecondRight, 3100, 900, 3100, 900},
        LayoutCase{"AcrossTwoMonitors", &kSecondRight, 1200, 300, 1200, 300},
        LayoutCase{"OnTheMonitorLeft", &kThree, -1000, 600, -1000, 600},
        LayoutCase{"OnTheMonitorAboveRight", &kThree, 2500, -700, 2500, -700},
        LayoutCase{"InTheCornerNoMonitorCovers", &kThree, -1000, -900, 0, 0},
        LayoutCase{"AboveThePrimaryOnly", &kThree, 300, -700, 300, 0},
        LayoutCase{"RightMonitorUnplugged", &kPrimaryAlone, 1500, 100, 0, 100},
        LayoutCase{"FarBelowEveryMonitor", &kSecondRight, 1500, 50000, 0, 0}),
    [](const testing::TestParamInfo<LayoutCase>& info) { return std::string(info.param.name); });

class SavedPlaceTest : public PluginTest {
protected:
    // Starts the clock saved at (1500, 100), on these monitors.
    void startOn(const std::vector<RECT>& monitors) {
        useMonitors(monitors);
        if (HasFatalFailure())
            return;
        startFrom(floatingSettingsAt(1500, 100));
        saved_ = moduleSettings();
    }

    void expectPlace(int x, int y) {
        const RECT bounds = windowBounds(clockWindow());
        EXPECT_EQ(bounds.left, x);
        EXPECT_EQ(bounds.top, y);
    }

    std::string saved_;
};

// Started while its monitor is gone, the clock shows on the primary monitor; a move
// that the desktop makes (not a drag), a restack and the end keep the saved place in
// the file, and the next start with the monitor back puts the clock there.
TEST_F(SavedPlaceTest, AStartWithoutItsMonitorKeepsItForTheNextStart) {
    startOn(kPrimaryAlone);
    if (HasFatalFailure())
        return;
    expectPlace(0, 100);
    moveClockWindow(30, 40);
    norvane::broadcast("@Pipwick AlwaysOnTop");
    stopPlugin();
    EXPECT_EQ(moduleSettings(), withValue(saved_, "Pipwick.alwaysOnTop:", "true"));

    g_platform.monitors = kSecondRight;
    ASSERT_EQ(startPlugin(), 0);
    pumpMessages();
    expectPlace(1500, 100);
}

namespace {

struct DesktopChangeCase {
    const char* name;
    UINT message;
    WPARAM wParam;
};

}  // namespace

class DesktopChangeTest : public SavedPlaceTest,
                          public testing::WithParamInterface<DesktopChangeCase> {
protected:
    void desktopChanged(const std::vector<RECT>& monitors) {
        g_platform.monitors = monitors;
        SendMessageA(clockWindow(), GetParam().message, GetParam().wParam, 0);
    }
};

// While the clock runs, its monitor goes and comes back: the clock is placed anew
// from its saved place each time, and nothing is written.
TEST_P(DesktopChangeTest, PlacesTheClockFromItsSavedPlaceWithoutWriting) {
    startOn(kSecondRight);
    if (HasFatalFailure())
        return;
    recordFileCalls();
    expectPlace(1500, 100);

    desktopChanged(kPrimaryAlone);
    expectPlace(0, 100);
    desktopChanged(kSecondRight);
    expectPlace(1500, 100);

    EXPECT_EQ(g_fileCalls.calls, std::vector<std::string>{});
    EXPECT_EQ(moduleSettings(), saved_);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, DesktopChangeTest,
    testing::Values(DesktopChangeCase{"DisplayChange", WM_DISPLAYCHANGE, 32},
                    DesktopChangeCase{"WorkAreaChange", WM_SETTINGCHANGE, SPI_SETWORKAREA}),
    [](const testing::TestParamInfo<DesktopChangeCase>& info) { return std::string(info.param.name); });
