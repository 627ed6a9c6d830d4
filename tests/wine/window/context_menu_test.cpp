// The right-click menu: the tree entry by entry for each platform and place, the
// one tree alive at a time, and chosen entries carried out end to end.
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

struct ExpectedEntry {
    std::string caption;
    std::string command;  // empty for a submenu
    bool checked;
};

struct ExpectedMenu {
    std::string title;
    std::vector<ExpectedEntry> entries;
};

void expectMenu(const norvane::RecordedMenu* menu, const ExpectedMenu& expected) {
    ASSERT_NE(menu, nullptr) << "no menu " << expected.title;
    EXPECT_EQ(menu->title, expected.title);
    ASSERT_EQ(menu->entries.size(), expected.entries.size()) << "entries of " << expected.title;
    for (size_t i = 0; i < expected.entries.size(); ++i) {
        const norvane::RecordedMenuEntry& entry = menu->entries[i];
        const ExpectedEntry& wanted = expected.entries[i];
        SCOPED_TRACE(expected.title + " entry " + std::to_string(i) + " \"" + wanted.caption + "\"");
        EXPECT_EQ(entry.caption, wanted.caption);
        EXPECT_EQ(entry.command, wanted.command);
        EXPECT_EQ(entry.checked, wanted.checked);
        EXPECT_EQ(entry.submenu != nullptr, wanted.command.empty());
    }
}

const norvane::RecordedMenu* submenuOf(const norvane::RecordedMenu* menu, const char* caption) {
    if (menu == nullptr)
        return nullptr;
    for (const auto& entry : menu->entries) {
        if (entry.caption == caption)
            return entry.submenu;
    }
    return nullptr;
}

std::vector<std::string> functionNames(const std::vector<norvane::HostCall>& calls) {
    std::vector<std::string> names;
    for (const auto& call : calls)
        names.push_back(call.function);
    return names;
}

// The top menu handle of a build: the menu its first entry, "About...", went into.
std::string topMenuOf(const std::vector<norvane::HostCall>& calls) {
    for (const auto& call : calls) {
        if (call.function == "MakeMenuItem" && call.arguments.size() == 4 &&
            call.arguments[1] == "About...")
            return call.arguments[0];
    }
    return std::string();
}

}  // namespace

class ContextMenuTest : public PluginTest {
protected:
    // A right-button release; returns the host calls it made.
    std::vector<norvane::HostCall> releaseRightButton() {
        norvane::clearCalls();
        SendMessageA(clockWindow(), WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
        return norvane::calls();
    }
};

namespace {

struct TreeCase {
    const char* name;
    bool layeredCapable;
    bool inSlit;
    bool alwaysOnTop, snapWindow, autoResize, transparency;
};

}  // namespace

class MenuTreeTest : public ContextMenuTest, public testing::WithParamInterface<TreeCase> {};

TEST_P(MenuTreeTest, ShowsEveryEntryWithTheOptionsOfTheMoment) {
    const TreeCase& tree = GetParam();
    if (tree.layeredCapable)
        reportWindowsVersion(VER_PLATFORM_WIN32_NT, 5, 0);
    else
        reportWindowsVersion(VER_PLATFORM_WIN32_WINDOWS, 4, 90);
    Settings settings = floatingSettings();
    settings = withSetting(settings, "Pipwick.alwaysOnTop:", boolText(tree.alwaysOnTop));
    settings = withSetting(settings, "Pipwick.snapWindow:", boolText(tree.snapWindow));
    settings = withSetting(settings, "Pipwick.autoResize:", boolText(tree.autoResize));
    settings = withSetting(settings, "Pipwick.transparency:", boolText(tree.transparency));
    settings = withSetting(settings, "Pipwick.inSlit:", boolText(tree.inSlit));
    writeModuleSettings(settingsLines(settings));
    ASSERT_EQ(startSlitPlugin(norvane::slitWindow()), 0);
    ASSERT_NE(clockWindow(), nullptr);
    ASSERT_EQ(GetParent(clockWindow()) == norvane::slitWindow(), tree.inSlit);

    std::vector<norvane::HostCall> calls = releaseRightButton();
    const norvane::RecordedMenu* top = norvane::shownMenu();
    expectMenu(top, {"Pipwick",
                     {{"About...", "@Pipwick About", false},
                      {"Configuration", "", false},
                      {"Settings", "", false}}});

    ExpectedMenu configuration{"Configuration",
                               {{"Always On Top", "@Pipwick AlwaysOnTop", tree.alwaysOnTop},
                                {"Snap Window To Edge", "@Pipwick SnapWindowToEdge", tree.snapWindow},
                                {"Auto Resize", "@Pipwick AutoResize", tree.autoResize}}};
    const bool offersTransparency = tree.layeredCapable && !tree.inSlit;
    if (offersTransparency)
        configuration.entries.push_back({"Transparency", "@Pipwick Transparency", tree.transparency});
    configuration.entries.push_back({"In Slit", "@Pipwick ToggleSlit", tree.inSlit});
    expectMenu(submenuOf(top, "Configuration"), configuration);
    expectMenu(submenuOf(top, "Settings"),
               {"Settings",
                {{"Edit Settings", "@Pipwick EditSettings", false},
                 {"Save Settings", "@Pipwick SaveSettings", false},
                 {"Read Settings", "@Pipwick ReadSettings", false}}});

    // Each submenu is filled before it is attached, the first attached before the
    // second is made, and the top menu shown last.
    std::vector<std::string> order = {"MakeMenu", "MakeMenuItem", "MakeMenu", "MakeMenuItem",
                                      "MakeMenuItem", "MakeMenuItem"};
    if (offersTransparency)
        order.push_back("MakeMenuItem");
    for (const char* name : {"MakeMenuItem", "MakeSubmenu", "MakeMenu", "MakeMenuItem",
                             "MakeMenuItem", "MakeMenuItem", "MakeSubmenu", "ShowMenu"})
        order.push_back(name);
    EXPECT_EQ(functionNames(calls), order);
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back().arguments, std::vector<std::string>{topMenuOf(calls)});
    EXPECT_EQ(norvane::liveMenuCount(), 3);
}

