// The settings file is the user's to edit while the clock runs; the clock shows only
// what the file says, and does not read its own writes back. The test gives every tick.
#include <string>
#include <tuple>
#include <vector>

#include "face_expectation.h"
#include "norvane/host_control.h"
#include "plugin_fixture.h"
#include "settings_text_support.h"
#include "test_files.h"
#include "tests/common/first_run_settings.h"
#include "window_probes.h"

namespace {

// The first start's file, with the clock moved to (300, 150) and widened to 250 by hand.
std::string handEdited() {
    std::string text = withValue(kFirstRunSettings, "Pipwick.position.x:", "300");
    text = withValue(text, "Pipwick.position.y:", "150");
    return withValue(text, "Pipwick.position.width:", "250");
}

void expectBounds(HWND window, int x, int y, int width = 250, int height = 200) {
    const RECT r = windowBounds(window);
    EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right - r.left, r.bottom - r.top}),
              (std::vector<LONG>{x, y, width, height}));
}

struct EditCase {
    const char* name;
    Settings values;
    void (*expectShown)(HWND window);
};

const EditCase kEdits[] = {
    {"Place", {{"Pipwick.position.x:", "320"}, {"Pipwick.position.y:", "170"}},
     [](HWND window) { expectBounds(window, 320, 170); }},
    {"Size", {{"Pipwick.position.width:", "180"}, {"Pipwick.position.height:", "120"}},
     [](HWND window) { expectBounds(window, 300, 150, 180, 120); }},
    {"ColoursAndDotSize",
     {{"Pipwick.size.circlesize:", "9"}, {"Pipwick.color.marked.red:", "200"},
      {"Pipwick.color.marked.green:", "30"}, {"Pipwick.color.marked.blue:", "40"}},
     [](HWND window) {
         InvalidateRect(window, nullptr, TRUE);
         UpdateWindow(window);
         expectFaceShown(WindowPixels::capture(window),
                         expectedFace(250, 200, 9, RGB(200, 30, 40), RGB(255, 255, 255), 12, 0, 0),
                         200, kSolidToolbarColour);
     }},
    {"AlwaysOnTop", {{"Pipwick.alwaysOnTop:", "false"}},
     [](HWND window) { EXPECT_EQ(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0); }},
    {"Transparency", {{"Pipwick.transparency:", "true"}, {"Pipwick.transparency.alpha:", "99"}},
     [](HWND window) {
         BYTE alpha = 0;
         EXPECT_TRUE(isLayered(window) && GetLayeredWindowAttributes(window, 0, &alpha, 0));
         EXPECT_EQ(alpha, 99);
     }},
    // The label is empty, or "RC Reloaded!": either asks for less than 90.
    {"AutoResize", {{"Pipwick.autoResize:", "true"}},
     [](HWND window) { expectBounds(window, 300, 150, 90); }},
    {"InSlit", {{"Pipwick.inSlit:", "true"}},
     [](HWND window) { EXPECT_EQ(GetParent(window), norvane::slitWindow()); }},
};

}  // namespace

class SettingsWatchTest : public PluginTest {
protected:
    // From the hand-edited file, aged so that any edit shows in its time, with a slit known.
    void startFromHandEdited() {
        g_windowSetup.holdTimers = true;
        writeStyle(kSolidToolbarStyle);
        writeModuleSettings(handEdited());
        ageFile(rcFile());
        ASSERT_EQ(startSlitPlugin(norvane::slitWindow()), 0);
        writeOpens_ = g_files.writeOpens();
    }

    void tick() { SendMessageA(clockWindow(), WM_TIMER, 1, 0); }
    // Each of these ticks shows the clock at (300, y), 250 by 200.
    void ticksShowY(int ticks, int y) {
        for (int i = 0; i < ticks; ++i)
            tick(), expectBounds(clockWindow(), 300, y);
    }

    void expectNoWrite(const std::string& file) {
        EXPECT_EQ(g_files.writeOpens(), writeOpens_);
        EXPECT_TRUE(norvane::callsTo("WriteBool").empty());
        EXPECT_EQ(moduleSettings(), file);
    }

    std::size_t writeOpens_ = 0;
};

class EditShownTest : public SettingsWatchTest,
                      public testing::WithParamInterface<std::tuple<EditCase, bool>> {};

TEST_P(EditShownTest, WithinTwoTicksOrAtOnceOnReadSettingsWithoutAWrite) {
    startFromHandEdited();
    std::string edited = handEdited();
    for (const auto& value : std::get<0>(GetParam()).values)
        edited = withValue(edited, value.first, value.second);
    writeModuleSettings(edited);
    if (std::get<1>(GetParam()))
        norvane::broadcast("@Pipwick ReadSettings");
    else
        tick(), tick();
    std::get<0>(GetParam()).expectShown(clockWindow());
    expectNoWrite(edited);
}

