// The "@Pipwick" broadcast commands as the shipped DLL carries them out: what each
// toggles, what it writes to the settings file, what it does to the window and the
// slit, and whether it leaves the window to be repainted.
#include <string>
#include <utility>
#include <vector>

#include "host/norvane_api.h"
#include "import_redirect.h"
#include "norvane/host_control.h"
#include "plugin_fixture.h"
#include "redirections.h"
#include "settings_text_support.h"
#include "test_files.h"
#include "window_probes.h"

namespace {

bool isTopmost(HWND window) {
    return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

}  // namespace

class BroadcastCommandTest : public PluginTest {
protected:
    void TearDown() override {
        // The recorder may hold a hook into the finished test.
        resetWindowPosRecords();
        PluginTest::TearDown();
    }
};

namespace {

// The two options whose commands only toggle and store them.
struct OptionCase {
    const char* name;
    std::vector<const char*> texts;  // one command word in several letter cases
    const char* key;
    const char* caption;
};

}  // namespace

class CommandOptionTest : public BroadcastCommandTest,
                          public testing::WithParamInterface<OptionCase> {};

TEST_P(CommandOptionTest, TogglesInAnyLetterCaseAndWritesOnlyItsKey) {
    const OptionCase& option = GetParam();
    startFrom(floatingSettings());
    HWND window = clockWindow();
    const RECT bounds = windowBounds(window);
    const LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);

    bool value = false;  // floatingSettings() has both options off
    size_t writes = 0;
    std::string expected = moduleSettings();
    const size_t wholeWrites = g_files.writeOpens();
    for (const char* text : option.texts) {
        SCOPED_TRACE(text);
        value = !value;
        EXPECT_FALSE(broadcastInvalidates(text));

        expected = withValue(expected, option.key, boolText(value));
        EXPECT_EQ(moduleSettings(), expected) << "only the toggled key may change";
        EXPECT_EQ(g_files.writeOpens(), wholeWrites) << "the whole file was rewritten";
        auto writeCalls = norvane::callsTo("WriteBool");
        ASSERT_EQ(writeCalls.size(), ++writes);
        EXPECT_EQ(writeCalls.back().arguments,
                  (std::vector<std::string>{rcFile(), option.key, boolText(value)}));

        EXPECT_EQ(menuMark(window, option.caption), value ? 1 : 0);
        EXPECT_TRUE(sameRect(windowBounds(window), bounds)) << "the window was moved or resized";
        EXPECT_EQ(GetWindowLongA(window, GWL_EXSTYLE), exStyle);
        EXPECT_TRUE(norvane::slitMessages().empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Options, CommandOptionTest,
    testing::Values(
        OptionCase{"SnapWindowToEdge",
                   {"@Pipwick SnapWindowToEdge", "@pipwick snapwindowtoedge",
                    "@PIPWICK SNAPWINDOWTOEDGE", "@Pipwick sNaPwInDoWtOeDgE and more words"},
                   "Pipwick.snapWindow:", "Snap Window To Edge"},
        OptionCase{"AutoResize",
                   {"@Pipwick AutoResize", "@pipwick autoresize", "@PIPWICK AUTORESIZE",
                    "  @Pipwick\taUTOrESIZE"},
                   "Pipwick.autoResize:", "Auto Resize"}),
    [](const testing::TestParamInfo<OptionCase>& info) { return std::string(info.param.name); });

TEST_F(BroadcastCommandTest, AlwaysOnTopRestacksAndTwiceReturnsToTheFirstState) {
    resetWindowPosRecords();
    redirectAll({windowPosRedirection()});
    if (HasFatalFailure())
        return;
    startFrom(floatingSettings());
    HWND window = clockWindow();
    ASSERT_FALSE(isTopmost(window));

    // The key is stored before the window is restacked.
    std::vector<std::string> fileWhenRestacked;
    g_windowPos.onCall = [&](const WindowPosCall&) { fileWhenRestacked.push_back(moduleSettings()); };

    struct Step {
        const char* text;
        bool onTop;
    };
    const Step steps[] = {{"@pipwick alwaysontop", true},
                          {"@PIPWICK ALWAYSONTOP", false},
                          {"@Pipwick AlwaysOnTop", true},
                          {"@Pipwick aLWAYSoNtOP whatever follows", false}};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.text);
        g_windowPos.calls.clear();
        fileWhenRestacked.clear();
        const size_t writesBefore = norvane::callsTo("WriteBool").size();

        EXPECT_FALSE(broadcastInvalidates(step.text));

        EXPECT_EQ(isTopmost(window), step.onTop);
        ASSERT_EQ(g_windowPos.calls.size(), 1u);
        const WindowPosCall& call = g_windowPos.calls[0];
        EXPECT_EQ(call.window, window);
        EXPECT_EQ(call.insertAfter, step.onTop ? HWND_TOPMOST : HWND_NOTOPMOST);
        EXPECT_EQ(call.x, 0);
        EXPECT_EQ(call.y, 0);
        EXPECT_EQ(call.width, 0);
        EXPECT_EQ(call.height, 0);
        EXPECT_EQ(call.flags, static_cast<UINT>(SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE));

        const std::string keyLine = std::string("Pipwick.alwaysOnTop: ") + boolText(step.onTop) + "\n";
        ASSERT_EQ(fileWhenRestacked.size(), 1u);
        EXPECT_NE(fileWhenRestacked[0].find(keyLine), std::string::npos) << fileWhenRestacked[0];

        auto writeCalls = norvane::callsTo("WriteBool");
        ASSERT_EQ(writeCalls.size(), writesBefore + 1);
        EXPECT_EQ(writeCalls.back().arguments,
                  (std::vector<std::string>{rcFile(), "Pipwick.alwaysOnTop:", boolText(step.onTop)}));

        // The restack writes nothing: the file is as the host left it, one key changed.
        EXPECT_EQ(moduleSettings(),
                  settingsLines(withSetting(floatingSettings(), "Pipwick.alwaysOnTop:", boolText(step.onTop))));
        EXPECT_EQ(menuMark(window, "Always On Top"), step.onTop ? 1 : 0);
    }
    EXPECT_TRUE(norvane::slitMessages().empty());
}

