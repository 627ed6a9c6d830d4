// Long runs: a hundred thousand paints, ten thousand completed moves while a second
// thread keeps reading the settings file back, and two hundred starts and stops in
// one load of the module. GDI objects balance exactly, the process's private memory
// does not grow, every file read back is whole, and nothing is left behind.
#include <windows.h>

#include <cstdio>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "host/norvane_api.h"
#include "norvane/host_control.h"
#include "plugin_fixture.h"
#include "settings_text_support.h"

namespace {

// Committed private memory of the process, from a walk over its address space: what
// a leak on any heap, the plug-in's, the runtime's or the system's, makes grow.
SIZE_T privateBytes() {
    SIZE_T total = 0;
    MEMORY_BASIC_INFORMATION region;
    const char* address = nullptr;
    while (VirtualQuery(address, &region, sizeof region) == sizeof region) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            total += region.RegionSize;
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= address)
            break;
        address = next;
    }
    return total;
}

// Growth allowed between the measurement after the first thousand rounds and the one
// at the end. Heaps grow by whole pages and keep a few for reuse, and the system's
// own caches settle within the first thousand rounds, so some pages may still come
// and go. 512 KiB is below what a leak of 6 bytes or more per paint adds over the
// last 99,000 paints (594,000 bytes), and below what a leak of 59 bytes or more per
// move adds over the last 9,000 moves (531,000 bytes); either fails the test.
const SIZE_T kAllowedGrowth = 512 * 1024;

Settings movedTo(int x, int y) {
    Settings settings = withSetting(floatingSettings(), "Pipwick.position.x:", std::to_string(x));
    return withSetting(settings, "Pipwick.position.y:", std::to_string(y));
}

// The i-th position of the moves: never the same twice in a row, always on screen.
std::pair<int, int> positionOfMove(int i) {
    return {20 + (i * 7) % 600, 20 + (i * 13) % 400};
}

// A second thread that reads the settings file back again and again until it is told
// to stop, and checks each read: the whole file as the writer writes it, for one of
// the positions the moves go through. The moves wait for its reads at fixed points,
// so that how many reads fall among them does not depend on the scheduler.
class SettingsReader {
public:
    SettingsReader(std::string path, std::set<std::pair<int, int>> positions)
        : path_(std::move(path)), positions_(std::move(positions)) {
        thread_ = CreateThread(nullptr, 0, run, this, 0, nullptr);
    }
    ~SettingsReader() { stop(); }

    bool started() const { return thread_ != nullptr; }
    // Asks the thread to stop and waits for it, for as long as it takes (ctest's limit
    // guards against a hang); true when it has ended.
    bool stop() {
        if (thread_ == nullptr)
            return true;
        InterlockedExchange(&stopRequested_, 1);
        const bool ended = WaitForSingleObject(thread_, INFINITE) == WAIT_OBJECT_0;
        CloseHandle(thread_);
        thread_ = nullptr;
        return ended;
    }

    // Waits until the thread has tried one more read than it had on the call.
    void awaitNextRead() const {
        const LONG seen = attempts();
        while (attempts() == seen)
            Sleep(1);
    }

    long reads() const { return reads_; }
    long failedOpens() const { return failedOpens_; }
    long badReads() const { return badReads_; }
    const std::string& firstBadRead() const { return firstBadRead_; }

private:
    static DWORD WINAPI run(void* parameter) {
        static_cast<SettingsReader*>(parameter)->readUntilStopped();
        return 0;
    }

    LONG attempts() const { return InterlockedCompareExchange(&attempts_, 0, 0); }

    void readUntilStopped() {
        while (InterlockedCompareExchange(&stopRequested_, 0, 0) == 0) {
            std::string text;
            if (!readOnce(&text)) {
                ++failedOpens_;
            } else {
                ++reads_;
                if (!isWrittenFile(text)) {
                    if (badReads_ == 0)
                        firstBadRead_ = text;
                    ++badReads_;
                }
            }
            InterlockedIncrement(&attempts_);
            Sleep(1);
        }
    }

