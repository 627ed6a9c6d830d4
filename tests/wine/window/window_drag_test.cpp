// A drag of the clock window, from WM_ENTERSIZEMOVE to WM_EXITSIZEMOVE, writes the
// settings file once, at its end, with the last place: the whole text to a temporary
// file, flushed to the disk, closed, and then renamed over the file. An end of the
// plug-in during the drag writes the last place too, and moves outside a drag are
// written at once. A drag that ends where it began writes nothing, and the write
// changes the place alone: the other lines stay as they are on disk.
#include <string>
#include <vector>

#include "redirections.h"
#include "plugin_fixture.h"
#include "settings_text_support.h"
#include "test_files.h"

namespace {

enum class DragEnd { Released, PluginEnded };

struct DragCase {
    const char* name;
    DragEnd end;
};

constexpr int kSteps = 30;

// The file read again as it stands, for its values and for its lines, then the new
// text written.
const std::vector<std::string> kOneWrite = {
    "CreateFileA Pipwick.rc",      "CloseHandle Pipwick.rc",
    "CreateFileA Pipwick.rc",      "CloseHandle Pipwick.rc",
    "CreateFileA Pipwick.r~",      "WriteFile Pipwick.r~",
    "FlushFileBuffers Pipwick.r~", "CloseHandle Pipwick.r~",
    "MoveFileExA Pipwick.r~ Pipwick.rc",
};

}  // namespace

class WindowDragTest : public PluginTest, public testing::WithParamInterface<DragCase> {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        if (HasFatalFailure())
            return;
        recordFileCalls();
    }
};

TEST_P(WindowDragTest, WritesOnceAtItsEndWithTheLastPlaceFlushedBeforeTheRename) {
    startFrom(floatingSettings());
    g_fileCalls.calls.clear();
    const HWND clock = clockWindow();
    SendMessageA(clock, WM_ENTERSIZEMOVE, 0, 0);
    for (int step = 1; step <= kSteps; ++step)
        moveClockWindow(120 + 5 * step, 80 + 3 * step);
    EXPECT_EQ(g_fileCalls.count("MoveFileExA Pipwick.r~ Pipwick.rc"), 0)
        << "the file was written during the drag";
    g_fileCalls.calls.clear();

    if (GetParam().end == DragEnd::Released)
        SendMessageA(clock, WM_EXITSIZEMOVE, 0, 0);
    else
        stopPlugin();
    EXPECT_EQ(g_fileCalls.calls, kOneWrite);
    EXPECT_EQ(moduleSettings(), writtenText(floatingSettingsAt(120 + 5 * kSteps, 80 + 3 * kSteps)));
    EXPECT_EQ(filesIn(moduleDirectory()), (std::vector<std::string>{"Pipwick.dll", "Pipwick.rc"}));

    if (GetParam().end == DragEnd::Released) {
        g_fileCalls.calls.clear();
        moveClockWindow(40, 50);
        // The file is as the clock wrote it: its values are not read again.
        const std::vector<std::string> overOwnText(kOneWrite.begin() + 2, kOneWrite.end());
        EXPECT_EQ(g_fileCalls.calls, overOwnText) << "a move after the drag waits";
        EXPECT_EQ(moduleSettings(), writtenText(floatingSettingsAt(40, 50)));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ends, WindowDragTest,
    testing::Values(DragCase{"Released", DragEnd::Released},
                    DragCase{"PluginEnded", DragEnd::PluginEnded}),
    [](const testing::TestParamInfo<DragCase>& info) { return std::string(info.param.name); });

class WindowDragEditTest : public PluginTest {};

TEST_F(WindowDragEditTest, TheWriteKeepsAHandEditAndADragBackWritesNothing) {
    startFrom(floatingSettings());
    recordFileCalls();
    std::string edited = withValue(moduleSettings(), "Pipwick.color.unmarked.red:", "12");
    edited = withValue(edited, "Pipwick.color.marked.blue:", "250");
    writeModuleSettings(edited);
    const HWND clock = clockWindow();
    SendMessageA(clock, WM_ENTERSIZEMOVE, 0, 0);
    moveClockWindow(200, 90);
    moveClockWindow(260, 100);
    SendMessageA(clock, WM_EXITSIZEMOVE, 0, 0);
    Settings expected = withSetting(floatingSettingsAt(260, 100), "Pipwick.color.unmarked.red:", "12");
    expected = withSetting(expected, "Pipwick.color.marked.blue:", "250");
    EXPECT_EQ(moduleSettings(), writtenText(expected));

    g_fileCalls.calls.clear();
    SendMessageA(clock, WM_ENTERSIZEMOVE, 0, 0);
    moveClockWindow(20, 30);
    moveClockWindow(260, 100);
    SendMessageA(clock, WM_EXITSIZEMOVE, 0, 0);
    EXPECT_EQ(g_fileCalls.calls, std::vector<std::string>{});
    EXPECT_EQ(moduleSettings(), writtenText(expected));
}