TEST_F(BroadcastCommandTest, UnknownWordsAndABarePrefixChangeNothing) {
    startFrom(floatingSettings());
    HWND window = clockWindow();
    ageFile(rcFile());
    const std::string before = moduleSettings();
    const FILETIME writtenBefore = lastWriteTime(rcFile());
    const RECT bounds = windowBounds(window);
    const LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
    norvane::clearCalls();

    for (const char* text :
         {"@Pipwick", "@Pipwick ", "@pipwick", "@Pipwick Bogus", "@Pipwick AlwaysOnTopX",
          "@Pipwick AlwaysOn", "@Pipwick Always On Top", "@PipwickAlwaysOnTop",
          "@Pipwick @Pipwick", "AlwaysOnTop @Pipwick", "Pipwick AlwaysOnTop",
          "@Pipwik AlwaysOnTop", "@Pipwick About.", "@Pipwick Transparency1", "", "@NorvBogus"}) {
        SCOPED_TRACE(std::string("\"") + text + "\"");
        EXPECT_FALSE(broadcastInvalidates(text));
        EXPECT_EQ(moduleSettings(), before);
        EXPECT_TRUE(sameTime(lastWriteTime(rcFile()), writtenBefore)) << "the file was rewritten";
        EXPECT_TRUE(sameRect(windowBounds(window), bounds));
        EXPECT_EQ(GetWindowLongA(window, GWL_EXSTYLE), exStyle);
    }
    EXPECT_TRUE(norvane::callsTo("WriteBool").empty());
    EXPECT_TRUE(norvane::callsTo("NorvExecute").empty());
    EXPECT_TRUE(norvane::callsTo("MakeMenu").empty());
    EXPECT_TRUE(g_messageBoxes.calls.empty());
    EXPECT_TRUE(norvane::slitMessages().empty());

    for (const char* caption : {"Always On Top", "Snap Window To Edge", "Auto Resize", "In Slit"})
        EXPECT_EQ(menuMark(window, caption), 0) << caption;
}

