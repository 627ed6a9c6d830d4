// The clock window's procedure in the shipped DLL, message by message: what each
// message answers, what reaches the host, what is handed to DefWindowProcA, and the
// messages that arrive while the window is being destroyed.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "host/norvane_api.h"
#include "norvane/host_control.h"
#include "pixels.h"
#include "plugin_fixture.h"
#include "redirections.h"

namespace {

const char kNineteenCharacters[] = "Nineteen characters";

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

int lineCount(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

std::vector<std::pair<std::string, std::string>> settingsWith(const std::string& key,
                                                              const std::string& value) {
    return withSetting(floatingSettings(), key, value);
}

LPARAM textParameter(const char* text) {
    return reinterpret_cast<LPARAM>(text);
}

}  // namespace

class WindowProcTest : public PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        if (HasFatalFailure())
            return;
        g_windowProc = WindowProcRecords{};
        redirectAll(windowProcRedirections());
    }

    void start(const std::vector<std::pair<std::string, std::string>>& settings = floatingSettings()) {
        writeModuleSettings(settingsLines(settings));
        ASSERT_EQ(startPlugin(), 0);
        ASSERT_NE(clockWindow(), nullptr);
    }

    void startWithSlit(bool inSlit) {
        writeModuleSettings(settingsLines(settingsWith("Pipwick.inSlit:", inSlit ? "true" : "false")));
        ASSERT_EQ(startSlitPlugin(norvane::slitWindow()), 0);
        ASSERT_NE(clockWindow(), nullptr);
        const std::vector<HWND> held = norvane::slitChildren();
        const bool inTheSlit = std::find(held.begin(), held.end(), clockWindow()) != held.end();
        ASSERT_EQ(inTheSlit, inSlit);
    }

    LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageA(clockWindow(), message, wParam, lParam);
    }

    // The window's own visible flag: a window inside a hidden slit still has it.
    bool shown() const { return (GetWindowLongA(clockWindow(), GWL_STYLE) & WS_VISIBLE) != 0; }
    bool invalidated() const { return GetUpdateRect(clockWindow(), nullptr, FALSE) != 0; }
    void validate() { ValidateRect(clockWindow(), nullptr); }

    RECT bounds() const {
        RECT rect{};
        GetWindowRect(clockWindow(), &rect);
        return rect;
    }

    int defaultCalls(UINT message) const { return g_windowProc.defaultCallsFor(message); }
};

TEST_F(WindowProcTest, PaintCloseAndButtonsAnswerZeroWithoutDefaultProcessing) {
    start();
    if (HasFatalFailure())
        return;
    HWND window = clockWindow();
    g_windowProc.defaultCalls.clear();
    norvane::clearCalls();

    InvalidateRect(window, nullptr, TRUE);
    EXPECT_EQ(send(WM_PAINT), 0);
    EXPECT_FALSE(invalidated()) << "WM_PAINT did not validate the window";
    EXPECT_EQ(norvane::callsTo("MakeGradient").size(), 1u);

    EXPECT_EQ(send(WM_CLOSE), 0);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(IsWindowVisible(window));

    // A default procedure that answered would show through this result.
    g_windowProc.replacedMessage = WM_LBUTTONUP;
    g_windowProc.replacementResult = 0x33;
    EXPECT_EQ(send(WM_LBUTTONUP, 0, MAKELPARAM(10, 10)), 0);
    EXPECT_EQ(send(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10)), 0);
    EXPECT_TRUE(norvane::callsTo("ShowMenu").empty()) << "a right press opened the menu";

    for (UINT message : {WM_PAINT, WM_CLOSE, WM_LBUTTONUP, WM_RBUTTONDOWN})
        EXPECT_EQ(defaultCalls(message), 0) << "message " << message;
}

