// The settings file as the shipped DLL finds, creates, reads and rewrites it.
#include <algorithm>

#include "norvane/host_control.h"
#include "plugin_fixture.h"
#include "tests/common/first_run_settings.h"
#include "settings_text_support.h"
#include "test_files.h"
#include "window_probes.h"

namespace {

}  // namespace

using SettingsFileTest = PluginTest;

TEST_F(SettingsFileTest, FirstStartCreatesTheDefaultFileInTheModuleDirectory) {
    ASSERT_EQ(startPlugin(), 0);
    pumpMessages();
    EXPECT_EQ(moduleSettings(), kFirstRunSettings);
    EXPECT_EQ(filesIn(moduleDirectory()), (std::vector<std::string>{"Pipwick.dll", "Pipwick.rc"}));
    EXPECT_FALSE(fileExists(hostPath("Pipwick.rc")));
    EXPECT_FALSE(fileExists(hostPath("Pipwickrc")));

    HWND window = clockWindow();
    ASSERT_NE(window, nullptr);
    RECT bounds = windowBounds(window);
    EXPECT_EQ(bounds.left, 10);
    EXPECT_EQ(bounds.top, 10);
    EXPECT_EQ(bounds.right - bounds.left, 200);
    EXPECT_EQ(bounds.bottom - bounds.top, 200);
}

TEST_F(SettingsFileTest, FirstStartThroughTheSlitEntryStaysOutOfTheSlit) {
    ASSERT_EQ(startSlitPlugin(norvane::slitWindow()), 0);
    pumpMessages();
    EXPECT_TRUE(norvane::slitMessages().empty());
    EXPECT_EQ(moduleSettings(), kFirstRunSettings);
}

TEST_F(SettingsFileTest, MissingKeysTakeTheirDefaults) {
    writeModuleSettings("Pipwick.size.circlesize: 7\n");
    ASSERT_EQ(startPlugin(), 0);
    moveClockWindow(300, 40);
    EXPECT_EQ(moduleSettings(),
              "Pipwick.position.x: 300\n"
              "Pipwick.position.y: 40\n"
              "Pipwick.position.width: 200\n"
              "Pipwick.position.height: 200\n"
              "Pipwick.size.circlesize: 7\n"
              "Pipwick.color.unmarked.red: 255\n"
              "Pipwick.color.unmarked.green: 255\n"
              "Pipwick.color.unmarked.blue: 255\n"
              "Pipwick.color.marked.red: 0\n"
              "Pipwick.color.marked.green: 0\n"
              "Pipwick.color.marked.blue: 0\n"
              "Pipwick.alwaysOnTop: true\n"
              "Pipwick.snapWindow: true\n"
              "Pipwick.transparency: false\r\n"
              "Pipwick.transparency.alpha: 200\r\n"
              "Pipwick.inSlit: false\r\n"
              "Pipwick.autoResize: true\r\n"
              "Pipwick.timerInterval: 5\n");
}

TEST_F(SettingsFileTest, RewriteKeepsKnownValuesInFixedOrderAndDropsTheRest) {
    writeModuleSettings(
        "# my clock\r\n"
        "Pipwick.timerInterval: 9\r\n"
        "Pipwick.autoResize: false\r\n"
        "Pipwick.inSlit: false\n"
        "Pipwick.transparency.alpha: 99\n"
        "Pipwick.transparency: false\n"
        "Pipwick.snapWindow: false\n"
        "Pipwick.alwaysOnTop: false\n"
        "Pipwick.color.marked.blue: 3\n"
        "Pipwick.color.marked.green: 2\n"
        "Pipwick.color.marked.red: 1\n"
        "Pipwick.color.unmarked.blue: 6\n"
        "Pipwick.color.unmarked.green: 5\n"
        "Pipwick.color.unmarked.red: 300\n"
        "Pipwick.size.circlesize: 6\n"
        "Pipwick.unknown: kept?\n"
        "Pipwick.position.height: 150\n"
        "Pipwick.position.width: 180\n"
        "Pipwick.position.y: 70\n"
        "Pipwick.position.x: 60\n");
    ASSERT_EQ(startPlugin(), 0);
    moveClockWindow(310, 45);
    EXPECT_EQ(moduleSettings(),
              "Pipwick.position.x: 310\n"
              "Pipwick.position.y: 45\n"
              "Pipwick.position.width: 180\n"
              "Pipwick.position.height: 150\n"
              "Pipwick.size.circlesize: 6\n"
              "Pipwick.color.unmarked.red: 300\n"
              "Pipwick.color.unmarked.green: 5\n"
              "Pipwick.color.unmarked.blue: 6\n"
              "Pipwick.color.marked.red: 1\n"
              "Pipwick.color.marked.green: 2\n"
              "Pipwick.color.marked.blue: 3\n"
              "Pipwick.alwaysOnTop: false\n"
              "Pipwick.snapWindow: false\n"
              "Pipwick.transparency: false\r\n"
              "Pipwick.transparency.alpha: 99\r\n"
              "Pipwick.inSlit: false\r\n"
              "Pipwick.autoResize: false\r\n"
              "Pipwick.timerInterval: 9\n");
}

// Search order of the four candidates.

enum Candidate { ModuleRc, ModuleRcWithoutDot, HostRc, HostRcWithoutDot };

struct SearchCase {
    const char* name;
    std::vector<Candidate> present;
    Candidate expected;
};

