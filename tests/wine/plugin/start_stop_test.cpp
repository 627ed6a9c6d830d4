// Starting the shipped DLL through each entry point, with and without the slit,
// stopping it, starting it again in the same load, and its information strings.
#include <algorithm>
#include <climits>
#include <cstring>
#include <set>

#include "host/norvane_api.h"
#include "norvane/host_control.h"
#include "plugin_fixture.h"
#include "test_files.h"

namespace {

enum class Entry { BeginPlugin, BeginSlitPlugin, BeginPluginEx, BeginSlitPluginWithoutSlit };

struct StartCase {
    const char* name;
    Entry entry;
    bool inSlitSetting;
    bool joinsSlit;
};

const std::set<UINT> kClockMessages = {HM_RECONFIGURE, HM_SET_LABEL, HM_BROADCAST};

std::set<UINT> messageSet(const std::vector<UINT>& list) {
    std::set<UINT> messages(list.begin(), list.end());
    messages.erase(0);
    return messages;
}

std::vector<norvane::HostMessage> hostMessagesOf(UINT message) {
    std::vector<norvane::HostMessage> found;
    for (const auto& sent : norvane::hostMessages()) {
        if (sent.message == message)
            found.push_back(sent);
    }
    return found;
}

template <typename Container, typename Value>
bool contains(const Container& container, const Value& value) {
    return std::find(container.begin(), container.end(), value) != container.end();
}

std::string settingsWithSlit(bool inSlit) {
    return settingsLines(withSetting(floatingSettings(), "Pipwick.inSlit:", inSlit ? "true" : "false"));
}

}  // namespace

class StartStopTest : public PluginTest {
protected:
    int startThrough(Entry entry) {
        switch (entry) {
        case Entry::BeginPlugin:
            return startPlugin();
        case Entry::BeginSlitPlugin:
            return startSlitPlugin(norvane::slitWindow());
        case Entry::BeginPluginEx:
            return startPluginEx(norvane::slitWindow());
        case Entry::BeginSlitPluginWithoutSlit:
            return startSlitPlugin(nullptr);
        }
        return -1;
    }
};

class EntryPointTest : public StartStopTest, public testing::WithParamInterface<StartCase> {};

TEST_P(EntryPointTest, StartsRunsAndStopsCleanly) {
    const StartCase& start = GetParam();
    writeModuleSettings(settingsWithSlit(start.inSlitSetting));

    ASSERT_EQ(startThrough(start.entry), 0);
    HWND window = clockWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindowVisible(window));

    auto registrations = hostMessagesOf(HM_REGISTER_MESSAGES);
    ASSERT_EQ(registrations.size(), 1u);
    EXPECT_EQ(registrations[0].wParam, reinterpret_cast<WPARAM>(window));
    EXPECT_EQ(messageSet(registrations[0].list), kClockMessages);
    EXPECT_TRUE(contains(norvane::stickyWindows(), window));

    ASSERT_EQ(g_windowSetup.timers.size(), 1u);
    const TimerStart& timer = g_windowSetup.timers[0];
    EXPECT_EQ(timer.window, window);
    EXPECT_EQ(timer.id, 1u);
    // Due just after the next second begins; the fixed clock stands at a second's start.
    EXPECT_GT(timer.period, 1000u);
    EXPECT_LE(timer.period, 1020u);
    EXPECT_EQ(timer.procedure, nullptr);

    const auto& slit = norvane::slitMessages();
    if (start.joinsSlit) {
        ASSERT_EQ(slit.size(), 1u);
        EXPECT_EQ(slit[0].message, HM_SLIT_ADD);
        EXPECT_EQ(slit[0].wParam, 0u);
        EXPECT_EQ(slit[0].lParam, reinterpret_cast<LPARAM>(window));
        EXPECT_TRUE(contains(norvane::slitChildren(), window));
    } else {
        EXPECT_TRUE(slit.empty());
        RECT bounds;
        GetWindowRect(window, &bounds);
        EXPECT_EQ(bounds.left, 120);
        EXPECT_EQ(bounds.top, 80);
        EXPECT_EQ(bounds.right - bounds.left, 200);
        EXPECT_EQ(bounds.bottom - bounds.top, 200);
        // Outside the slit, whatever the setting said, Save Settings says so.
        norvane::broadcast("@Pipwick SaveSettings");
        EXPECT_NE(moduleSettings().find("Pipwick.inSlit: false\r\n"), std::string::npos)
            << moduleSettings();
    }

    stopPlugin();
    auto unregistrations = hostMessagesOf(HM_UNREGISTER_MESSAGES);
    ASSERT_EQ(unregistrations.size(), 1u);
    EXPECT_EQ(unregistrations[0].wParam, reinterpret_cast<WPARAM>(window));
    EXPECT_EQ(messageSet(unregistrations[0].list), kClockMessages);
    EXPECT_TRUE(norvane::windowsRegisteredFor(HM_BROADCAST).empty());
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(pipwickClassRegistered());
    EXPECT_EQ(g_heap.liveBlocksOfSize(sizeof(StyleItem)), 0);
    EXPECT_EQ(norvane::liveMenuCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    EntryPoints, EntryPointTest,
    testing::Values(StartCase{"BeginPlugin", Entry::BeginPlugin, false, false},
                    StartCase{"BeginPluginWithSlitSetting", Entry::BeginPlugin, true, false},
                    StartCase{"BeginSlitPluginInSlit", Entry::BeginSlitPlugin, true, true},
                    StartCase{"BeginSlitPluginFloating", Entry::BeginSlitPlugin, false, false},
                    StartCase{"BeginPluginExInSlit", Entry::BeginPluginEx, true, true},
                    StartCase{"BeginPluginExFloating", Entry::BeginPluginEx, false, false},
                    StartCase{"BeginSlitPluginWithoutSlitWindow",
                              Entry::BeginSlitPluginWithoutSlit, true, false}),
    [](const testing::TestParamInfo<StartCase>& info) { return std::string(info.param.name); });