TEST_F(WindowProcTest, HitTestIsCaptionOnlyWhileCtrlIsDown) {
    start();
    if (HasFatalFailure())
        return;
    g_windowProc.defaultCalls.clear();

    struct KeyCase {
        SHORT state;
        LRESULT expected;
    };
    const KeyCase cases[] = {
        {static_cast<SHORT>(0x8000), HTCAPTION},
        {static_cast<SHORT>(0x8001), HTCAPTION},
        {0x0001, HTCLIENT},  // pressed since the last call, but up now
        {0, HTCLIENT},
    };
    // Inside the window (it lies at 120, 80) and far outside it.
    const LPARAM positions[] = {MAKELPARAM(130, 90), MAKELPARAM(5, 5)};
    for (const KeyCase& key : cases) {
        for (LPARAM position : positions) {
            g_windowProc.controlKeyState = key.state;
            g_windowProc.keysAsked.clear();
            EXPECT_EQ(send(WM_NCHITTEST, 0, position), key.expected)
                << "Ctrl state " << key.state << ", position " << position;
            EXPECT_NE(std::find(g_windowProc.keysAsked.begin(), g_windowProc.keysAsked.end(),
                                VK_CONTROL),
                      g_windowProc.keysAsked.end());
        }
    }
    EXPECT_EQ(defaultCalls(WM_NCHITTEST), 0);
}

TEST_F(WindowProcTest, SnapsWhileSnappingIsOnAndTheWindowIsVisible) {
    start(settingsWith("Pipwick.snapWindow:", "true"));
    if (HasFatalFailure())
        return;
    HWND window = clockWindow();
    WINDOWPOS position{window, nullptr, 500, 300, 200, 200, SWP_NOZORDER | SWP_NOACTIVATE};

    norvane::clearCalls();
    EXPECT_EQ(send(WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&position)), 0);
    const auto snaps = norvane::callsTo("SnapWindowToEdge");
    ASSERT_EQ(snaps.size(), 1u);
    EXPECT_EQ(snaps[0].arguments,
              (std::vector<std::string>{norvane::pointerText(&position), "10", "true"}));

    ShowWindow(window, SW_HIDE);
    ASSERT_FALSE(IsWindowVisible(window));
    norvane::clearCalls();
    EXPECT_EQ(send(WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&position)), 0);
    EXPECT_TRUE(norvane::callsTo("SnapWindowToEdge").empty()) << "a hidden window snapped";
    EXPECT_EQ(defaultCalls(WM_WINDOWPOSCHANGING), 0);
}

TEST_F(WindowProcTest, NeverSnapsWhileSnappingIsOff) {
    start();
    if (HasFatalFailure())
        return;
    WINDOWPOS position{clockWindow(), nullptr, 500, 300, 200, 200, SWP_NOZORDER | SWP_NOACTIVATE};
    norvane::clearCalls();
    EXPECT_EQ(send(WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&position)), 0);
    moveClockWindow(400, 200);
    EXPECT_TRUE(norvane::callsTo("SnapWindowToEdge").empty());
    EXPECT_EQ(defaultCalls(WM_WINDOWPOSCHANGING), 0);
}

TEST_F(WindowProcTest, CompletedMovesWriteThePlaceAndResizesNothing) {
    start();
    if (HasFatalFailure())
        return;

    moveClockWindow(300, 40);
    std::string settings = moduleSettings();
    EXPECT_EQ(lineCount(settings), 18) << settings;
    EXPECT_TRUE(contains(settings, "Pipwick.position.x: 300\n")) << settings;
    EXPECT_TRUE(contains(settings, "Pipwick.position.y: 40\n")) << settings;

    // A change of size alone is not the user's: the file stays as it is.
    writeModuleSettings("junk: 1\n");
    widenClockWindow(20);
    EXPECT_EQ(moduleSettings(), "junk: 1\n");

    // The position comes from the message's record.
    WINDOWPOS position{clockWindow(), nullptr, 333, 44, 200, 200, SWP_NOZORDER | SWP_NOACTIVATE};
    EXPECT_EQ(send(WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&position)), 0);
    settings = moduleSettings();
    EXPECT_TRUE(contains(settings, "Pipwick.position.x: 333\n")) << settings;
    EXPECT_TRUE(contains(settings, "Pipwick.position.y: 44\n")) << settings;
    EXPECT_EQ(defaultCalls(WM_WINDOWPOSCHANGED), 0);
}