INSTANTIATE_TEST_SUITE_P(
    Values, EditShownTest, testing::Combine(testing::ValuesIn(kEdits), testing::Bool()),
    [](const testing::TestParamInfo<std::tuple<EditCase, bool>>& info) {
        return std::string(std::get<0>(info.param).name) +
               (std::get<1>(info.param) ? "ByReadSettings" : "ByTicks");
    });

// Every tick shows the clock as the file last said when it was whole.
TEST_F(SettingsWatchTest, EditorsSavingInStepsNeverShowDefaults) {
    startFromHandEdited();
    // Emptied, then written a tick later.
    const std::string first = withValue(handEdited(), "Pipwick.position.y:", "160");
    writeModuleSettings("");
    ticksShowY(1, 150);
    writeModuleSettings(first);
    ticksShowY(1, 150);
    ticksShowY(1, 160);

    // Written beside, the file deleted, and the new one renamed into its place.
    const std::string second = withValue(first, "Pipwick.position.y:", "170");
    writeModuleSettings(second, "Pipwick.rc.new");
    ageFile(modulePath("Pipwick.rc.new"));
    ASSERT_TRUE(DeleteFileA(rcFile().c_str()));
    ticksShowY(2, 160);
    ASSERT_TRUE(MoveFileA(modulePath("Pipwick.rc.new").c_str(), rcFile().c_str()));
    ticksShowY(1, 160);
    ticksShowY(1, 170);
    expectNoWrite(second);

    // Deleted for good: the next write makes it again, whole.
    ASSERT_TRUE(DeleteFileA(rcFile().c_str()));
    ticksShowY(2, 170);
    norvane::broadcast("@Pipwick AlwaysOnTop");
    EXPECT_EQ(moduleSettings(), withValue(second, "Pipwick.alwaysOnTop:", "false"));
}

// A toggle made meanwhile is written once the file can be read again.
TEST_F(SettingsWatchTest, AFileHeldOpenWhileItChangesShowsWhenLetGo) {
    startFromHandEdited();
    const std::string edited = withValue(handEdited(), "Pipwick.position.y:", "160");
    HANDLE held = CreateFileA(rcFile().c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(held, edited.data(), DWORD(edited.size()), &written, nullptr));
    ticksShowY(3, 150);
    norvane::broadcast("@Pipwick AlwaysOnTop");
    CloseHandle(held);
    tick();
    ticksShowY(1, 160);
    EXPECT_EQ(moduleSettings(), withValue(edited, "Pipwick.alwaysOnTop:", "false"));
}

TEST_F(SettingsWatchTest, OwnToggleAndDragAreNotReadBackButALaterEditIs) {
    startFromHandEdited();
    norvane::broadcast("@Pipwick AlwaysOnTop");
    SendMessageA(clockWindow(), WM_ENTERSIZEMOVE, 0, 0);
    moveClockWindow(330, 140);
    SendMessageA(clockWindow(), WM_EXITSIZEMOVE, 0, 0);
    norvane::clearCalls();
    tick(), tick(), tick();
    EXPECT_TRUE(norvane::callsTo("ReadInt").empty()) << "the clock's own writes were read back";

    // Another size, so that the edit shows in the file's size whatever its time.
    writeModuleSettings(withValue(moduleSettings(), "Pipwick.position.width:", "99"));
    tick(), tick();
    expectBounds(clockWindow(), 330, 140, 99);
    EXPECT_EQ(GetWindowLongA(clockWindow(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

// FAT keeps write times in 2-second steps: an edit of the same size within the step
// of the clock's own write leaves the file's time and size as they were.
TEST_F(SettingsWatchTest, ASameSizeEditWithinAFatTimeStepSurvivesAToggle) {
    redirectAll({fatTimeStepsRedirection()});
    startFromHandEdited();
    moveClockWindow(330, 140);
    const FILETIME ownWrite = lastWriteTime(rcFile());
    const std::string edited = withValue(moduleSettings(), "Pipwick.color.marked.red:", "9");
    writeModuleSettings(edited);
    setLastWriteTime(rcFile(), ownWrite);
    norvane::broadcast("@Pipwick ToggleSlit");
    EXPECT_EQ(GetParent(clockWindow()), norvane::slitWindow());
    EXPECT_EQ(moduleSettings(), withValue(edited, "Pipwick.inSlit:", "true"));
}