TEST_F(StartStopTest, WindowIsAToolPopupThatIsTopmostOnlyWhenAsked) {
    for (bool onTop : {true, false}) {
        SCOPED_TRACE(onTop ? "alwaysOnTop true" : "alwaysOnTop false");
        writeModuleSettings(settingsLines(
            withSetting(floatingSettings(), "Pipwick.alwaysOnTop:", onTop ? "true" : "false")));
        ASSERT_EQ(startPlugin(), 0);
        HWND window = clockWindow();
        ASSERT_NE(window, nullptr);
        LONG style = GetWindowLongA(window, GWL_STYLE);
        LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
        EXPECT_TRUE(style & WS_POPUP);
        EXPECT_FALSE(style & WS_CAPTION);
        EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
        EXPECT_EQ((exStyle & WS_EX_TOPMOST) != 0, onTop);
        EXPECT_FALSE(exStyle & WS_EX_LAYERED);
        stopPlugin();
    }
}

TEST_F(StartStopTest, StartsAgainInTheSameLoadKeepingTheSlit) {
    writeModuleSettings(settingsWithSlit(true));
    ASSERT_EQ(startSlitPlugin(norvane::slitWindow()), 0);
    HWND first = clockWindow();
    ASSERT_NE(first, nullptr);
    stopPlugin();
    EXPECT_FALSE(IsWindow(first));
    EXPECT_FALSE(pipwickClassRegistered());

    // The slit handle given to the first start is kept: beginPlugin still joins it.
    ASSERT_EQ(startPlugin(), 0);
    HWND second = clockWindow();
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(IsWindowVisible(second));
    EXPECT_TRUE(pipwickClassRegistered());

    int pipwickRegistrations = 0;
    for (const ClassRegistration& registration : g_windowSetup.registrations) {
        if (registration.className != "Pipwick")
            continue;
        ++pipwickRegistrations;
        EXPECT_NE(registration.result, 0) << "class registration " << pipwickRegistrations;
        EXPECT_EQ(registration.instance, module());
    }
    EXPECT_EQ(pipwickRegistrations, 2);

    const auto& slit = norvane::slitMessages();
    ASSERT_FALSE(slit.empty());
    EXPECT_EQ(slit.back().message, HM_SLIT_ADD);
    EXPECT_EQ(slit.back().lParam, reinterpret_cast<LPARAM>(second));
    EXPECT_TRUE(contains(norvane::slitChildren(), second));
    EXPECT_EQ(hostMessagesOf(HM_REGISTER_MESSAGES).size(), 2u);
}

TEST_F(StartStopTest, EndPluginWithoutAStartDoesNothing) {
    stopPlugin();
    EXPECT_TRUE(norvane::hostMessages().empty());
    EXPECT_TRUE(norvane::slitMessages().empty());
    EXPECT_TRUE(g_messageBoxes.calls.empty());
    ASSERT_EQ(startPlugin(), 0);
    EXPECT_NE(clockWindow(), nullptr);
}

TEST_F(StartStopTest, PluginInfoAnswersEveryIndex) {
    EXPECT_STREQ(pluginInfo(1), "Pipwick");
    EXPECT_STREQ(pluginInfo(2), "0.0.2");
    for (int index = 3; index <= 6; ++index) {
        const char* text = pluginInfo(index);
        ASSERT_NE(text, nullptr) << "index " << index;
        EXPECT_GT(std::strlen(text), 0u) << "index " << index;
        EXPECT_STRNE(text, "Pipwick 0.0.1") << "index " << index;
    }
    const char* date = pluginInfo(4);
    ASSERT_EQ(std::strlen(date), 10u) << date;
    for (int i = 0; i < 10; ++i) {
        bool separator = i == 4 || i == 7;
        EXPECT_EQ(date[i] == '-', separator) << date;
        EXPECT_EQ(date[i] >= '0' && date[i] <= '9', !separator) << date;
    }
    for (int index : {0, 7, -1, 100, INT_MIN, INT_MAX})
        EXPECT_STREQ(pluginInfo(index), "Pipwick 0.0.1") << "index " << index;
}