INSTANTIATE_TEST_SUITE_P(
    Trees, MenuTreeTest,
    testing::Values(
        TreeCase{"FloatingOnlyAlwaysOnTop", true, false, true, false, false, false},
        TreeCase{"FloatingEveryOptionOn", true, false, true, true, true, true},
        TreeCase{"FloatingEveryOptionOff", true, false, false, false, false, false},
        TreeCase{"WithoutLayeredWindows", false, false, false, true, true, true},
        TreeCase{"InSlit", true, true, false, false, true, true},
        TreeCase{"InSlitWithoutLayeredWindows", false, true, true, true, false, false}),
    [](const testing::TestParamInfo<TreeCase>& info) { return std::string(info.param.name); });

TEST_F(ContextMenuTest, OnlyOneTreeLivesAndTheNextBuildDeletesThePrevious) {
    startFrom(floatingSettings());
    EXPECT_EQ(norvane::liveMenuCount(), 0);

    std::vector<norvane::HostCall> first = releaseRightButton();
    EXPECT_TRUE(norvane::callsTo("DelMenu").empty()) << "nothing to delete before the first build";
    EXPECT_EQ(norvane::liveMenuCount(), 3);
    const std::string firstTop = topMenuOf(first);
    ASSERT_FALSE(firstTop.empty());

    std::vector<norvane::HostCall> second = releaseRightButton();
    auto deletions = norvane::callsTo("DelMenu");
    ASSERT_EQ(deletions.size(), 1u);
    EXPECT_EQ(deletions[0].arguments, std::vector<std::string>{firstTop});
    ASSERT_FALSE(second.empty());
    EXPECT_EQ(second.front().function, "DelMenu") << "the old tree goes before the new one is made";
    EXPECT_EQ(norvane::liveMenuCount(), 3);
    const std::string secondTop = topMenuOf(second);
    EXPECT_NE(secondTop, firstTop);

    // The host's style changed: the tree goes, and the next build deletes nothing.
    norvane::clearCalls();
    norvane::reconfigure();
    deletions = norvane::callsTo("DelMenu");
    ASSERT_EQ(deletions.size(), 1u);
    EXPECT_EQ(deletions[0].arguments, std::vector<std::string>{secondTop});
    EXPECT_EQ(norvane::liveMenuCount(), 0);

    std::vector<norvane::HostCall> third = releaseRightButton();
    EXPECT_TRUE(norvane::callsTo("DelMenu").empty());
    EXPECT_EQ(norvane::liveMenuCount(), 3);
    ASSERT_NE(norvane::shownMenu(), nullptr);
    EXPECT_EQ(norvane::shownMenu()->entries.size(), 3u);

    // A second reconfiguration without a build in between deletes nothing more.
    norvane::clearCalls();
    norvane::reconfigure();
    norvane::reconfigure();
    EXPECT_EQ(norvane::callsTo("DelMenu").size(), 1u);
    EXPECT_EQ(norvane::liveMenuCount(), 0);

    // The tree alive at the end goes with the plug-in.
    releaseRightButton();
    const std::string lastTop = topMenuOf(norvane::calls());
    norvane::clearCalls();
    stopPlugin();
    deletions = norvane::callsTo("DelMenu");
    ASSERT_EQ(deletions.size(), 1u);
    EXPECT_EQ(deletions[0].arguments, std::vector<std::string>{lastTop});
    EXPECT_EQ(norvane::liveMenuCount(), 0);
}