TEST_F(BroadcastCommandTest, AboutShowsTheVersionBoxOwnedByTheHost) {
    startFrom(floatingSettings());
    ageFile(rcFile());
    const std::string before = moduleSettings();
    const FILETIME writtenBefore = lastWriteTime(rcFile());

    EXPECT_FALSE(broadcastInvalidates("@Pipwick About"));
    EXPECT_FALSE(broadcastInvalidates("@pipwick aBOUT"));

    ASSERT_EQ(g_messageBoxes.calls.size(), 2u);
    for (const MessageBoxCall& box : g_messageBoxes.calls) {
        EXPECT_EQ(box.owner, norvane::hostWindow());
        EXPECT_EQ(box.text, "Pipwick 0.0.1");
        EXPECT_EQ(box.caption, "About Pipwick");
        EXPECT_EQ(box.style, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    }
    EXPECT_EQ(moduleSettings(), before);
    EXPECT_TRUE(sameTime(lastWriteTime(rcFile()), writtenBefore));
    EXPECT_TRUE(norvane::callsTo("WriteBool").empty());
}

TEST_F(BroadcastCommandTest, EditSettingsOpensTheSettingsFileThroughTheHost) {
    startFrom(floatingSettings());
    ageFile(rcFile());
    const std::string before = moduleSettings();
    const FILETIME writtenBefore = lastWriteTime(rcFile());

    EXPECT_TRUE(broadcastInvalidates("@Pipwick EditSettings"));
    EXPECT_TRUE(broadcastInvalidates("@PIPWICK editsettings"));

    auto executions = norvane::callsTo("NorvExecute");
    ASSERT_EQ(executions.size(), 2u);
    for (const norvane::HostCall& call : executions) {
        EXPECT_EQ(call.arguments,
                  (std::vector<std::string>{norvane::pointerText(GetDesktopWindow()), "(null)",
                                            rcFile(), "", "(null)", "1", "false"}));
    }
    EXPECT_EQ(moduleSettings(), before) << "the file is opened, not re-read or written";
    EXPECT_TRUE(sameTime(lastWriteTime(rcFile()), writtenBefore));
    EXPECT_TRUE(g_messageBoxes.calls.empty());
}

TEST_F(BroadcastCommandTest, SaveSettingsRewritesTheWholeFileFromTheRecordKeepingTheUsersLines) {
    // A file in the reader's own form: LF line ends throughout, a comment, a blank
    // line and a line the writer does not know.
    Settings settings = withSetting(floatingSettings(), "Pipwick.color.marked.red:", "300");
    const std::string comment = "# my clock, set by hand\n";
    const std::string others = "\nPipwick.unknown: kept\n";
    writeModuleSettings(comment + settingsLines(settings) + others);
    ASSERT_EQ(startPlugin(), 0);
    HWND window = clockWindow();
    ASSERT_NE(window, nullptr);
    pumpMessages();
    const RECT bounds = windowBounds(window);

    // Auto-resize is off: the status label leaves the size alone.
    EXPECT_FALSE(broadcastInvalidates("@Pipwick SaveSettings"));
    EXPECT_EQ(moduleSettings(), comment + writtenText(settings) + others);
    EXPECT_TRUE(sameRect(windowBounds(window), bounds));

    // A toggled option goes with the next save.
    norvane::broadcast("@Pipwick SnapWindowToEdge");
    EXPECT_FALSE(broadcastInvalidates("@pipwick savesettings"));
    EXPECT_EQ(moduleSettings(),
              comment + writtenText(withSetting(settings, "Pipwick.snapWindow:", "true")) + others);
    EXPECT_TRUE(norvane::callsTo("NorvExecute").empty());
    EXPECT_TRUE(g_messageBoxes.calls.empty());
}

TEST_F(BroadcastCommandTest, ReadSettingsShowsEveryValueOfTheFileAtOnceWithoutAWrite) {
    startFrom(floatingSettings());
    HWND window = clockWindow();

    Settings changed = floatingSettings();
    for (const auto& value : Settings{{"Pipwick.position.x:", "300"},
                                      {"Pipwick.position.y:", "50"},
                                      {"Pipwick.position.width:", "250"},
                                      {"Pipwick.position.height:", "210"},
                                      {"Pipwick.size.circlesize:", "5"},
                                      {"Pipwick.color.unmarked.red:", "7"},
                                      {"Pipwick.color.unmarked.green:", "8"},
                                      {"Pipwick.color.unmarked.blue:", "9"},
                                      {"Pipwick.color.marked.red:", "12"},
                                      {"Pipwick.color.marked.green:", "34"},
                                      {"Pipwick.color.marked.blue:", "56"},
                                      {"Pipwick.alwaysOnTop:", "true"},
                                      {"Pipwick.snapWindow:", "true"},
                                      {"Pipwick.transparency.alpha:", "99"},
                                      {"Pipwick.timerInterval:", "7"}})
        changed = withSetting(changed, value.first, value.second);
    writeModuleSettings(settingsLines(changed));
    ageFile(rcFile());
    const FILETIME writtenBefore = lastWriteTime(rcFile());

    // Shown at once: moved, resized, restacked and repainted, without a write. The
    // word is matched in any letter case.
    EXPECT_TRUE(broadcastInvalidates("@pipwick rEADsETTINGS"));
    EXPECT_TRUE(sameRect(windowBounds(window), RECT{300, 50, 550, 260}));
    EXPECT_TRUE(isTopmost(window));
    EXPECT_EQ(moduleSettings(), settingsLines(changed));
    EXPECT_TRUE(sameTime(lastWriteTime(rcFile()), writtenBefore));
    EXPECT_EQ(menuMark(window, "Always On Top"), 1);
    EXPECT_EQ(menuMark(window, "Snap Window To Edge"), 1);

    // Everything was read: a save writes the values of the file back.
    norvane::broadcast("@Pipwick SaveSettings");
    EXPECT_EQ(moduleSettings(), writtenText(changed));

    // A later toggle starts from the value just read.
    norvane::broadcast("@Pipwick AlwaysOnTop");
    EXPECT_FALSE(isTopmost(window));
    auto writeCalls = norvane::callsTo("WriteBool");
    ASSERT_FALSE(writeCalls.empty());
    EXPECT_EQ(writeCalls.back().arguments,
              (std::vector<std::string>{rcFile(), "Pipwick.alwaysOnTop:", "false"}));
    EXPECT_NE(moduleSettings().find("Pipwick.alwaysOnTop: false\n"), std::string::npos)
        << moduleSettings();
}

// ToggleSlit: into the slit, out of it, and with no slit known.

class ToggleSlitTest : public BroadcastCommandTest {
protected:
    // The "In Slit" check mark, and whether "Transparency" is offered, as a menu
    // built at that moment shows them.
    struct SlitMarks {
        int inSlit = -1;
        int transparency = -1;
    };

    // Builds the menu from inside the slit's handler of `message`.
    void watchSlitMessage(UINT message, std::vector<SlitMarks>* seen) {
        HWND window = clockWindow();
        norvane::onSlitMessage([=](const norvane::HostMessage& received) {
            if (received.message != message)
                return;
            SlitMarks marks;
            marks.inSlit = menuMark(window, "In Slit");
            marks.transparency = menuMark(window, "Transparency");
            seen->push_back(marks);
        });
    }

    bool heldBySlit(HWND window) const {
        for (HWND child : norvane::slitChildren()) {
            if (child == window)
                return true;
        }
        return false;
    }

    void TearDown() override {
        norvane::onSlitMessage(nullptr);
        BroadcastCommandTest::TearDown();
    }
};

TEST_F(ToggleSlitTest, IntoTheSlitSetsTheFlagBeforeTheSlitTakesTheWindow) {
    startInSlitFrom(floatingSettings());
    HWND window = clockWindow();
    ASSERT_TRUE(norvane::slitMessages().empty());
    ASSERT_FALSE(heldBySlit(window));
    std::vector<SlitMarks> seen;
    watchSlitMessage(HM_SLIT_ADD, &seen);

    EXPECT_TRUE(broadcastInvalidates("@Pipwick ToggleSlit"));

    const auto& messages = norvane::slitMessages();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages[0].message, HM_SLIT_ADD);
    EXPECT_EQ(messages[0].wParam, 0u);
    EXPECT_EQ(messages[0].lParam, reinterpret_cast<LPARAM>(window));
    for (size_t i = 1; i < messages.size(); ++i)
        EXPECT_EQ(messages[i].message, HM_SLIT_UPDATE) << "slit message " << i;
    EXPECT_TRUE(heldBySlit(window));
    EXPECT_EQ(GetParent(window), norvane::slitWindow());

    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].inSlit, 1) << "the flag must be set while the slit takes the window";
    EXPECT_EQ(seen[0].transparency, -1);
    EXPECT_EQ(menuMark(window, "In Slit"), 1);

    norvane::broadcast("@Pipwick SaveSettings");
    EXPECT_NE(moduleSettings().find("Pipwick.inSlit: true\r\n"), std::string::npos)
        << moduleSettings();
}