    // Opens the file as the host's reader does, letting others read, write and
    // replace it meanwhile.
    bool readOnce(std::string* text) {
        HANDLE file = CreateFileA(path_.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
            text->append(buffer, got);
        CloseHandle(file);
        return true;
    }

    bool isWrittenFile(const std::string& text) const {
        int x = 0;
        int y = 0;
        if (std::sscanf(text.c_str(), "Pipwick.position.x: %d\nPipwick.position.y: %d\n", &x, &y) != 2)
            return false;
        if (positions_.count({x, y}) == 0)
            return false;
        return text == writtenText(movedTo(x, y));
    }

    std::string path_;
    std::set<std::pair<int, int>> positions_;
    HANDLE thread_ = nullptr;
    volatile LONG stopRequested_ = 0;
    mutable volatile LONG attempts_ = 0;
    long reads_ = 0;
    long failedOpens_ = 0;
    long badReads_ = 0;
    std::string firstBadRead_;
};

}  // namespace

class LongRunTest : public PluginTest {
protected:
    // What the test's own records keep grows with every round: cleared as it goes.
    void forgetRecords() {
        norvane::clearCalls();
        g_files.opens.clear();
        g_heap.freedSizes.clear();
    }

    void expectGdiBalanced() {
        EXPECT_EQ(g_gdi.contextsCreated, g_gdi.contextsDeleted);
        EXPECT_EQ(g_gdi.bitmapsCreated, g_gdi.objectsDeleted);
        EXPECT_TRUE(g_gdi.liveObjects.empty());
    }
};

TEST_F(LongRunTest, HundredThousandPaintsBalanceAndDoNotGrow) {
    fixLocalTime(23, 59, 59);
    // A small face on a solid toolbar: the host computes every background pixel, and
    // a paint of the usual 200 by 200 gradient takes several times as long without
    // testing anything more.
    writeStyle("toolbar: Flat Solid\ntoolbar.color: #3c5a78\n");
    Settings settings = withSetting(floatingSettings(), "Pipwick.position.width:", "60");
    startFrom(withSetting(settings, "Pipwick.position.height:", "30"));
    HWND window = clockWindow();
    SIZE_T afterThousand = 0;
    const int contextsBefore = g_gdi.contextsCreated;
    for (int paint = 1; paint <= 100000; ++paint) {
        paintNow();
        if (paint % 1000 == 0) {
            pumpMessages(0);
            forgetRecords();
            ASSERT_TRUE(g_gdi.liveObjects.empty()) << "after paint " << paint;
        }
        if (paint == 1000)
            afterThousand = privateBytes();
    }
    const SIZE_T atEnd = privateBytes();
    EXPECT_GE(g_gdi.contextsCreated - contextsBefore, 100000);
    expectGdiBalanced();
    EXPECT_LE(atEnd, afterThousand + kAllowedGrowth)
        << "private memory grew from " << afterThousand << " to " << atEnd << " bytes";
    EXPECT_FALSE(GetUpdateRect(window, nullptr, FALSE));
}

TEST_F(LongRunTest, TenThousandMovesKeepEveryReadFileWhole) {
    startFrom(floatingSettings());
    moveClockWindow(positionOfMove(0).first, positionOfMove(0).second);
    std::set<std::pair<int, int>> positions;
    for (int i = 0; i <= 10000; ++i)
        positions.insert(positionOfMove(i));
    SettingsReader reader(modulePath("Pipwick.rc"), positions);
    ASSERT_TRUE(reader.started());

    SIZE_T afterThousand = 0;
    for (int move = 1; move <= 10000; ++move) {
        const std::pair<int, int> position = positionOfMove(move);
        moveClockWindow(position.first, position.second);
        if (move % 50 == 0)
            reader.awaitNextRead();
        if (move % 100 == 0)
            pumpMessages(0);
        if (move % 1000 == 0)
            forgetRecords();
        if (move == 1000)
            afterThousand = privateBytes();
    }
    const SIZE_T atEnd = privateBytes();
    ASSERT_TRUE(reader.stop()) << "the reading thread did not end";
    EXPECT_GE(reader.reads(), 200) << "too few reads to prove anything";
    EXPECT_EQ(reader.failedOpens(), 0) << "the settings file was missing at times";
    EXPECT_EQ(reader.badReads(), 0) << "a read found an incomplete file:\n" << reader.firstBadRead();
    EXPECT_LE(atEnd, afterThousand + kAllowedGrowth)
        << "private memory grew from " << afterThousand << " to " << atEnd << " bytes";
    expectGdiBalanced();

    // With nobody reading, the next move is written for certain.
    moveClockWindow(333, 222);
    EXPECT_EQ(moduleSettings(), writtenText(movedTo(333, 222)));
}

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
