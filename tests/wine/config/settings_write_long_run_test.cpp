// A long run of settings writes: ten thousand completed moves while a second thread
// keeps reading the settings file back. Every file read back is whole, GDI objects
// balance, and the process's private memory does not grow. 512 KiB of growth
// (kAllowedGrowth) is below what a leak of 59 bytes or more per move adds over the
// last 9,000 moves (531,000 bytes): such a leak fails the test.
#include <windows.h>

#include <cstdio>
#include <set>
#include <string>
#include <utility>

#include "long_run.h"
#include "settings_text_support.h"

namespace {

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
        return text == writtenText(floatingSettingsAt(x, y));
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
        if (move % 100 == 0)
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
    EXPECT_EQ(moduleSettings(), writtenText(floatingSettingsAt(333, 222)));
}
