// Translucency, at start and through the Transparency command, on a real window:
// layered with its alpha bounded to 0 to 255 and back, stored in the settings file,
// never in the slit, skipped where the platform has no layered windows (it needs
// Windows NT 5.0 or later), and SetLayeredWindowAttributes looked up only once per load.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "host/norvane_api.h"
#include "norvane/host_control.h"
#include "plugin_fixture.h"
#include "settings_text_support.h"
#include "test_files.h"
#include "window_probes.h"

namespace {

const char kLayeredFunction[] = "SetLayeredWindowAttributes";

Settings translucencySettings(bool transparency) {
    Settings settings = withSetting(floatingSettings(), "Pipwick.transparency.alpha:", "300");
    return withSetting(settings, "Pipwick.transparency:", transparency ? "true" : "false");
}

// The settings file of a translucent clock, floating or in the slit.
std::string translucentSettings(bool inSlit) {
    return settingsLines(
        withSetting(translucencySettings(true), "Pipwick.inSlit:", inSlit ? "true" : "false"));
}

struct LayeredAttributes {
    bool known = false;  // GetLayeredWindowAttributes answered
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
};

LayeredAttributes layeredAttributes(HWND window) {
    LayeredAttributes attributes;
    attributes.known = GetLayeredWindowAttributes(window, &attributes.key, &attributes.alpha,
                                                  &attributes.flags) != FALSE;
    return attributes;
}

// Whether the menu a right-button release builds now offers "Transparency", and
// with which check mark: 1 checked, 0 not, -1 absent.
int transparencyMark(HWND window) {
    SendMessageA(window, WM_RBUTTONUP, 0, 0);
    const norvane::RecordedMenu* menu = norvane::shownMenu();
    if (menu == nullptr)
        return -1;
    for (const auto& top : menu->entries) {
        if (top.submenu == nullptr)
            continue;
        for (const auto& entry : top.submenu->entries) {
            if (entry.caption == "Transparency")
                return entry.checked ? 1 : 0;
        }
    }
    return -1;
}

}  // namespace

// Translucency at start: a floating window with translucency on is layered with the
// low byte of its alpha, where the platform offers layered windows (Windows NT 5.0
// and later), and never inside the slit.

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

// The Transparency command.

class TransparencyCommandTest : public PluginTest {
protected:
    int lookups() const {
        const auto& names = g_platform.procedureLookups;
        return static_cast<int>(std::count(names.begin(), names.end(), kLayeredFunction));
    }
};

TEST_F(TransparencyCommandTest, LayersAndUnlayersAFloatingWindowWithItsAlphaBounded) {
    reportWindowsVersion(VER_PLATFORM_WIN32_NT, 6, 1);
    const Settings settings = translucencySettings(false);
    startFrom(settings);
    HWND window = clockWindow();
    ASSERT_FALSE(isLayered(window));
    const std::string started = moduleSettings();
    const size_t wholeWrites = g_files.writeOpens();

    for (bool on : {true, false, true, false}) {
        SCOPED_TRACE(on ? "switched on" : "switched off");
        const size_t writesBefore = norvane::callsTo("WriteBool").size();

        EXPECT_TRUE(broadcastInvalidates(on ? "@Pipwick Transparency" : "@PIPWICK transparency"));

        const LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
        EXPECT_EQ((exStyle & WS_EX_LAYERED) != 0, on);
        EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
        if (on) {
            LayeredAttributes attributes = layeredAttributes(window);
            EXPECT_TRUE(attributes.known);
            EXPECT_EQ(attributes.alpha, 255) << "alpha 300 is beyond solid";
            EXPECT_EQ(attributes.flags, static_cast<DWORD>(LWA_ALPHA));
            EXPECT_EQ(attributes.key, 0u);
        } else {
            EXPECT_FALSE(layeredAttributes(window).known) << "no longer a layered window";
        }

        EXPECT_EQ(moduleSettings(), withValue(started, "Pipwick.transparency:", on ? "true" : "false"))
            << "only the toggled key may change";
        EXPECT_EQ(g_files.writeOpens(), wholeWrites) << "the whole file was rewritten";
        auto writeCalls = norvane::callsTo("WriteBool");
        ASSERT_EQ(writeCalls.size(), writesBefore + 1);
        EXPECT_EQ(writeCalls.back().arguments,
                  (std::vector<std::string>{rcFile(), "Pipwick.transparency:", on ? "true" : "false"}));
        EXPECT_EQ(transparencyMark(window), on ? 1 : 0);
    }
    EXPECT_EQ(lookups(), 1) << "looked up on first use only";
    EXPECT_TRUE(norvane::slitMessages().empty());
}

namespace {

struct LegacyPlatform {
    const char* name;
    DWORD platformId;
    DWORD major;
    DWORD minor;
};

}  // namespace

class NoLayeredWindowsTest : public TransparencyCommandTest,
                             public testing::WithParamInterface<LegacyPlatform> {};