TEST_F(ToggleSlitTest, OutOfTheSlitClearsTheFlagOnlyAfterTheWindowIsGivenBack) {
    startInSlitFrom(withSetting(floatingSettings(), "Pipwick.inSlit:", "true"));
    HWND window = clockWindow();
    ASSERT_TRUE(heldBySlit(window));
    const size_t messagesBefore = norvane::slitMessages().size();
    std::vector<SlitMarks> seen;
    watchSlitMessage(HM_SLIT_REMOVE, &seen);

    EXPECT_TRUE(broadcastInvalidates("@pipwick TOGGLESLIT"));

    const auto& messages = norvane::slitMessages();
    ASSERT_GT(messages.size(), messagesBefore);
    EXPECT_EQ(messages[messagesBefore].message, HM_SLIT_REMOVE);
    EXPECT_EQ(messages[messagesBefore].wParam, 0u);
    EXPECT_EQ(messages[messagesBefore].lParam, reinterpret_cast<LPARAM>(window));
    for (size_t i = messagesBefore; i < messages.size(); ++i)
        EXPECT_NE(messages[i].message, HM_SLIT_ADD) << "slit message " << i;
    EXPECT_FALSE(heldBySlit(window));
    EXPECT_EQ(GetParent(window), nullptr);

    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].inSlit, 1) << "the flag must still be set while the slit gives the window back";
    EXPECT_EQ(menuMark(window, "In Slit"), 0);
    EXPECT_EQ(menuMark(window, "Transparency"), 0);

    moveClockWindow(140, 90);
    EXPECT_NE(moduleSettings().find("Pipwick.inSlit: false\r\n"), std::string::npos)
        << moduleSettings();

    // And back in again.
    const size_t messagesOut = messages.size();
    EXPECT_TRUE(broadcastInvalidates("@Pipwick ToggleSlit"));
    ASSERT_GT(messages.size(), messagesOut);
    EXPECT_EQ(messages[messagesOut].message, HM_SLIT_ADD);
    EXPECT_TRUE(heldBySlit(window));
    EXPECT_EQ(menuMark(window, "In Slit"), 1);
}

