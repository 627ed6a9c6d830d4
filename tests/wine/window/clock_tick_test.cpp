// Timer 1 as the window system delivers it: late or early on every period, refused
// when it is set again, and the clock set back or forward or the time zone changed
// between two ticks, which the next paint shows. The test is both the system's clock
// and the timer: GetLocalTime answers a clock that the test moves on, SetTimer only
// records the period asked for, and each tick is delivered once the clock has moved
// on by that period and the lateness, so an hour of ticks runs in moments.
#include <algorithm>
#include <string>
#include <vector>

#include "face_expectation.h"
#include "pixels.h"
#include "plugin_fixture.h"

namespace {

// Local times in milliseconds since 1601, the system's own count.
using Milliseconds = long long;
constexpr Milliseconds kSecond = 1000;
constexpr Milliseconds kMinute = 60 * kSecond;
constexpr Milliseconds kHour = 60 * kMinute;
constexpr UINT_PTR kUpdateTimer = 1;

Milliseconds millisecondsOf(const SYSTEMTIME& time) {
    FILETIME file;
    SystemTimeToFileTime(&time, &file);
    ULARGE_INTEGER ticks;
    ticks.LowPart = file.dwLowDateTime;
    ticks.HighPart = file.dwHighDateTime;
    return static_cast<Milliseconds>(ticks.QuadPart / 10000);
}

SYSTEMTIME timeAt(Milliseconds milliseconds) {
    ULARGE_INTEGER ticks;
    ticks.QuadPart = static_cast<ULONGLONG>(milliseconds) * 10000;
    const FILETIME file = {ticks.LowPart, ticks.HighPart};
    SYSTEMTIME time;
    FileTimeToSystemTime(&file, &time);
    return time;
}

// 10:00:00.437 on 1 June 2024: the clock starts in the middle of a second.
const Milliseconds kStart = millisecondsOf(SYSTEMTIME{2024, 6, 6, 1, 10, 0, 0, 437});

const COLORREF kBackground = RGB(0x3c, 0x5a, 0x78);
const char kSolidStyle[] = "toolbar: Flat Solid\ntoolbar.color: #3c5a78\n"
                           "toolbar.colorTo: #3c5a78\nbevelWidth: 0\nborderWidth: 0\n";

// What the ticks of a run showed: of every second, whether it was skipped, shown by
// more than one tick, and how long after its start its first paint came.
struct Flips {
    int skipped = 0;
    int twice = 0;
    Milliseconds latest = 0;

    std::string text() const {
        return std::to_string(skipped) + " skipped, " + std::to_string(twice) +
               " shown twice, the latest " + std::to_string(latest) + " ms after its start";
    }
};

// `shown` holds the local time of every paint, the first the start's own. Each paint
// should show the second after the one before; the paint at `setAt` comes after the
// clock was set by `setBy` whole seconds. Every second begun a second before `end`
// should have been shown.
Flips flipsOf(const std::vector<Milliseconds>& shown, Milliseconds end, size_t setAt = 0,
              Milliseconds setBy = 0) {
    Flips flips;
    for (size_t paint = 1; paint < shown.size(); ++paint) {
        Milliseconds step = shown[paint] / kSecond - shown[paint - 1] / kSecond;
        if (paint == setAt)
            step -= setBy / kSecond;
        if (step <= 0)
            ++flips.twice;
        else
            flips.skipped += static_cast<int>(step - 1);
        flips.latest = std::max(flips.latest, shown[paint] % kSecond);
    }
    if (!shown.empty())
        flips.skipped += static_cast<int>(std::max<Milliseconds>(
            0, (end - kSecond) / kSecond - shown.back() / kSecond));
    return flips;
}

}  // namespace

class ClockTickTest : public PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        if (HasFatalFailure())
            return;
        writeStyle(kSolidStyle);
        g_windowSetup.holdTimers = true;
    }

    // A small face, so that an hour of paints takes little time.
    void startAt(Milliseconds local) {
        offset_ = local;
        setClock(0);
        auto settings = withSetting(floatingSettings(), "Pipwick.position.width:", "100");
        startFrom(withSetting(settings, "Pipwick.position.height:", "60"));
        if (HasFatalFailure())
            return;
        period_ = periodArmedSince(0, 0);
        ASSERT_GT(period_, 0) << "the start armed no timer";
        shown_ = {local};
    }

    // The clock is set, or the time zone changes: local time moves, the timer's does not.
    void setClockBy(Milliseconds shift) {
        offset_ += shift;
        g_clock.localTime = timeAt(localTime());
    }
    Milliseconds localTime() const { return offset_ + timerTime_; }
    // Local time at the end of the runs so far.
    Milliseconds localEnd() const { return offset_ + runEnd_; }

    // The tick of timer 1 comes `lateness` after the period it was last armed for, no
    // sooner than the moment after; then the paint it asks for runs.
    void nextTick(Milliseconds lateness) {
        setClock(timerTime_ + std::max<Milliseconds>(1, period_ + lateness));
        const size_t starts = g_windowSetup.timers.size();
        const size_t stops = g_windowSetup.timerStops.size();
        HWND window = clockWindow();
        SendMessageA(window, WM_TIMER, kUpdateTimer, 0);
        ++ticks_;
        if (GetUpdateRect(window, nullptr, FALSE)) {
            const int clockReadings = g_clock.calls;
            UpdateWindow(window);
            if (g_clock.calls > clockReadings)
                shown_.push_back(localTime());
        }
        period_ = periodArmedSince(starts, stops);
    }

    // Runs the timer for `length` more of its time, every tick `lateness` late, or
    // until the clock has no timer left.
    void runFor(Milliseconds length, Milliseconds lateness) {
        runEnd_ += length;
        while (period_ > 0 && timerTime_ + std::max<Milliseconds>(1, period_ + lateness) <= runEnd_)
            nextTick(lateness);
    }

    // The timer the clock has after these records: the last one armed, or the one it
    // had; none once it was stopped.
    Milliseconds periodArmedSince(size_t starts, size_t stops) const {
        const auto& timers = g_windowSetup.timers;
        for (size_t start = timers.size(); start > starts; --start) {
            const TimerStart& timer = timers[start - 1];
            if (timer.id == kUpdateTimer && timer.result != 0)
                return timer.period;
        }
        const auto& stopped = g_windowSetup.timerStops;
        for (size_t stop = stops; stop < stopped.size(); ++stop) {
            if (stopped[stop].id == kUpdateTimer)
                return 0;
        }
        return period_;
    }

    void expectFaceShows(Milliseconds local) {
        const SYSTEMTIME time = timeAt(local);
        const WindowPixels pixels = WindowPixels::capture(clockWindow());
        ASSERT_TRUE(pixels.valid());
        expectFaceShown(pixels,
                        expectedFace(100, 60, 4, RGB(0, 0, 0), RGB(255, 255, 255), time.wHour,
                                     time.wMinute, time.wSecond),
                        60, kBackground);
    }

    std::vector<Milliseconds> shown_;
    Milliseconds period_ = 0;
    size_t ticks_ = 0;

