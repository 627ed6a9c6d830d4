// Translucency at start: a floating window with translucency on is layered with
// its alpha, bounded to 0 to 255, where the platform offers layered windows (Windows NT
// 5.0 and later), and never inside the slit.
#include <algorithm>

#include "norvane/host_control.h"
#include "plugin_fixture.h"
#include "window_probes.h"

namespace {

std::string translucentSettings(bool inSlit) {
    auto settings = withSetting(floatingSettings(), "Pipwick.transparency:", "true");
    settings = withSetting(settings, "Pipwick.transparency.alpha:", "300");
    return settingsLines(withSetting(settings, "Pipwick.inSlit:", inSlit ? "true" : "false"));
}

}  // namespace

class TranslucencyTest : public PluginTest {};

TEST_F(TranslucencyTest, FloatingWindowIsLayeredWithItsAlphaBounded) {
    reportWindowsVersion(VER_PLATFORM_WIN32_NT, 6, 1);
    writeModuleSettings(translucentSettings(false));

    ASSERT_EQ(startPlugin(), 0);
    HWND window = clockWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(isLayered(window));
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(window, &key, &alpha, &flags));
    EXPECT_EQ(alpha, 255);  // 300 is beyond solid
    EXPECT_TRUE(flags & LWA_ALPHA);
    EXPECT_FALSE(flags & LWA_COLORKEY);
}

TEST_F(TranslucencyTest, WindowInTheSlitIsNeverLayered) {
    reportWindowsVersion(VER_PLATFORM_WIN32_NT, 6, 1);
    writeModuleSettings(translucentSettings(true));

    ASSERT_EQ(startSlitPlugin(norvane::slitWindow()), 0);
    HWND window = clockWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_FALSE(norvane::slitMessages().empty());
    EXPECT_FALSE(isLayered(window));
}

TEST_F(TranslucencyTest, NoLayeringWhenTranslucencyIsOff) {
    reportWindowsVersion(VER_PLATFORM_WIN32_NT, 6, 1);
    writeModuleSettings(settingsLines(floatingSettings()));
    ASSERT_EQ(startPlugin(), 0);
    ASSERT_NE(clockWindow(), nullptr);
    EXPECT_FALSE(isLayered(clockWindow()));
}

struct PlatformCase {
    DWORD platformId;
    DWORD majorVersion;
    bool layered;
};

class LayeredRuleTest : public TranslucencyTest, public testing::WithParamInterface<PlatformCase> {};

TEST_P(LayeredRuleTest, OnlyWindowsNtFiveAndLaterGetLayeredWindows) {
    const PlatformCase& platform = GetParam();
    reportWindowsVersion(platform.platformId, platform.majorVersion, 0);
    writeModuleSettings(translucentSettings(false));

    ASSERT_EQ(startPlugin(), 0);
    HWND window = clockWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(isLayered(window), platform.layered);
    ASSERT_FALSE(g_platform.versionInfoSizes.empty());
    EXPECT_GE(g_platform.versionInfoSizes[0], sizeof(OSVERSIONINFOA));
}

INSTANTIATE_TEST_SUITE_P(
    Platforms, LayeredRuleTest,
    testing::Values(PlatformCase{VER_PLATFORM_WIN32s, 4, false},
                    PlatformCase{VER_PLATFORM_WIN32s, 5, false},
                    PlatformCase{VER_PLATFORM_WIN32s, 6, false},
                    PlatformCase{VER_PLATFORM_WIN32_WINDOWS, 4, false},
                    PlatformCase{VER_PLATFORM_WIN32_WINDOWS, 5, false},
                    PlatformCase{VER_PLATFORM_WIN32_WINDOWS, 6, false},
                    PlatformCase{VER_PLATFORM_WIN32_NT, 4, false},
                    PlatformCase{VER_PLATFORM_WIN32_NT, 5, true},
                    PlatformCase{VER_PLATFORM_WIN32_NT, 6, true}),
    [](const testing::TestParamInfo<PlatformCase>& info) {
        return "Platform" + std::to_string(info.param.platformId) + "Major" +
               std::to_string(info.param.majorVersion);
    });

// SetLayeredWindowAttributes is looked up by name once per load of the module,
// whether or not the platform has it, and the answer is kept across endPlugin.
class LayeredLookupTest : public TranslucencyTest, public testing::WithParamInterface<bool> {};

TEST_P(LayeredLookupTest, LayeredAttributesAreLookedUpOncePerLoad) {
    bool available = GetParam();
    reportWindowsVersion(VER_PLATFORM_WIN32_NT, 6, 1);
    if (!available)
        g_platform.missingProcedures.push_back("SetLayeredWindowAttributes");

    for (int start = 1; start <= 2; ++start) {
        SCOPED_TRACE("start " + std::to_string(start));
        writeModuleSettings(translucentSettings(false));
        ASSERT_EQ(startPlugin(), 0);
        HWND window = clockWindow();
        ASSERT_NE(window, nullptr);
        BYTE alpha = 0;
        DWORD flags = 0;
        bool attributes = GetLayeredWindowAttributes(window, nullptr, &alpha, &flags) != 0;
        EXPECT_EQ(attributes && alpha == 255, available);
        stopPlugin();
    }
    auto lookups = std::count(g_platform.procedureLookups.begin(),
                              g_platform.procedureLookups.end(), "SetLayeredWindowAttributes");
    EXPECT_EQ(lookups, 1);
}

INSTANTIATE_TEST_SUITE_P(Platforms, LayeredLookupTest, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "Available" : "Missing");
                         });