TEST_F(WindowProcTest, UpdateTimerShowsAndInvalidatesOtherTimersDoNothing) {
    start();
    if (HasFatalFailure())
        return;
    HWND window = clockWindow();

    ShowWindow(window, SW_HIDE);
    EXPECT_EQ(send(WM_TIMER, 2), 0);
    EXPECT_FALSE(IsWindowVisible(window)) << "timer 2 showed the window";
    EXPECT_EQ(send(WM_TIMER, 1), 0);
    EXPECT_TRUE(IsWindowVisible(window)) << "timer 1 did not show the window";

    fixLocalTime(12, 0, 1);  // a visible clock is repainted when a new second begins
    validate();
    EXPECT_EQ(send(WM_TIMER, 2), 0);
    EXPECT_FALSE(invalidated()) << "timer 2 invalidated the window";
    EXPECT_EQ(send(WM_TIMER, 1), 0);
    EXPECT_TRUE(invalidated()) << "timer 1 did not invalidate the window";
    EXPECT_EQ(defaultCalls(WM_TIMER), 0);
}

TEST_F(WindowProcTest, LeftPressOutsideTheSlitGetsDefaultProcessing) {
    startWithSlit(false);
    if (HasFatalFailure())
        return;
    g_windowProc.defaultCalls.clear();
    g_windowProc.replacedMessage = WM_LBUTTONDOWN;
    g_windowProc.replacementResult = 0x77;

    EXPECT_EQ(send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 12)), 0x77);
    ASSERT_EQ(defaultCalls(WM_LBUTTONDOWN), 1);
    const DefaultProcCall& call = g_windowProc.defaultCalls.back();
    EXPECT_EQ(call.window, clockWindow());
    EXPECT_EQ(call.wParam, static_cast<WPARAM>(MK_LBUTTON));
    EXPECT_EQ(call.lParam, MAKELPARAM(10, 12));
}

TEST_F(WindowProcTest, LeftPressInsideTheSlitIsSwallowed) {
    startWithSlit(true);
    if (HasFatalFailure())
        return;
    g_windowProc.defaultCalls.clear();
    g_windowProc.replacedMessage = WM_LBUTTONDOWN;
    g_windowProc.replacementResult = 0x77;

    EXPECT_EQ(send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 12)), 0);
    EXPECT_EQ(defaultCalls(WM_LBUTTONDOWN), 0);
}

TEST_F(WindowProcTest, RightReleaseShowsTheMenuAndReconfigureDropsIt) {
    start();
    if (HasFatalFailure())
        return;
    norvane::clearCalls();

    EXPECT_EQ(send(WM_RBUTTONUP, 0, MAKELPARAM(10, 10)), 0);
    const auto shows = norvane::callsTo("ShowMenu");
    ASSERT_EQ(shows.size(), 1u);
    ASSERT_EQ(shows[0].arguments.size(), 1u);
    const std::string menu = shows[0].arguments[0];
    ASSERT_NE(norvane::shownMenu(), nullptr);
    EXPECT_EQ(norvane::shownMenu()->title, "Pipwick");
    EXPECT_EQ(defaultCalls(WM_RBUTTONUP), 0);

    norvane::clearCalls();
    validate();
    EXPECT_EQ(send(HM_RECONFIGURE), 0);
    const auto deletions = norvane::callsTo("DelMenu");
    ASSERT_EQ(deletions.size(), 1u);
    EXPECT_EQ(deletions[0].arguments, std::vector<std::string>{menu});
    EXPECT_EQ(norvane::liveMenuCount(), 0) << "the submenus outlived the menu";
    EXPECT_TRUE(invalidated());

    // The menu is gone: neither a second reconfiguration nor the next menu deletes it again.
    norvane::clearCalls();
    EXPECT_EQ(send(HM_RECONFIGURE), 0);
    EXPECT_TRUE(norvane::callsTo("DelMenu").empty());
    EXPECT_EQ(send(WM_RBUTTONUP, 0, MAKELPARAM(10, 10)), 0);
    EXPECT_TRUE(norvane::callsTo("DelMenu").empty());
    EXPECT_EQ(norvane::callsTo("ShowMenu").size(), 1u);
}