private:
    void setClock(Milliseconds timerTime) {
        timerTime_ = timerTime;
        g_clock.localTime = timeAt(localTime());
    }

    Milliseconds offset_ = 0;
    Milliseconds timerTime_ = 0;  // of the last tick, or of the start
    Milliseconds runEnd_ = 0;
};

struct TickCase {
    const char* name;
    Milliseconds lateness;  // negative: early
    Milliseconds setAt;     // how far into the hour the clock is set
    Milliseconds setBy;
};

class ClockHourTest : public ClockTickTest, public testing::WithParamInterface<TickCase> {};

TEST_P(ClockHourTest, ShowsEverySecondOnceSoonAfterItBegins) {
    const TickCase& run = GetParam();
    startAt(kStart);
    if (HasFatalFailure())
        return;
    runFor(run.setAt, run.lateness);
    setClockBy(run.setBy);
    const size_t firstAfterSet = shown_.size();
    runFor(kHour - run.setAt, run.lateness);

    const Flips flips = flipsOf(shown_, localEnd(), firstAfterSet, run.setBy);
    EXPECT_EQ(flips.skipped, 0) << flips.text();
    EXPECT_EQ(flips.twice, 0) << flips.text();
    EXPECT_LE(flips.latest, 50) << flips.text();
    expectFaceShows(shown_.back());
}

INSTANTIATE_TEST_SUITE_P(
    Ticks, ClockHourTest,
    testing::Values(TickCase{"Late16", 16, 0, 0}, TickCase{"Late40", 40, 0, 0},
                    TickCase{"Early10", -10, 0, 0},
                    TickCase{"Late16_SetBackAMinute", 16, 20 * kMinute + 300, -kMinute},
                    TickCase{"Late16_SetForwardAnHour", 16, 40 * kMinute + 700, kHour},
                    TickCase{"Late16_TimeZoneFromUtcToUtcPlus0530", 16, 30 * kMinute + 500,
                             5 * kHour + 30 * kMinute}),
    [](const testing::TestParamInfo<TickCase>& info) { return std::string(info.param.name); });

// At start-up and at every tick, timer 1 of the clock window is armed for what is left
// of the second read, and the same small margin past it.
TEST_F(ClockTickTest, EachArmingAsksForTheRestOfTheSecondAndOneMargin) {
    startAt(kStart);
    if (HasFatalFailure())
        return;
    std::vector<Milliseconds> readings = {kStart % kSecond};
    for (Milliseconds milliseconds : {0, 1, 437, 990, 999}) {
        setClockBy(kSecond + milliseconds - localTime() % kSecond);
        readings.push_back(milliseconds);
        SendMessageA(clockWindow(), WM_TIMER, kUpdateTimer, 0);
    }

    const auto& timers = g_windowSetup.timers;
    ASSERT_EQ(timers.size(), readings.size());
    const Milliseconds margin = readings[0] + timers[0].period - kSecond;
    EXPECT_GT(margin, 0);
    EXPECT_LE(margin, 20);
    for (size_t arming = 0; arming < timers.size(); ++arming) {
        SCOPED_TRACE("read at " + std::to_string(readings[arming]) + " ms");
        EXPECT_EQ(readings[arming] + timers[arming].period - kSecond, margin);
        EXPECT_EQ(timers[arming].window, clockWindow());
        EXPECT_EQ(timers[arming].id, kUpdateTimer);
        EXPECT_EQ(timers[arming].procedure, nullptr);
    }
}

// Every re-arming refused for a minute: the clock goes on ticking at the period it
// had, tries again at every tick, and shows every second once.
TEST_F(ClockTickTest, RefusedRearmingKeepsTheTimerItHas) {
    startAt(kStart);
    if (HasFatalFailure())
        return;
    g_windowSetup.failSetTimer = true;
    runFor(kMinute, 0);
    const Flips refused = flipsOf(shown_, localEnd());
    EXPECT_EQ(refused.skipped, 0) << refused.text();
    EXPECT_EQ(refused.twice, 0) << refused.text();
    EXPECT_EQ(g_windowSetup.timers.size(), 1 + ticks_) << "not every tick armed the timer again";
    for (const TimerStop& stop : g_windowSetup.timerStops)
        EXPECT_NE(stop.id, kUpdateTimer) << "timer 1 was stopped";
}
