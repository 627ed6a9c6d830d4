// The ways a start can fail (the class cannot be registered, the window cannot be
// created, the update timer cannot be started, no memory for the record): each
// returns 1, leaves nothing behind, and a later start works; the first three also
// report themselves.
#include <algorithm>

#include "host/norvane_api.h"
#include "norvane/host_control.h"
#include "plugin_fixture.h"

namespace {

const char kTimerLogLine[] = "Could not create Pipwick update timer";

enum class Failure { RegisterClass, CreateWindow, SetTimer };

struct FailureCase {
    const char* name;
    Failure failure;
    const char* text;
    const char* caption;
    bool ownedByHost;
    bool logged;
};

void requestFailure(Failure failure, bool fail) {
    switch (failure) {
    case Failure::RegisterClass:
        g_windowSetup.failRegisterClass = fail;
        break;
    case Failure::CreateWindow:
        g_windowSetup.failCreateWindow = fail;
        break;
    case Failure::SetTimer:
        g_windowSetup.failSetTimer = fail;
        break;
    }
}

std::vector<HWND> createdClockWindows() {
    std::vector<HWND> windows;
    for (const WindowCreation& creation : g_windowSetup.creations) {
        if (creation.className == "Pipwick" && creation.result != nullptr)
            windows.push_back(creation.result);
    }
    return windows;
}

}  // namespace

class StartupFailureTest : public PluginTest {
protected:
    void expectNothingLeftBehind() {
        EXPECT_TRUE(windowsOfClass("Pipwick").empty());
        for (HWND window : createdClockWindows()) {
            EXPECT_FALSE(IsWindow(window)) << "the clock window still exists";
        }
        EXPECT_FALSE(pipwickClassRegistered());
        EXPECT_EQ(g_heap.liveBlocksOfSize(sizeof(StyleItem)), 0) << "the style item was not freed";
        EXPECT_EQ(g_heap.liveBlocks.size(), blocksBeforeStart_) << "the start leaked heap blocks";
        EXPECT_EQ(norvane::liveMenuCount(), 0);
        EXPECT_TRUE(norvane::slitChildren().empty());
        EXPECT_TRUE(norvane::stickyWindows().empty());
        for (UINT message : {HM_RECONFIGURE, HM_SET_LABEL, HM_BROADCAST}) {
            EXPECT_TRUE(norvane::windowsRegisteredFor(message).empty())
                << "the host still delivers message " << message << " to a dead window";
        }
    }

    void noteHeapBeforeStart() { blocksBeforeStart_ = g_heap.liveBlocks.size(); }

private:
    size_t blocksBeforeStart_ = 0;
};

class EachStartupFailureTest : public StartupFailureTest,
                               public testing::WithParamInterface<FailureCase> {};

TEST_P(EachStartupFailureTest, ReportsReturnsOneAndLeavesNothingBehind) {
    const FailureCase& failure = GetParam();
    writeModuleSettings(settingsLines(floatingSettings()));
    noteHeapBeforeStart();
    requestFailure(failure.failure, true);

    EXPECT_EQ(startPlugin(), 1);

    ASSERT_EQ(g_messageBoxes.calls.size(), 1u);
    const MessageBoxCall& box = g_messageBoxes.calls[0];
    EXPECT_EQ(box.text, failure.text);
    EXPECT_EQ(box.caption, failure.caption);
    EXPECT_EQ(box.style, static_cast<UINT>(MB_OK | MB_ICONERROR | MB_TOPMOST));
    EXPECT_EQ(box.owner, failure.ownedByHost ? norvane::hostWindow() : nullptr);

    std::string log = hostLog();
    EXPECT_EQ(log.find(kTimerLogLine) != std::string::npos, failure.logged) << log;
    auto logCalls = norvane::callsTo("Log");
    if (failure.logged) {
        ASSERT_EQ(logCalls.size(), 1u);
        EXPECT_EQ(logCalls[0].arguments, (std::vector<std::string>{kTimerLogLine, "(null)"}));
    } else {
        EXPECT_TRUE(logCalls.empty());
    }

    expectNothingLeftBehind();

    // endPlugin after the failed start has nothing to act on.
    size_t hostMessages = norvane::hostMessages().size();
    size_t slitMessages = norvane::slitMessages().size();
    stopPlugin();
    EXPECT_EQ(norvane::hostMessages().size(), hostMessages);
    EXPECT_EQ(norvane::slitMessages().size(), slitMessages);
    EXPECT_EQ(g_messageBoxes.calls.size(), 1u);

    requestFailure(failure.failure, false);
    ASSERT_EQ(startPlugin(), 0);
    HWND window = clockWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(pipwickClassRegistered());
    EXPECT_EQ(g_heap.liveBlocksOfSize(sizeof(StyleItem)), 1);
    EXPECT_EQ(g_messageBoxes.calls.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, EachStartupFailureTest,
    testing::Values(FailureCase{"ClassRegistration", Failure::RegisterClass,
                                "Error registering window class", "Pipwick 0.0.1", true, false},
                    FailureCase{"WindowCreation", Failure::CreateWindow,
                                "Error creating window", "Pipwick 0.0.1", false, false},
                    FailureCase{"UpdateTimer", Failure::SetTimer,
                                "Error creating update timer", "Pipwick", false, true}),
    [](const testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST_F(StartupFailureTest, TimerFailureInTheSlitGivesTheWindowBackToTheSlit) {
    writeModuleSettings(settingsLines(withSetting(floatingSettings(), "Pipwick.inSlit:", "true")));
    noteHeapBeforeStart();
    g_windowSetup.failSetTimer = true;

    EXPECT_EQ(startSlitPlugin(norvane::slitWindow()), 1);

    std::vector<HWND> created = createdClockWindows();
    ASSERT_EQ(created.size(), 1u);
    LPARAM window = reinterpret_cast<LPARAM>(created[0]);
    const auto& slit = norvane::slitMessages();
    auto added = std::find_if(slit.begin(), slit.end(), [window](const norvane::HostMessage& sent) {
        return sent.message == HM_SLIT_ADD && sent.lParam == window;
    });
    ASSERT_NE(added, slit.end()) << "the window never joined the slit";
    auto removed = std::find_if(added, slit.end(), [window](const norvane::HostMessage& sent) {
        return sent.message == HM_SLIT_REMOVE && sent.lParam == window;
    });
    EXPECT_NE(removed, slit.end()) << "the slit was not told to give the window back";
    ASSERT_EQ(g_messageBoxes.calls.size(), 1u);
    EXPECT_EQ(g_messageBoxes.calls[0].text, "Error creating update timer");
    expectNothingLeftBehind();
}

// Memory that runs out at start-up, the plug-in's own allocations answered with null
// through its heap imports. The record is the start's first allocation.
TEST_F(StartupFailureTest, NoRecordFailsTheStartAndLeavesNothing) {
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
