// An alpha beyond 0 to 255 in the settings file makes the clock as translucent as the
// nearest end allows, at start and through the Transparency command, and stays in
// the file as written: no number wraps round to a clear window, which would let
// every click through, the one that opens the menu included.
#include <string>

#include "norvane/host_control.h"
#include "plugin_fixture.h"
#include "window_probes.h"

namespace {

struct AlphaCase {
    const char* name;
    const char* written;
    BYTE opacity;
};

int opacityOf(HWND window) {
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!isLayered(window) || !GetLayeredWindowAttributes(window, nullptr, &alpha, &flags))
        return -1;
    return alpha;
}

}  // namespace

class AlphaBoundsTest : public PluginTest, public testing::WithParamInterface<AlphaCase> {};

TEST_P(AlphaBoundsTest, TakesTheNearestEndAndKeepsTheValueInTheFile) {
    const AlphaCase& alpha = GetParam();
    reportWindowsVersion(VER_PLATFORM_WIN32_NT, 6, 1);
    auto settings = withSetting(floatingSettings(), "Pipwick.transparency:", "true");
    startFrom(withSetting(settings, "Pipwick.transparency.alpha:", alpha.written));
    if (HasFatalFailure())
        return;
    HWND window = clockWindow();
    EXPECT_EQ(opacityOf(window), alpha.opacity) << "at start";

    norvane::broadcast("@Pipwick Transparency");
    ASSERT_FALSE(isLayered(window));
    norvane::broadcast("@Pipwick Transparency");
    EXPECT_EQ(opacityOf(window), alpha.opacity) << "switched on by the command";

    norvane::broadcast("@Pipwick SaveSettings");
    const std::string line = std::string("Pipwick.transparency.alpha: ") + alpha.written + "\r\n";
    EXPECT_NE(moduleSettings().find(line), std::string::npos) << moduleSettings();
}

INSTANTIATE_TEST_SUITE_P(
    Values, AlphaBoundsTest,
    testing::Values(AlphaCase{"JustAboveSolid", "256", 255},
                    AlphaCase{"FarAboveSolid", "100000", 255},
                    AlphaCase{"JustBelowClear", "-1", 0},
                    AlphaCase{"Solid", "255", 255}),
    [](const testing::TestParamInfo<AlphaCase>& info) { return std::string(info.param.name); });
