// The tooltip: the system's tooltip control shows the time the face shows and, on a
// second line, the date in the user's long date format, once the pointer rests on the
// clock; it follows the face's seconds while it is shown, takes the focus from no
// one, and goes with the clock. Where the control cannot be made, the clock runs
// without it. In the slit, neither the tooltip, nor the window's text, nor the
// high-contrast face changes the slit's layout.
#include <string>

#include "norvane/host_control.h"
#include "plugin_fixture.h"
#include "window_probes.h"

namespace {

const char kTooltipClass[] = "tooltips_class32";
// Far from where the other tests place their clocks, since the pointer is shared by
// every program on the display.
const int kClockX = 900;
const int kClockY = 520;

// What the tooltip shows now: its window's text.
std::wstring tooltipText(HWND tooltip) {
    WCHAR text[256] = L"";
    SendMessageW(tooltip, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    return text;
}

// The long date of the day the fixed clock gives, as Russian formats write it.
const LCID kRussian = MAKELCID(MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT), SORT_DEFAULT);

std::wstring russianLongDate() {
    WCHAR date[128] = L"";
    GetDateFormatW(kRussian, DATE_LONGDATE, &g_clock.localTime, nullptr, date, 128);
    return date;
}

// Whether `upper` lies above `lower` in the stacking order.
bool above(HWND upper, HWND lower) {
    for (HWND below = upper; below != nullptr; below = GetWindow(below, GW_HWNDNEXT))
        if (below == lower) return upper != lower;
    return false;
}

}  // namespace