class SettingsSearchTest : public PluginTest, public testing::WithParamInterface<SearchCase> {
protected:
    std::string pathOf(Candidate candidate) const {
        switch (candidate) {
        case ModuleRc:
            return modulePath("Pipwick.rc");
        case ModuleRcWithoutDot:
            return modulePath("Pipwickrc");
        case HostRc:
            return hostPath("Pipwick.rc");
        case HostRcWithoutDot:
            return hostPath("Pipwickrc");
        }
        return std::string();
    }

    // Each candidate puts the window at its own x: 101, 102, 103, 104.
    static int xOf(Candidate candidate) { return 101 + static_cast<int>(candidate); }
};

TEST_P(SettingsSearchTest, UsesTheFirstExistingCandidateForReadsAndWrites) {
    const SearchCase& search = GetParam();
    std::vector<std::pair<Candidate, std::string>> written;
    for (Candidate candidate : search.present) {
        std::string text = settingsLines(
            withSetting(floatingSettings(), "Pipwick.position.x:", std::to_string(xOf(candidate))));
        ASSERT_TRUE(writeWholeFile(pathOf(candidate), text));
        written.emplace_back(candidate, text);
    }

    ASSERT_EQ(startPlugin(), 0);
    HWND window = clockWindow();
    ASSERT_NE(window, nullptr);
    RECT bounds;
    GetWindowRect(window, &bounds);
    EXPECT_EQ(bounds.left, xOf(search.expected));

    moveClockWindow(333, 44);
    for (const auto& file : written) {
        std::string now = fileContent(pathOf(file.first));
        if (file.first == search.expected) {
            EXPECT_NE(now.find("Pipwick.position.x: 333\n"), std::string::npos) << now;
            EXPECT_NE(now.find("Pipwick.position.y: 44\n"), std::string::npos) << now;
        } else {
            EXPECT_EQ(now, file.second) << "a file that was not chosen changed: "
                                        << pathOf(file.first);
        }
    }
    // Nothing is created where no file was.
    for (Candidate candidate : {ModuleRc, ModuleRcWithoutDot, HostRc, HostRcWithoutDot}) {
        bool wasWritten = std::any_of(written.begin(), written.end(),
                                      [candidate](const auto& file) { return file.first == candidate; });
        if (!wasWritten) {
            EXPECT_FALSE(fileExists(pathOf(candidate))) << pathOf(candidate);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Candidates, SettingsSearchTest,
    testing::Values(
        SearchCase{"AllFour", {ModuleRc, ModuleRcWithoutDot, HostRc, HostRcWithoutDot}, ModuleRc},
        SearchCase{"BothInModule", {ModuleRc, ModuleRcWithoutDot}, ModuleRc},
        SearchCase{"ModuleBeforeHost", {ModuleRcWithoutDot, HostRc}, ModuleRcWithoutDot},
        SearchCase{"BothInHost", {HostRc, HostRcWithoutDot}, HostRc},
        SearchCase{"OnlyHostRc", {HostRc}, HostRc},
        SearchCase{"OnlyHostRcWithoutDot", {HostRcWithoutDot}, HostRcWithoutDot}),
    [](const testing::TestParamInfo<SearchCase>& info) { return std::string(info.param.name); });

// On a desktop of one monitor, the position read is clamped to its size: a
// coordinate at or beyond it reads as 0, anything less (negative included) stays.

struct ClampCase {
    const char* name;
    int x, y;
    int expectedX, expectedY;
};

class ScreenClampTest : public PluginTest, public testing::WithParamInterface<ClampCase> {};

TEST_P(ScreenClampTest, PositionIsClampedToTheScreenSize) {
    const ClampCase& clamp = GetParam();
    useMonitors({{0, 0, 800, 600}});
    if (HasFatalFailure())
        return;
    auto settings = withSetting(floatingSettings(), "Pipwick.position.x:", std::to_string(clamp.x));
    writeModuleSettings(settingsLines(withSetting(settings, "Pipwick.position.y:", std::to_string(clamp.y))));

    ASSERT_EQ(startPlugin(), 0);
    HWND window = clockWindow();
    ASSERT_NE(window, nullptr);
    RECT bounds;
    GetWindowRect(window, &bounds);
    EXPECT_EQ(bounds.left, clamp.expectedX);
    EXPECT_EQ(bounds.top, clamp.expectedY);

    // A change of size alone rewrites the file with the position as it stands.
    widenClockWindow(1);
    std::string written = moduleSettings();
    EXPECT_NE(written.find("Pipwick.position.x: " + std::to_string(clamp.expectedX) + "\n"),
              std::string::npos) << written;
    EXPECT_NE(written.find("Pipwick.position.y: " + std::to_string(clamp.expectedY) + "\n"),
              std::string::npos) << written;
}

INSTANTIATE_TEST_SUITE_P(
    Positions, ScreenClampTest,
    testing::Values(ClampCase{"XAtScreenWidth", 800, 20, 0, 20},
                    ClampCase{"YAtScreenHeight", 20, 600, 20, 0},
                    ClampCase{"BothBeyond", 900, 700, 0, 0},
                    ClampCase{"OneLessStays", 799, 599, 799, 599},
                    ClampCase{"NegativeStays", -5, -7, -5, -7}),
    [](const testing::TestParamInfo<ClampCase>& info) { return std::string(info.param.name); });
