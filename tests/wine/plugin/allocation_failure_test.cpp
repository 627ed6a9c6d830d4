// Memory that runs out at start-up: the plug-in's own allocations answered with null
// through its heap imports. A start that cannot get its record fails cleanly; one
// that cannot get its style item runs on with a plain background.
#include <windows.h>

#include <string>

#include "host/norvane_api.h"
#include "norvane/host_control.h"
#include "plugin_fixture.h"
#include "redirections.h"
#include "settings_text_support.h"

class AllocationFailureTest : public PluginTest {
protected:
    // Runs the paint the window has pending, if any: the queue yields it at once.
    bool paintedOnce() {
        pumpMessages(0);
        return !norvane::callsTo("MakeGradient").empty();
    }
};

// The record is the start's first allocation.
TEST_F(AllocationFailureTest, NoRecordFailsTheStartAndLeavesNothing) {
    writeModuleSettings(settingsLines(floatingSettings()));
    const std::size_t blocksBefore = g_heap.liveBlocks.size();
    g_heap.failMallocCall = g_heap.mallocCalls + 1;

    EXPECT_EQ(startPlugin(), 1);
    EXPECT_EQ(g_heap.failedMallocs, 1);
    EXPECT_TRUE(windowsOfClass("Pipwick").empty());
    EXPECT_FALSE(pipwickClassRegistered());
    EXPECT_EQ(g_heap.liveBlocks.size(), blocksBefore);
    EXPECT_TRUE(norvane::windowsRegisteredFor(HM_BROADCAST).empty());
    stopPlugin();  // finds nothing to stop

    // With memory back, the next start works.
    g_heap.failMallocCall = 0;
    ASSERT_EQ(startPlugin(), 0);
    EXPECT_NE(clockWindow(), nullptr);
}

TEST_F(AllocationFailureTest, NoStyleItemPaintsAPlainBackgroundAndStopsCleanly) {
    writeModuleSettings(settingsLines(floatingSettings()));
    const std::size_t blocksBefore = g_heap.liveBlocks.size();
    g_heap.failMallocOfSize = sizeof(StyleItem);

    ASSERT_EQ(startPlugin(), 0);
    ASSERT_NE(clockWindow(), nullptr);
    EXPECT_GE(g_heap.failedMallocs, 1);
    EXPECT_EQ(g_heap.liveBlocksOfSize(sizeof(StyleItem)), 0);
    EXPECT_TRUE(norvane::callsTo("ParseItem").empty()) << "the host was handed no item";
    ASSERT_TRUE(paintedOnce()) << "the clock never painted";

    // The fallback background: a vertical gradient, not interlaced, flat.
    const norvane::HostCall gradient = norvane::callsTo("MakeGradient").back();
    ASSERT_EQ(gradient.arguments.size(), 11u);
    EXPECT_EQ(gradient.arguments[2], std::to_string(GRADIENT_VERTICAL));
    EXPECT_EQ(gradient.arguments[5], boolText(false));
    EXPECT_EQ(gradient.arguments[6], "0");
    EXPECT_EQ(gradient.arguments[7], "1");

    // A style change with memory back takes the item again.
    g_heap.failMallocOfSize = 0;
    norvane::reconfigure();
    EXPECT_EQ(g_heap.liveBlocksOfSize(sizeof(StyleItem)), 1);
    EXPECT_EQ(norvane::callsTo("ParseItem").size(), 1u);

    stopPlugin();
    EXPECT_EQ(g_heap.liveBlocks.size(), blocksBefore) << "the stop left heap blocks";
    EXPECT_TRUE(windowsOfClass("Pipwick").empty());
}