class TooltipTest : public PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        GetCursorPos(&pointerBefore_);
    }

    // The pointer goes back where it was, out of the way of other programs.
    void TearDown() override {
        SetCursorPos(pointerBefore_.x, pointerBefore_.y);
        PluginTest::TearDown();
    }

    // The tooltip windows of this program that are on screen.
    std::vector<HWND> shownTooltips() const {
        std::vector<HWND> shown;
        for (HWND tooltip : windowsOfClass(kTooltipClass)) {
            if (IsWindowVisible(tooltip))
                shown.push_back(tooltip);
        }
        return shown;
    }

    // Rests the pointer on the middle of the clock until a tooltip shows, or for as
    // long as the wait allows.
    HWND restPointerOnClock(DWORD waitMilliseconds = 10000) {
        const RECT bounds = windowBounds(clockWindow());
        SetCursorPos((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
        pumpUntil([this] { return !shownTooltips().empty(); }, waitMilliseconds);
        const std::vector<HWND> shown = shownTooltips();
        return shown.size() == 1 ? shown.front() : nullptr;
    }

private:
    POINT pointerBefore_ = {0, 0};
};

// A user whose formats are Russian on a Western-European system: the date shows in
// its own script. COMCTL32 comes with the first hover, and the tip with it.
TEST_F(TooltipTest, FirstHoverLoadsTheControlAndShowsTheTimeAndTheUsersDate) {
    ASSERT_EQ(GetACP(), 1252u);
    g_platform.userFormats = kRussian;
    redirectAll({userFormatsRedirection()});
    fixLocalTime(12, 34, 56);
    startFrom(floatingSettingsAt(kClockX, kClockY));
    if (HasFatalFailure())
        return;
    paintNow();
    EXPECT_EQ(GetModuleHandleA("comctl32.dll"), nullptr) << "COMCTL32 came before a hover";

    HWND tooltip = restPointerOnClock();
    ASSERT_NE(tooltip, nullptr) << "no tooltip showed";
    EXPECT_EQ(tooltipText(tooltip), L"12:34:56\r\n" + russianLongDate());
    EXPECT_EQ(GetAncestor(tooltip, GA_PARENT), GetDesktopWindow())
        << "the tooltip is a window of its own";
    EXPECT_NE(GetForegroundWindow(), tooltip);
    EXPECT_NE(GetForegroundWindow(), clockWindow());

    // The next second, as the face shows it.
    fixLocalTime(12, 34, 57);
    paintNow();
    pumpMessages(100);
    EXPECT_TRUE(IsWindowVisible(tooltip));
    EXPECT_EQ(tooltipText(tooltip), L"12:34:57\r\n" + russianLongDate());

    stopPlugin();
    EXPECT_TRUE(windowsOfClass(kTooltipClass).empty()) << "the tooltip outlived the clock";
}

TEST_F(TooltipTest, WithoutTheControlTheClockRunsAndShowsNoTooltip) {
    g_platform.missingProcedures = {"InitCommonControlsEx", "InitCommonControls"};
    fixLocalTime(8, 15, 0);
    startFrom(floatingSettingsAt(kClockX, kClockY));
    if (HasFatalFailure())
        return;
    paintNow();

    // The control shows a tip half a second after the pointer comes to rest.
    EXPECT_EQ(restPointerOnClock(2000), nullptr);
    EXPECT_TRUE(windowsOfClass(kTooltipClass).empty());
    char text[16] = "";
    GetWindowTextA(clockWindow(), text, sizeof text);
    EXPECT_STREQ(text, "08:15:00");
    stopPlugin();
    EXPECT_FALSE(running());
}

TEST_F(TooltipTest, InTheSlitTooltipTextAndContrastLeaveTheLayoutAlone) {
    fixLocalTime(7, 48, 17);
    startInSlitFrom(withSetting(floatingSettings(), "Pipwick.inSlit:", "true"));
    if (HasFatalFailure())
        return;
    redirectAll(systemColourRedirections());
    if (HasFatalFailure())
        return;
    HWND slit = norvane::slitWindow();
    ASSERT_EQ(GetParent(clockWindow()), slit);
    const RECT slitBefore = windowBounds(slit);
    const RECT clockBefore = windowBounds(clockWindow());
    const size_t slitMessagesBefore = norvane::slitMessages().size();

    g_systemColours.highContrast = true;
    g_systemColours.colours[COLOR_WINDOWTEXT] = RGB(255, 255, 255);
    g_systemColours.colours[COLOR_WINDOW] = RGB(0, 0, 0);
    paintNow();
    char text[16] = "";
    GetWindowTextA(clockWindow(), text, sizeof text);
    EXPECT_STREQ(text, "07:48:17");
    HWND tooltip = restPointerOnClock();
    ASSERT_NE(tooltip, nullptr) << "no tooltip showed in the slit";
    EXPECT_EQ(tooltipText(tooltip).substr(0, 8), L"07:48:17");

    EXPECT_EQ(GetAncestor(tooltip, GA_PARENT), GetDesktopWindow()) << "the tooltip joined the slit";
    EXPECT_EQ(norvane::slitChildren(), std::vector<HWND>{clockWindow()});
    EXPECT_EQ(norvane::slitMessages().size(), slitMessagesBefore);
    EXPECT_TRUE(sameRect(windowBounds(slit), slitBefore));
    EXPECT_TRUE(sameRect(windowBounds(clockWindow()), clockBefore));
}

// From the first start, where Always On Top is on, with the tip shown: off, then on
// again, and the tip still shows above the clock.
TEST_F(TooltipTest, AlwaysOnTopTurnsOffAndOnAgainWithTheTipShown) {
    ASSERT_EQ(startPlugin(), 0);
    moveClockWindow(kClockX, kClockY);
    paintNow();
    ASSERT_NE(restPointerOnClock(), nullptr) << "no tooltip showed";
    for (bool onTop : {false, true}) {
        norvane::broadcast("@Pipwick AlwaysOnTop");
        pumpMessages();
        EXPECT_EQ((GetWindowLongA(clockWindow(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, onTop);
    }
    HWND tooltip = restPointerOnClock();
    ASSERT_NE(tooltip, nullptr) << "no tooltip showed after the toggles";
    EXPECT_TRUE(above(tooltip, clockWindow()));
}