// Nothing changes, so nothing is written.
TEST_F(ToggleSlitTest, WithoutASlitWritesNothingAndStaysOut) {
    // Started without a slit, a window that the settings put in the slit floats.
    Settings settings = withSetting(floatingSettings(), "Pipwick.inSlit:", "true");
    startFrom(settings);
    HWND window = clockWindow();

    for (const char* text : {"@Pipwick ToggleSlit", "@PIPWICK toggleslit"}) {
        SCOPED_TRACE(text);
        ageFile(rcFile());
        const FILETIME writtenBefore = lastWriteTime(rcFile());
        EXPECT_TRUE(broadcastInvalidates(text));
        EXPECT_EQ(moduleSettings(), settingsLines(settings));
        EXPECT_TRUE(sameTime(lastWriteTime(rcFile()), writtenBefore)) << "the file was rewritten";
        EXPECT_EQ(menuMark(window, "In Slit"), 0);
        EXPECT_EQ(GetParent(window), nullptr);
    }
    EXPECT_TRUE(norvane::slitMessages().empty());
    EXPECT_TRUE(norvane::callsTo("WriteBool").empty());
}

// Read Settings puts the clock where its file says, joining or leaving the slit as
// ToggleSlit would, and writes nothing; out of the slit it floats at its place.
TEST_F(ToggleSlitTest, ReadSettingsJoinsOrLeavesTheSlitAsTheFileSays) {
    startInSlitFrom(floatingSettings());
    HWND window = clockWindow();
    ASSERT_EQ(GetParent(window), nullptr);

    const std::string inSlit = settingsLines(withSetting(floatingSettings(), "Pipwick.inSlit:", "true"));
    writeModuleSettings(inSlit);
    norvane::broadcast("@Pipwick ReadSettings");
    EXPECT_TRUE(heldBySlit(window));
    EXPECT_EQ(GetParent(window), norvane::slitWindow());
    EXPECT_EQ(menuMark(window, "In Slit"), 1);
    EXPECT_EQ(moduleSettings(), inSlit);

    writeModuleSettings(settingsLines(floatingSettings()));
    norvane::broadcast("@Pipwick ReadSettings");
    EXPECT_FALSE(heldBySlit(window));
    EXPECT_EQ(GetParent(window), nullptr);
    EXPECT_EQ(menuMark(window, "In Slit"), 0);
    const RECT bounds = windowBounds(window);
    EXPECT_EQ(bounds.left, 120);
    EXPECT_EQ(bounds.top, 80);
    EXPECT_EQ(moduleSettings(), settingsLines(floatingSettings()));
}