TEST_P(NoLayeredWindowsTest, TransparencyOnlyInvalidates) {
    const LegacyPlatform& platform = GetParam();
    reportWindowsVersion(platform.platformId, platform.major, platform.minor);
    const Settings settings = translucencySettings(false);
    startFrom(settings);
    HWND window = clockWindow();
    const LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
    const std::string started = moduleSettings();
    ageFile(rcFile());
    const FILETIME writtenBefore = lastWriteTime(rcFile());

    for (const char* text : {"@Pipwick Transparency", "@pipwick TRANSPARENCY"}) {
        SCOPED_TRACE(text);
        EXPECT_TRUE(broadcastInvalidates(text));
        EXPECT_EQ(GetWindowLongA(window, GWL_EXSTYLE), exStyle);
        EXPECT_FALSE(isLayered(window));
        EXPECT_EQ(moduleSettings(), started);
        FILETIME writtenNow = lastWriteTime(rcFile());
        EXPECT_EQ(CompareFileTime(&writtenNow, &writtenBefore), 0) << "the file was rewritten";
    }
    EXPECT_TRUE(norvane::callsTo("WriteBool").empty());
    EXPECT_EQ(lookups(), 0);
    EXPECT_EQ(transparencyMark(window), -1) << "no Transparency entry without layered windows";
}

INSTANTIATE_TEST_SUITE_P(
    OlderPlatforms, NoLayeredWindowsTest,
    testing::Values(LegacyPlatform{"Windows98", VER_PLATFORM_WIN32_WINDOWS, 4, 10},
                    LegacyPlatform{"WindowsNT4", VER_PLATFORM_WIN32_NT, 4, 0}),
    [](const testing::TestParamInfo<LegacyPlatform>& info) { return std::string(info.param.name); });

// The lookup of SetLayeredWindowAttributes happens once per load of the module,
// whether it finds the function or not, and survives endPlugin.
class TransparencyLookupTest : public TransparencyCommandTest,
                          public testing::WithParamInterface<bool> {};

TEST_P(TransparencyLookupTest, HappensOnceAcrossRequestsAndRestarts) {
    const bool available = GetParam();
    if (!available)
        g_platform.missingProcedures.push_back(kLayeredFunction);
    reportWindowsVersion(VER_PLATFORM_WIN32_NT, 6, 1);

    // A request made while switching on: layered style, and the alpha only when
    // the function was found.
    auto expectSwitchedOn = [&](HWND window) {
        EXPECT_TRUE(isLayered(window));
        LayeredAttributes attributes = layeredAttributes(window);
        if (available) {
            EXPECT_TRUE(attributes.known);
            EXPECT_EQ(attributes.alpha, 255);
            EXPECT_EQ(attributes.flags, static_cast<DWORD>(LWA_ALPHA));
        } else {
            // A layered window whose attributes were never set has none to report.
            EXPECT_FALSE(attributes.known)
                << "SetLayeredWindowAttributes was reached although it was not found: alpha "
                << int(attributes.alpha) << ", flags " << attributes.flags;
        }
    };

    startFrom(translucencySettings(false));
    HWND window = clockWindow();
    EXPECT_EQ(lookups(), 0) << "nothing is looked up before translucency is asked for";

    norvane::broadcast("@Pipwick Transparency");
    expectSwitchedOn(window);
    EXPECT_NE(moduleSettings().find("Pipwick.transparency: true\n"), std::string::npos);
    norvane::broadcast("@Pipwick Transparency");
    EXPECT_FALSE(isLayered(window));
    norvane::broadcast("@Pipwick Transparency");
    expectSwitchedOn(window);
    EXPECT_EQ(lookups(), 1);

    // The file now says translucent, so the next start asks for it at once.
    stopPlugin();
    ASSERT_EQ(startPlugin(), 0);
    window = clockWindow();
    ASSERT_NE(window, nullptr);
    expectSwitchedOn(window);
    norvane::broadcast("@Pipwick Transparency");
    EXPECT_FALSE(isLayered(window));
    norvane::broadcast("@Pipwick Transparency");
    expectSwitchedOn(window);

    EXPECT_EQ(lookups(), 1) << "looked up again after endPlugin or a later request";
}

INSTANTIATE_TEST_SUITE_P(
    LookupResults, TransparencyLookupTest, testing::Values(true, false),
    [](const testing::TestParamInfo<bool>& info) { return std::string(info.param ? "Found" : "Missing"); });

TEST_F(TransparencyCommandTest, InTheSlitTheCommandStillTogglesAndStoresTheOption) {
    reportWindowsVersion(VER_PLATFORM_WIN32_NT, 6, 1);
    const Settings settings = withSetting(translucencySettings(false), "Pipwick.inSlit:", "true");
    writeModuleSettings(settingsLines(settings));
    ASSERT_EQ(startSlitPlugin(norvane::slitWindow()), 0);
    HWND window = clockWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(GetParent(window), norvane::slitWindow());
    EXPECT_EQ(transparencyMark(window), -1) << "the menu leaves the entry out in the slit";

    EXPECT_TRUE(broadcastInvalidates("@Pipwick Transparency"));
    auto writeCalls = norvane::callsTo("WriteBool");
    ASSERT_EQ(writeCalls.size(), 1u);
    EXPECT_EQ(writeCalls[0].arguments,
              (std::vector<std::string>{rcFile(), "Pipwick.transparency:", "true"}));
    EXPECT_NE(moduleSettings().find("Pipwick.transparency: true\n"), std::string::npos)
        << moduleSettings();
}
