#include "redirections.h"

#include "import_redirect.h"

ClockRecords g_clock;

namespace {

void* originalTime = nullptr;
void* originalLocaltime = nullptr;

__time64_t __cdecl currentTime(__time64_t* result) {
    ++g_clock.timeCalls;
    if (!g_clock.fixed)
        return functionFrom<__time64_t(__cdecl*)(__time64_t*)>(originalTime)(result);
    if (result != nullptr)
        *result = g_clock.now;
    return g_clock.now;
}

std::tm* __cdecl localTime(const __time64_t* time) {
    ++g_clock.localtimeCalls;
    if (g_clock.nullLocalTime)
        return nullptr;
    if (!g_clock.fixed)
        return functionFrom<std::tm*(__cdecl*)(const __time64_t*)>(originalLocaltime)(time);
    // Like the runtime, one static result that each call overwrites.
    static std::tm result;
    result = g_clock.localTime;
    return &result;
}

}  // namespace

void fixLocalTime(int hour, int minute, int second) {
    std::tm time{};
    time.tm_year = 2024 - 1900;
    time.tm_mon = 5;
    time.tm_mday = 1;
    time.tm_wday = 6;
    time.tm_yday = 152;
    time.tm_hour = hour;
    time.tm_min = minute;
    time.tm_sec = second;
    g_clock.fixed = true;
    g_clock.localTime = time;
    g_clock.now = 1717200000 + hour * 3600 + minute * 60 + second;
}

std::vector<Redirection> clockRedirections() {
    return {
        {"msvcrt.dll", kTimeImport, addressOf(&currentTime), &originalTime},
        {"msvcrt.dll", kLocaltimeImport, addressOf(&localTime), &originalLocaltime},
    };
}

// Both builds take the time through the runtime's 64-bit functions.
const char kTimeImport[] = "_time64";
const char kLocaltimeImport[] = "_localtime64";