TEST_F(WindowProcTest, ReconfigureReadsTheStyleAgainAndRepaints) {
    start();
    if (HasFatalFailure())
        return;
    const RECT before = bounds();

    writeStyle(
        "toolbar: Flat Solid\n"
        "toolbar.color: #123456\n"
        "toolbar.colorTo: #123456\n"
        "borderColor: #654321\n"
        "borderWidth: 1\n"
        "bevelWidth: 0\n");
    // The settings file is not read again: this position must not be taken.
    writeModuleSettings(settingsLines(settingsWith("Pipwick.position.x:", "500")));
    validate();
    norvane::clearCalls();

    EXPECT_EQ(send(HM_RECONFIGURE), 0);
    EXPECT_TRUE(norvane::callsTo("DelMenu").empty()) << "no menu was built";
    EXPECT_TRUE(invalidated());
    const RECT after = bounds();
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.right, before.right);
    EXPECT_EQ(after.bottom, before.bottom);

    UpdateWindow(clockWindow());
    const auto gradients = norvane::callsTo("MakeGradient");
    ASSERT_EQ(gradients.size(), 1u);
    const auto& arguments = gradients[0].arguments;
    ASSERT_EQ(arguments.size(), 11u);
    EXPECT_EQ(arguments[2], std::to_string(GRADIENT_SOLID)) << "gradient type";
    EXPECT_EQ(arguments[3], "#123456") << "start colour";
    EXPECT_EQ(arguments[4], "#123456") << "end colour";
    EXPECT_EQ(arguments[6], "0") << "bevel style";
    EXPECT_EQ(arguments[8], "0") << "bevel width";
    EXPECT_EQ(arguments[9], "#654321") << "border colour";
    const WindowPixels pixels = WindowPixels::capture(clockWindow());
    ASSERT_TRUE(pixels.valid());
    EXPECT_EQ(colourText(pixels.at(3, 3)), colourText(RGB(0x12, 0x34, 0x56)));
}

TEST_F(WindowProcTest, LabelWithoutAutoResizeLeavesTheWindowAlone) {
    start();
    if (HasFatalFailure())
        return;
    validate();
    const std::size_t opensBefore = g_files.opens.size();

    EXPECT_EQ(send(HM_SET_LABEL, 0, textParameter(kNineteenCharacters)), 0);
    const RECT after = bounds();
    EXPECT_EQ(after.right - after.left, 200);
    EXPECT_EQ(after.bottom - after.top, 200);
    EXPECT_FALSE(invalidated());
    EXPECT_EQ(g_files.opens.size(), opensBefore) << "the settings file was written";
    EXPECT_EQ(defaultCalls(HM_SET_LABEL), 0);
}

TEST_F(WindowProcTest, LabelWithAutoResizeSetsTheWidthFromItsLength) {
    start(settingsWith("Pipwick.autoResize:", "true"));
    if (HasFatalFailure())
        return;
    validate();

    EXPECT_EQ(send(HM_SET_LABEL, 0, textParameter(kNineteenCharacters)), 0);
    RECT after = bounds();
    EXPECT_EQ(after.right - after.left, 95);
    EXPECT_EQ(after.bottom - after.top, 200);
    EXPECT_EQ(after.left, 120);
    EXPECT_EQ(after.top, 80);
    EXPECT_TRUE(invalidated());
    // The width follows the label, not the user: the file keeps its own.
    EXPECT_TRUE(contains(moduleSettings(), "Pipwick.position.width: 200\n")) << moduleSettings();

    EXPECT_EQ(send(HM_SET_LABEL, 0, 0), 0);
    after = bounds();
    EXPECT_EQ(after.right - after.left, 95) << "a missing label text changed the width";

    // A label longer than the buffer is cut to 1023 characters.
    const std::string longLabel(5000, 'x');
    EXPECT_EQ(send(HM_SET_LABEL, 0, textParameter(longLabel.c_str())), 0);
    after = bounds();
    EXPECT_EQ(after.right - after.left, 1023 * 5);
    EXPECT_EQ(defaultCalls(HM_SET_LABEL), 0);
}

