// The width that follows the label while auto-resize is on: taken from the label's
// length (five pixels a character at the style's font height of 12), never less
// than 90, set in place inside the slit and at the recorded position outside it,
// where it is not snapped again.
#include <string>
#include <utility>
#include <vector>

#include "host/norvane_api.h"
#include "norvane/host_control.h"
#include "plugin_fixture.h"
#include "redirections.h"
#include "settings_text_support.h"
#include "test_files.h"
#include "window_probes.h"

namespace {

constexpr UINT kResizeOutside = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSENDCHANGING;  // 0x414
constexpr UINT kResizeInSlit = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;   // 0x16

Settings autoResizeSettings(bool autoResize) {
    return withSetting(floatingSettings(), "Pipwick.autoResize:", autoResize ? "true" : "false");
}

int widthOf(HWND window) {
    RECT bounds = windowBounds(window);
    return bounds.right - bounds.left;
}

int heightOf(HWND window) {
    RECT bounds = windowBounds(window);
    return bounds.bottom - bounds.top;
}

}  // namespace

class AutoResizeTest : public PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        if (HasFatalFailure())
            return;
        resetWindowPosRecords();
        redirectAll({windowPosRedirection()});
    }

    void TearDown() override {
        resetWindowPosRecords();
        PluginTest::TearDown();
    }

    // Runs `send` on a window with nothing left to paint; true when the window had
    // something to repaint right afterwards, before any message ran.
    template <typename Send>
    bool invalidates(Send send) {
        HWND window = clockWindow();
        ValidateRect(window, nullptr);
        send();
        return GetUpdateRect(window, nullptr, FALSE) != FALSE;
    }

    bool labelInvalidates(const std::string& label) {
        return invalidates([&] { norvane::setLabel(label.c_str()); });
    }

    // The one SetWindowPos a resize makes: the clock window, no z-order, this size.
    void expectOneResize(int x, int y, int width, UINT flags) {
        ASSERT_EQ(g_windowPos.calls.size(), 1u);
        const WindowPosCall& call = g_windowPos.calls[0];
        EXPECT_EQ(call.window, clockWindow());
        EXPECT_EQ(call.insertAfter, nullptr);
        EXPECT_EQ(call.x, x);
        EXPECT_EQ(call.y, y);
        EXPECT_EQ(call.width, width);
        EXPECT_EQ(call.height, 200);
        EXPECT_EQ(call.flags, flags);
        g_windowPos.calls.clear();
    }
};

TEST_F(AutoResizeTest, SaveAndReadSettingsFitTheStatusLabelWhenAutoResizeIsOn) {
    const Settings settings = autoResizeSettings(true);
    startFrom(settings);
    HWND window = clockWindow();
    ASSERT_EQ(widthOf(window), 200);

    // "RC Saved!": 9 characters of 5 pixels, 45, raised to 90; the file was written
    // first, and the width that follows the label is not the user's to write.
    EXPECT_TRUE(broadcastInvalidates("@Pipwick SaveSettings"));
    expectOneResize(120, 80, 90, kResizeOutside);
    EXPECT_EQ(widthOf(window), 90);
    EXPECT_EQ(heightOf(window), 200);
    EXPECT_EQ(moduleSettings(), writtenText(settings));

    // The wanted 45 still differs from the width 90: set again, repainted again.
    EXPECT_TRUE(broadcastInvalidates("@Pipwick SaveSettings"));
    expectOneResize(120, 80, 90, kResizeOutside);
    EXPECT_EQ(widthOf(window), 90);

    // "RC Reloaded!": 12 characters, 60, raised to 90; a window outside the slit
    // also goes to the position just read.
    Settings moved = withSetting(settings, "Pipwick.position.x:", "250");
    moved = withSetting(moved, "Pipwick.position.y:", "150");
    moved = withSetting(moved, "Pipwick.position.width:", "300");
    writeModuleSettings(settingsLines(moved));
    EXPECT_TRUE(broadcastInvalidates("@Pipwick ReadSettings"));
    expectOneResize(250, 150, 90, kResizeOutside);
    RECT bounds = windowBounds(window);
    EXPECT_EQ(bounds.left, 250);
    EXPECT_EQ(bounds.top, 150);
    EXPECT_EQ(widthOf(window), 90);
    EXPECT_EQ(heightOf(window), 200);
    EXPECT_TRUE(norvane::slitMessages().empty());
}

TEST_F(AutoResizeTest, SaveLeavesTheSizeAloneAndReadSettingsTakesTheFilesWhenAutoResizeIsOff) {
    const Settings settings = autoResizeSettings(false);
    startFrom(settings);
    HWND window = clockWindow();

    EXPECT_FALSE(broadcastInvalidates("@Pipwick SaveSettings"));
    EXPECT_TRUE(g_windowPos.calls.empty());
    EXPECT_EQ(widthOf(window), 200);
    EXPECT_EQ(moduleSettings(), writtenText(settings));

    writeModuleSettings(settingsLines(withSetting(settings, "Pipwick.position.width:", "300")));
    EXPECT_TRUE(broadcastInvalidates("@Pipwick ReadSettings"));
    expectOneResize(120, 80, 300, kResizeOutside);
    EXPECT_EQ(widthOf(window), 300);

    // Auto-resize read as on from the file applies at once to "RC Reloaded!".
    writeModuleSettings(settingsLines(autoResizeSettings(true)));
    EXPECT_TRUE(broadcastInvalidates("@Pipwick ReadSettings"));
    expectOneResize(120, 80, 90, kResizeOutside);
    EXPECT_EQ(widthOf(window), 90);
}

