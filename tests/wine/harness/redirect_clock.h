// _time64 and _localtime64, which the plug-in imports from msvcrt.dll in both
// builds: a fixed local time makes the face deterministic, and a null localtime
// stands for a clock outside the range the runtime can convert.
#pragma once

#include <ctime>
#include <vector>

#include "redirection.h"

struct ClockRecords {
    bool fixed = false;          // answer `localTime` instead of the real time
    __time64_t now = 0;          // what _time64() answers while fixed
    std::tm localTime{};         // what localtime() answers while fixed
    bool nullLocalTime = false;  // localtime() answers null
    int timeCalls = 0;
    int localtimeCalls = 0;
};

extern ClockRecords g_clock;

// Fixes the local time the plug-in sees at hour:minute:second of 1 June 2024.
void fixLocalTime(int hour, int minute, int second);

std::vector<Redirection> clockRedirections();

// The runtime's names for time and localtime, as the plug-in imports them.
extern const char kTimeImport[];
extern const char kLocaltimeImport[];