TEST_F(WindowProcTest, HideAndShowBroadcastsForAFloatingClockWithASlit) {
    startWithSlit(false);
    if (HasFatalFailure())
        return;

    EXPECT_EQ(send(HM_BROADCAST, 0, textParameter("@norvHIDEplugins")), 0);
    EXPECT_FALSE(shown());
    EXPECT_EQ(send(HM_BROADCAST, 0, textParameter("@NORVshowPLUGINS")), 0);
    EXPECT_TRUE(shown());
    validate();
    EXPECT_EQ(send(HM_BROADCAST, 0, textParameter("@NorvShowPlugins")), 0);
    EXPECT_TRUE(invalidated()) << "the show text did not invalidate the window";

    // A hide or show text with more words after it is no host-wide text: it goes to
    // the command interpreter, where it matches nothing.
    const std::string settingsBefore = moduleSettings();
    norvane::clearCalls();
    EXPECT_EQ(send(HM_BROADCAST, 0, textParameter("@NorvHidePlugins now")), 0);
    EXPECT_TRUE(shown());
    EXPECT_EQ(send(HM_BROADCAST, 0, textParameter("@NorvHidePlugins")), 0);
    ASSERT_FALSE(shown());
    EXPECT_EQ(send(HM_BROADCAST, 0, textParameter("@NorvShowPlugins now")), 0);
    EXPECT_FALSE(shown()) << "a show text with a word after it showed the window";

    std::vector<std::string> interpreted;
    for (const auto& call : norvane::callsTo("IsInString")) {
        if (!call.arguments.empty())
            interpreted.push_back(call.arguments[0]);
    }
    EXPECT_NE(std::find(interpreted.begin(), interpreted.end(), "@NorvShowPlugins now"),
              interpreted.end());
    EXPECT_NE(std::find(interpreted.begin(), interpreted.end(), "@NorvHidePlugins now"),
              interpreted.end());
    EXPECT_TRUE(norvane::callsTo("WriteBool").empty());
    EXPECT_EQ(moduleSettings(), settingsBefore);
    EXPECT_EQ(defaultCalls(HM_BROADCAST), 0);
}

TEST_F(WindowProcTest, HideBroadcastLeavesAClockStartedWithoutASlit) {
    start();
    if (HasFatalFailure())
        return;
    EXPECT_EQ(send(HM_BROADCAST, 0, textParameter("@NorvHidePlugins")), 0);
    EXPECT_TRUE(shown()) << "a clock started without a slit hid";

    ShowWindow(clockWindow(), SW_HIDE);
    EXPECT_EQ(send(HM_BROADCAST, 0, textParameter("@norvshowplugins")), 0);
    EXPECT_TRUE(shown());
}

TEST_F(WindowProcTest, HideBroadcastLeavesAClockInTheSlit) {
    startWithSlit(true);
    if (HasFatalFailure())
        return;
    ASSERT_TRUE(shown());
    EXPECT_EQ(send(HM_BROADCAST, 0, textParameter("@NORVHIDEPLUGINS")), 0);
    EXPECT_TRUE(shown()) << "a clock in the slit hid";

    ShowWindow(clockWindow(), SW_HIDE);
    EXPECT_EQ(send(HM_BROADCAST, 0, textParameter("@NorvShowPlugins")), 0);
    EXPECT_TRUE(shown()) << "the show text does not hold in the slit";
}

TEST_F(WindowProcTest, UnknownMessagesGetDefaultProcessingAndItsResult) {
    start();
    if (HasFatalFailure())
        return;
    const UINT unknown = WM_USER + 0x123;
    g_windowProc.defaultCalls.clear();
    g_windowProc.replacedMessage = unknown;
    g_windowProc.replacementResult = 0x5A5A;

    EXPECT_EQ(send(unknown, 7, 9), 0x5A5A);
    ASSERT_EQ(defaultCalls(unknown), 1);
    const DefaultProcCall& call = g_windowProc.defaultCalls.back();
    EXPECT_EQ(call.window, clockWindow());
    EXPECT_EQ(call.wParam, 7u);
    EXPECT_EQ(call.lParam, 9);
}