TEST_F(ContextMenuTest, ChosenEntriesCarryTheirCommandsOutEndToEnd) {
    reportWindowsVersion(VER_PLATFORM_WIN32_NT, 6, 1);
    startFrom(floatingSettings());
    HWND window = clockWindow();

    // Always On Top, twice: stored, restacked, and checked in the next menu.
    for (bool onTop : {true, false}) {
        SCOPED_TRACE(onTop ? "switched on" : "switched off");
        releaseRightButton();
        ASSERT_TRUE(norvane::chooseMenuEntry("Always On Top"));
        EXPECT_NE(moduleSettings().find(std::string("Pipwick.alwaysOnTop: ") + boolText(onTop) + "\n"),
                  std::string::npos) << moduleSettings();
        EXPECT_EQ((GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, onTop);
        releaseRightButton();
        const auto* entry = findMenuEntry(*norvane::shownMenu(), "Always On Top");
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->checked, onTop);
    }

    releaseRightButton();
    ASSERT_TRUE(norvane::chooseMenuEntry("Snap Window To Edge"));
    EXPECT_NE(moduleSettings().find("Pipwick.snapWindow: true\n"), std::string::npos)
        << moduleSettings();

    releaseRightButton();
    ASSERT_TRUE(norvane::chooseMenuEntry("Auto Resize"));
    EXPECT_NE(moduleSettings().find("Pipwick.autoResize: true\n"), std::string::npos)
        << moduleSettings();

    // Started without a slit, "In Slit" leaves the window out and the file as it is.
    const std::string beforeSlit = moduleSettings();
    releaseRightButton();
    ASSERT_TRUE(norvane::chooseMenuEntry("In Slit"));
    EXPECT_EQ(GetParent(window), nullptr);
    EXPECT_TRUE(norvane::slitMessages().empty());
    EXPECT_EQ(moduleSettings(), beforeSlit);

    releaseRightButton();
    ASSERT_TRUE(norvane::chooseMenuEntry("About..."));
    ASSERT_EQ(g_messageBoxes.calls.size(), 1u);
    EXPECT_EQ(g_messageBoxes.calls[0].text, "Pipwick 0.0.1");
    EXPECT_EQ(g_messageBoxes.calls[0].caption, "About Pipwick");

    releaseRightButton();
    ASSERT_TRUE(norvane::chooseMenuEntry("Edit Settings"));
    auto executions = norvane::callsTo("NorvExecute");
    ASSERT_EQ(executions.size(), 1u);
    ASSERT_EQ(executions[0].arguments.size(), 7u);
    EXPECT_EQ(executions[0].arguments[2], rcFile());

    // Save Settings with auto-resize now on: the file is written whole, and then the
    // status label sets the width 90.
    releaseRightButton();
    ASSERT_TRUE(norvane::chooseMenuEntry("Save Settings"));
    RECT bounds;
    GetWindowRect(window, &bounds);
    EXPECT_EQ(bounds.right - bounds.left, 90);
    EXPECT_NE(moduleSettings().find("Pipwick.autoResize: true\r\n"), std::string::npos)
        << moduleSettings();

    // Read Settings takes a changed file: the next menu shows what it says.
    std::string text = moduleSettings();
    const std::string snapOn = "Pipwick.snapWindow: true\n";
    const size_t at = text.find(snapOn);
    ASSERT_NE(at, std::string::npos);
    text.replace(at, snapOn.size(), "Pipwick.snapWindow: false\n");
    writeModuleSettings(text);
    releaseRightButton();
    ASSERT_TRUE(norvane::chooseMenuEntry("Read Settings"));
    releaseRightButton();
    const auto* snap = findMenuEntry(*norvane::shownMenu(), "Snap Window To Edge");
    ASSERT_NE(snap, nullptr);
    EXPECT_FALSE(snap->checked);

    // The platform offers layered windows here: Transparency is an entry too.
    releaseRightButton();
    ASSERT_TRUE(norvane::chooseMenuEntry("Transparency"));
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_NE(moduleSettings().find("Pipwick.transparency: true\r\n"), std::string::npos)
        << moduleSettings();
}
