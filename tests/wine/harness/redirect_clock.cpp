#include "redirections.h"

#include <cstring>

#include "import_redirect.h"

ClockRecords g_clock;

namespace {

void* originalGetLocalTime = nullptr;

void WINAPI localTime(SYSTEMTIME* time) {
    ++g_clock.calls;
    if (g_clock.noTimeOfDay)
        std::memset(time, 0xff, sizeof *time);
    else if (g_clock.fixed)
        *time = g_clock.localTime;
    else
        functionFrom<void(WINAPI*)(SYSTEMTIME*)>(originalGetLocalTime)(time);
}

}  // namespace

void fixLocalTime(int hour, int minute, int second) {
    g_clock.fixed = true;
    g_clock.localTime = SYSTEMTIME{2024, 6, 6, 1, static_cast<WORD>(hour),
                                   static_cast<WORD>(minute), static_cast<WORD>(second), 0};
}

std::vector<Redirection> clockRedirections() {
    return {{"KERNEL32.dll", "GetLocalTime", addressOf(&localTime), &originalGetLocalTime}};
}