TEST_F(AutoResizeTest, LabelsSetTheWidthFromTheirLengthOutsideTheSlit) {
    startFrom(autoResizeSettings(true));
    HWND window = clockWindow();

    struct Step {
        size_t length;
        int width;  // the width the window gets
    };
    for (const Step& step : {Step{18, 90}, Step{19, 95}, Step{0, 90}, Step{40, 200}, Step{1, 90}}) {
        SCOPED_TRACE("a label of " + std::to_string(step.length) + " characters");
        EXPECT_TRUE(labelInvalidates(std::string(step.length, 'x')));
        expectOneResize(120, 80, step.width, kResizeOutside);
        EXPECT_EQ(widthOf(window), step.width);
        EXPECT_EQ(heightOf(window), 200);
        EXPECT_EQ(moduleSettings(), settingsLines(autoResizeSettings(true)))
            << "the width that follows the label was written";
    }

    // A label that asks for the width the window has changes nothing.
    labelInvalidates(std::string(19, 'y'));
    g_windowPos.calls.clear();
    ageFile(rcFile());
    const FILETIME writtenBefore = lastWriteTime(rcFile());
    EXPECT_FALSE(labelInvalidates(std::string(19, 'z')));
    EXPECT_TRUE(g_windowPos.calls.empty());
    FILETIME writtenNow = lastWriteTime(rcFile());
    EXPECT_EQ(CompareFileTime(&writtenNow, &writtenBefore), 0);

    // Outside the slit a resize also puts the window at its recorded position.
    moveClockWindow(300, 40);
    g_windowPos.calls.clear();
    EXPECT_TRUE(labelInvalidates(std::string(20, 'x')));
    expectOneResize(300, 40, 100, kResizeOutside);
    RECT bounds = windowBounds(window);
    EXPECT_EQ(bounds.left, 300);
    EXPECT_EQ(bounds.top, 40);
    EXPECT_TRUE(norvane::slitMessages().empty());
}

TEST_F(AutoResizeTest, LabelsChangeNothingUntilAutoResizeIsSwitchedOn) {
    startFrom(autoResizeSettings(false));
    HWND window = clockWindow();

    EXPECT_FALSE(labelInvalidates(std::string(19, 'x')));
    EXPECT_TRUE(g_windowPos.calls.empty());
    EXPECT_EQ(widthOf(window), 200);

    // Switching it on does not resize by itself; the next label does.
    EXPECT_FALSE(broadcastInvalidates("@Pipwick AutoResize"));
    EXPECT_TRUE(g_windowPos.calls.empty());
    EXPECT_EQ(widthOf(window), 200);
    EXPECT_TRUE(labelInvalidates(std::string(19, 'x')));
    expectOneResize(120, 80, 95, kResizeOutside);
    EXPECT_EQ(widthOf(window), 95);
}

TEST_F(AutoResizeTest, InTheSlitResizesInPlaceAndTellsTheSlit) {
    startInSlitFrom(withSetting(autoResizeSettings(true), "Pipwick.inSlit:", "true"));
    HWND window = clockWindow();
    ASSERT_EQ(GetParent(window), norvane::slitWindow());

    for (const auto& step : {std::pair<size_t, int>{19, 95}, {18, 90}, {30, 150}}) {
        SCOPED_TRACE("a label of " + std::to_string(step.first) + " characters");
        const size_t slitBefore = norvane::slitMessages().size();
        EXPECT_TRUE(labelInvalidates(std::string(step.first, 'x')));
        ASSERT_EQ(g_windowPos.calls.size(), 1u);
        const size_t slitAtResize = g_windowPos.calls[0].slitMessagesBefore;
        EXPECT_EQ(slitAtResize, slitBefore) << "the slit was told before the window was resized";
        expectOneResize(0, 0, step.second, kResizeInSlit);

        const auto& messages = norvane::slitMessages();
        ASSERT_EQ(messages.size(), slitBefore + 1);
        EXPECT_EQ(messages.back().message, HM_SLIT_UPDATE);
        EXPECT_EQ(messages.back().wParam, 0u);
        EXPECT_EQ(messages.back().lParam, 0);
        EXPECT_EQ(widthOf(window), step.second);
        EXPECT_EQ(heightOf(window), 200);
        EXPECT_EQ(GetParent(window), norvane::slitWindow());
    }
}

TEST_F(AutoResizeTest, AStoredWidthBelowTheMinimumStaysWhenTheLabelAsksForIt) {
    startFrom(withSetting(autoResizeSettings(true), "Pipwick.position.width:", "60"));
    HWND window = clockWindow();
    ASSERT_EQ(widthOf(window), 60);
    ageFile(rcFile());
    const std::string before = moduleSettings();
    const FILETIME writtenBefore = lastWriteTime(rcFile());

    // 12 characters ask for 60, the width the window has: nothing to do.
    EXPECT_FALSE(labelInvalidates("twelve chars"));
    EXPECT_TRUE(g_windowPos.calls.empty());
    EXPECT_EQ(widthOf(window), 60);
    EXPECT_EQ(moduleSettings(), before);
    FILETIME writtenNow = lastWriteTime(rcFile());
    EXPECT_EQ(CompareFileTime(&writtenNow, &writtenBefore), 0);

    // 13 ask for 65, which differs and is raised to 90.
    EXPECT_TRUE(labelInvalidates("thirteen char"));
    expectOneResize(120, 80, 90, kResizeOutside);
    EXPECT_EQ(widthOf(window), 90);
}