// The window's last messages arrive inside endPlugin's DestroyWindow, while the
// record still exists: the hide is a completed change of position state, handled by
// the clock (not by default processing), and it writes nothing.
TEST_F(WindowProcTest, MessagesDuringDestructionAreHandled) {
    start();
    if (HasFatalFailure())
        return;
    HWND window = clockWindow();
    writeModuleSettings("junk: 1\n");
    g_windowProc.defaultCalls.clear();

    stopPlugin();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(moduleSettings(), "junk: 1\n");
    EXPECT_EQ(defaultCalls(WM_WINDOWPOSCHANGED), 0);
    bool destroyed = false;
    bool lastMessage = false;
    for (const DefaultProcCall& call : g_windowProc.defaultCalls) {
        destroyed = destroyed || (call.window == window && call.message == WM_DESTROY);
        lastMessage = lastMessage || (call.window == window && call.message == WM_NCDESTROY);
    }
    EXPECT_TRUE(destroyed) << "WM_DESTROY did not get default processing";
    EXPECT_TRUE(lastMessage) << "WM_NCDESTROY did not get default processing";
}

TEST_F(WindowProcTest, EndPluginWithoutARecordDoesNothing) {
    norvane::clearCalls();
    std::size_t hostMessagesBefore = norvane::hostMessages().size();
    stopPlugin();
    EXPECT_TRUE(norvane::calls().empty());
    EXPECT_EQ(norvane::hostMessages().size(), hostMessagesBefore);
    EXPECT_TRUE(g_files.opens.empty());
    EXPECT_TRUE(g_messageBoxes.calls.empty());

    // The plug-in still starts afterwards, and a second endPlugin after the first
    // finds nothing to do.
    start();
    if (HasFatalFailure())
        return;
    stopPlugin();
    norvane::clearCalls();
    hostMessagesBefore = norvane::hostMessages().size();
    const std::size_t opensBefore = g_files.opens.size();
    g_windowProc.defaultCalls.clear();
    stopPlugin();
    EXPECT_TRUE(norvane::calls().empty());
    EXPECT_EQ(norvane::hostMessages().size(), hostMessagesBefore);
    EXPECT_EQ(g_files.opens.size(), opensBefore);
    EXPECT_TRUE(g_windowProc.defaultCalls.empty());
    EXPECT_TRUE(g_messageBoxes.calls.empty());
}

// Once endPlugin has freed the record, the procedure still exists in the loaded DLL;
// a message that reaches it then (a window of the class outliving its record) is
// handed to the default processing whole and touches nothing of the plug-in's.
TEST_F(WindowProcTest, MessagesWithoutARecordGetOnlyDefaultProcessing) {
    start();
    if (HasFatalFailure())
        return;
    const auto procedure =
        reinterpret_cast<WNDPROC>(GetWindowLongPtrA(clockWindow(), GWLP_WNDPROC));
    ASSERT_NE(procedure, nullptr);
    stopPlugin();
    const std::string settingsBefore = moduleSettings();

    HWND stranger = CreateWindowExA(0, "STATIC", "stranger", WS_POPUP, 0, 0, 50, 50, nullptr,
                                    nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(stranger, nullptr);
    norvane::clearCalls();
    g_windowProc.defaultCalls.clear();

    const char command[] = "@Pipwick AlwaysOnTop";
    EXPECT_EQ(CallWindowProcA(procedure, stranger, HM_BROADCAST, 0, textParameter(command)), 0);
    EXPECT_EQ(CallWindowProcA(procedure, stranger, WM_NCHITTEST, 0, MAKELPARAM(10, 10)),
              HTCLIENT);
    EXPECT_EQ(CallWindowProcA(procedure, stranger, WM_RBUTTONUP, 0, 0), 0);
    // The plug-in ignores WM_CLOSE; the default processing destroys the window.
    CallWindowProcA(procedure, stranger, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(stranger));

    EXPECT_EQ(g_windowProc.defaultCallsFor(HM_BROADCAST), 1);
    EXPECT_EQ(g_windowProc.defaultCallsFor(WM_NCHITTEST), 1);
    EXPECT_EQ(g_windowProc.defaultCallsFor(WM_RBUTTONUP), 1);
    EXPECT_EQ(g_windowProc.defaultCallsFor(WM_CLOSE), 1);
    EXPECT_TRUE(norvane::calls().empty()) << "the host was called without a record";
    EXPECT_EQ(moduleSettings(), settingsBefore);
    if (IsWindow(stranger))
        DestroyWindow(stranger);
}
