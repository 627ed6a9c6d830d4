// Timer 1 runs one second at a time. Every arming reads the system's local time with
// its milliseconds and sets the timer for what is left of the current second, so each
// tick comes just after a second begins. The window system delivers a timer late (on
// a clock tick after it is due) and restarts a periodic one from the moment it fired;
// arming afresh at every tick keeps that lateness from adding up into a skipped or a
// repeated second.
#include "plugin/clock_plugin.h"

namespace {

// A tick is due this long after its second begins, so that the time it reads lies
// in the new second.
constexpr UINT kMarginMilliseconds = 2;

UINT millisecondsToNextSecond(const SYSTEMTIME& time) {
    // A reading beyond a second's length counts as a second just begun.
    const UINT elapsed = time.wMilliseconds < 1000 ? time.wMilliseconds : 0;
    return 1000 - elapsed + kMarginMilliseconds;
}

// Setting timer 1 again replaces it.
bool armForNextSecond(HWND window, const SYSTEMTIME& time) {
    return SetTimer(window, kUpdateTimerId, millisecondsToNextSecond(time), nullptr) != 0;
}

bool sameSecond(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    return a.wHour == b.wHour && a.wMinute == b.wMinute && a.wSecond == b.wSecond;
}

}  // namespace

bool ClockPlugin::startUpdateTimer() {
    SYSTEMTIME time;
    GetLocalTime(&time);
    return armForNextSecond(hwnd, time);
}

// A tick that comes before the second it was armed for finds the face still showing
// the current second: it is armed again for the rest of that second, and the face is
// left as it is. When arming is refused, the timer goes on at the period it had, so
// the clock keeps ticking.
bool ClockPlugin::tickUpdateTimer() {
    SYSTEMTIME time;
    GetLocalTime(&time);
    armForNextSecond(hwnd, time);
    return !sameSecond(time, now);
}
