// Timer 1 runs one second at a time. Every arming reads the system's local time with
// its milliseconds and sets the timer for what is left of the current second, so each
// tick comes just after a second begins. The window system delivers a timer late (on
// a clock tick after it is due) and restarts a periodic one from the moment it fired;
// arming afresh at every tick keeps that lateness from adding up into a skipped or a
// repeated second, and a tick that comes early is followed by one just after the
// second it came too early for.
#include "plugin/clock_plugin.h"

namespace {

// A tick is due this long after its second begins, so that the time the paint reads
// lies in the new second even when the tick comes a little early.
constexpr UINT kMarginMilliseconds = 10;

UINT millisecondsToNextSecond(const SYSTEMTIME& time) {
    // A reading beyond a second's length counts as a second just begun.
    const UINT elapsed = time.wMilliseconds < 1000 ? time.wMilliseconds : 0;
    return 1000 - elapsed + kMarginMilliseconds;
}

}  // namespace

// Setting timer 1 again replaces it; when that is refused, the timer goes on at the
// period it had, so the clock keeps ticking.
bool ClockPlugin::armUpdateTimer() {
    SYSTEMTIME time;
    GetLocalTime(&time);
    return SetTimer(hwnd, kUpdateTimerId, millisecondsToNextSecond(time), nullptr) != 0;
}
