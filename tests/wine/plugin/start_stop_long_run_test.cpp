// A long run of starts and stops: two hundred in one load of the module, in and out
// of the slit, with the menu built and the style reconfigured along the way. Nothing
// is left behind: no window, class, menu, slit entry, registration, heap block or GDI
// object.
#include <string>

#include "host/norvane_api.h"
#include "long_run.h"
#include "norvane/host_control.h"

TEST_F(LongRunTest, TwoHundredStartsAndStopsLeaveNothingBehind) {
    const size_t blocksBefore = g_heap.liveBlocks.size();
    for (int cycle = 0; cycle < 200; ++cycle) {
        SCOPED_TRACE("cycle " + std::to_string(cycle));
        const bool inSlit = cycle % 2 == 1;
        writeModuleSettings(
            settingsLines(withSetting(floatingSettings(), "Pipwick.inSlit:", inSlit ? "true" : "false")));
        ASSERT_EQ(inSlit ? startSlitPlugin(norvane::slitWindow()) : startPlugin(), 0);
        HWND window = clockWindow();
        ASSERT_NE(window, nullptr);
        ASSERT_EQ(norvane::slitChildren().size(), inSlit ? 1u : 0u);
        SendMessageA(window, WM_RBUTTONUP, 0, 0);
        ASSERT_GT(norvane::liveMenuCount(), 0) << "the menu was not built";
        if (cycle % 3 == 0)
            norvane::reconfigure();
        pumpMessages(0);
        if (inSlit)
            norvane::broadcast("@Pipwick ToggleSlit");  // out again, then back in below
        if (inSlit)
            norvane::broadcast("@Pipwick ToggleSlit");
        stopPlugin();

        ASSERT_FALSE(IsWindow(window));
        ASSERT_TRUE(windowsOfClass("Pipwick").empty());
        ASSERT_FALSE(pipwickClassRegistered());
        ASSERT_EQ(norvane::liveMenuCount(), 0);
        ASSERT_TRUE(norvane::slitChildren().empty());
        ASSERT_TRUE(norvane::stickyWindows().empty());
        for (UINT message : {HM_RECONFIGURE, HM_SET_LABEL, HM_BROADCAST})
            ASSERT_TRUE(norvane::windowsRegisteredFor(message).empty());
        ASSERT_EQ(g_heap.liveBlocksOfSize(sizeof(StyleItem)), 0) << "a style item was kept";
        ASSERT_EQ(g_heap.liveBlocks.size(), blocksBefore) << "heap blocks were kept";
        ASSERT_TRUE(g_gdi.liveObjects.empty());
        forgetRecords();
    }
    // Every timer ran on a window that is gone, and went with it.
    ASSERT_EQ(g_windowSetup.timers.size(), 200u);
    for (const TimerStart& timer : g_windowSetup.timers) {
        EXPECT_NE(timer.result, 0u);
        EXPECT_FALSE(IsWindow(timer.window));
    }
}
