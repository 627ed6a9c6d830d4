#include "bench/flip_latency.h"

#include <windows.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "bench/measure.h"
#include "tests/wine/harness/import_redirect.h"

namespace bench {
namespace {

// How late a 64 Hz system clock delivers a timer at worst.
constexpr UINT kTimerLateness = 16;

struct Paint {
    double begin;  // milliseconds of the system's time
    double end;
};

void* g_setTimer = nullptr;
void* g_beginPaint = nullptr;
void* g_endPaint = nullptr;
std::vector<Paint> g_paints;

// The system's time in milliseconds since 1601; its second boundaries are those of
// the local time.
double systemMilliseconds() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER ticks;
    ticks.LowPart = now.dwLowDateTime;
    ticks.HighPart = now.dwHighDateTime;
    return static_cast<double>(ticks.QuadPart) / 10000.0;
}

UINT_PTR WINAPI lateSetTimer(HWND window, UINT_PTR id, UINT period, TIMERPROC procedure) {
    return functionFrom<decltype(&SetTimer)>(g_setTimer)(window, id, period + kTimerLateness,
                                                         procedure);
}

HDC WINAPI timedBeginPaint(HWND window, LPPAINTSTRUCT paint) {
    g_paints.push_back(Paint{systemMilliseconds(), 0});
    return functionFrom<decltype(&BeginPaint)>(g_beginPaint)(window, paint);
}

BOOL WINAPI timedEndPaint(HWND window, const PAINTSTRUCT* paint) {
    const BOOL result = functionFrom<decltype(&EndPaint)>(g_endPaint)(window, paint);
    if (!g_paints.empty()) g_paints.back().end = systemMilliseconds();
    return result;
}

struct Hook {
    const char* function;
    void* replacement;
    void** original;
};

const Hook kHooks[] = {
    {"SetTimer", reinterpret_cast<void*>(&lateSetTimer), &g_setTimer},
    {"BeginPaint", reinterpret_cast<void*>(&timedBeginPaint), &g_beginPaint},
    {"EndPaint", reinterpret_cast<void*>(&timedEndPaint), &g_endPaint},
};

bool installHooks(HMODULE module) {
    bool all = true;
    for (const Hook& hook : kHooks) {
        void* original = redirectImport(module, "USER32.dll", hook.function, hook.replacement);
        if (original != nullptr) *hook.original = original;
        all = all && original != nullptr;
    }
    return all;
}

void removeHooks(HMODULE module) {
    for (const Hook& hook : kHooks) {
        if (*hook.original != nullptr) redirectImport(module, "USER32.dll", hook.function, *hook.original);
    }
}

// Every whole second after the first full one, up to the last that had time to show:
// how often it was painted, and how long after its start its first paint ended.
FlipLatency flipsOf(const std::vector<Paint>& paints, double start, double end) {
    const long long first = static_cast<long long>(std::floor(start / 1000)) + 2;
    const long long last = static_cast<long long>(std::floor(end / 1000)) - 1;
    FlipLatency flips;
    std::vector<double> delays;
    std::size_t next = 0;
    for (long long second = first; second <= last; ++second) {
        const double begins = static_cast<double>(second) * 1000;
        while (next < paints.size() && paints[next].begin < begins) ++next;
        int count = 0;
        for (std::size_t paint = next; paint < paints.size() && paints[paint].begin < begins + 1000;
             ++paint) {
            if (count++ == 0) delays.push_back(paints[paint].end - begins);
        }
        ++flips.seconds;
        if (count == 0) ++flips.skipped;
        if (count > 1) ++flips.twice;
    }
    flips.medianMs = median(delays);
    for (double delay : delays) {
        flips.largestMs = delay > flips.largestMs ? delay : flips.largestMs;
        if (delay > 30) ++flips.over30Ms;
    }
    return flips;
}

}  // namespace

FlipLatency measureFlipLatency(LoadedPlugin& plugin, int seconds) {
    g_paints.clear();
    g_paints.reserve(static_cast<std::size_t>(seconds) * 4 + 16);
    if (!installHooks(plugin.module())) {
        std::fputs("bench: the plug-in does not import SetTimer, BeginPaint and EndPaint\n",
                   stderr);
        removeHooks(plugin.module());
        return FlipLatency();
    }
    const double start = systemMilliseconds();
    FlipLatency flips;
    if (plugin.begin()) {
        runMessagesFor(static_cast<DWORD>(seconds) * 1000);
        const double end = systemMilliseconds();
        plugin.end();
        flips = flipsOf(g_paints, start, end);
    }
    removeHooks(plugin.module());
    runMessagesFor(200);
    return flips;
}

void printFlipLatency(const FlipLatency& pipwick, const FlipLatency& floor, int seconds) {
    std::printf("\nflip latency, every timer delivered %u ms late, %d s each (the floor on a "
                "plain 1000 ms timer)\n",
                kTimerLateness, seconds);
    std::printf("%-10s %8s %8s %8s %12s %12s %9s\n", "", "seconds", "skipped", "twice", "median",
                "largest", "> 30 ms");
    const struct {
        const char* name;
        const FlipLatency& flips;
    } rows[] = {{"Pipwick", pipwick}, {"floor", floor}};
    for (const auto& row : rows) {
        std::printf("%-10s %8d %8d %8d %9.1f ms %9.1f ms %9d\n", row.name, row.flips.seconds,
                    row.flips.skipped, row.flips.twice, row.flips.medianMs, row.flips.largestMs,
                    row.flips.over30Ms);
    }
    const bool met = pipwick.seconds > 0 && pipwick.skipped == 0 && pipwick.twice == 0 &&
                     pipwick.largestMs <= 30;
    std::printf("goal, Pipwick's own seconds against none skipped, none twice, largest <= 30 ms "
                "(the floor is no goal, only a comparison): %s\n",
                met ? "yes" : "NO");
}

std::string flipLatencySummary(const FlipLatency& pipwick, const FlipLatency& floor) {
    char text[256];
    std::snprintf(text, sizeof text,
                  "flip_skipped=%d flip_twice=%d flip_median_ms=%.1f flip_largest_ms=%.1f "
                  "flip_over_30ms=%d flip_skipped_baseline=%d flip_twice_baseline=%d "
                  "flip_median_ms_baseline=%.1f flip_largest_ms_baseline=%.1f "
                  "flip_over_30ms_baseline=%d",
                  pipwick.skipped, pipwick.twice, pipwick.medianMs, pipwick.largestMs,
                  pipwick.over30Ms, floor.skipped, floor.twice, floor.medianMs, floor.largestMs,
                  floor.over30Ms);
    return text;
}

}  // namespace bench