namespace {

void* g_nextReadBool = nullptr;

// A host may answer any nonzero byte for true; this one answers 2.
unsigned char __cdecl readBoolAnsweringTwo(const char* file, const char* key, bool defaultValue) {
    return functionFrom<decltype(&ReadBool)>(g_nextReadBool)(file, key, defaultValue) ? 2 : 0;
}

}  // namespace

TEST_F(BroadcastCommandTest, OptionsReadAsAnyNonzeroByteToggleOff) {
    redirectAll({{"norvane.exe", "ReadBool", addressOf(&readBoolAnsweringTwo), &g_nextReadBool}});
    if (HasFatalFailure())
        return;
    const char* const keys[] = {"Pipwick.snapWindow:", "Pipwick.autoResize:", "Pipwick.alwaysOnTop:"};
    Settings settings = floatingSettings();
    for (const char* key : keys)
        settings = withSetting(settings, key, "true");
    startFrom(settings);
    HWND window = clockWindow();

    const char* const words[] = {"SnapWindowToEdge", "AutoResize", "AlwaysOnTop"};
    const char* const captions[] = {"Snap Window To Edge", "Auto Resize", "Always On Top"};
    for (int option = 0; option < 3; ++option) {
        SCOPED_TRACE(words[option]);
        norvane::broadcast((std::string("@Pipwick ") + words[option]).c_str());
        auto writeCalls = norvane::callsTo("WriteBool");
        ASSERT_FALSE(writeCalls.empty());
        EXPECT_EQ(writeCalls.back().arguments,
                  (std::vector<std::string>{rcFile(), keys[option], "false"}));
        EXPECT_EQ(menuMark(window, captions[option]), 0);
    }
}
