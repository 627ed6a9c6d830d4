// A floating clock steps back while a program of another process fills the monitor
// the clock is on (a video, a game, a slide show), as the taskbar does, and comes
// back once that program no longer fills it or is no longer in front. The clock
// hides rather than restacks: a window of another process named as the one to go
// below is not honoured everywhere, and a hidden clock covers nothing. The shell's
// own windows never count: its desktop window covers the screen too.
#include "plugin/clock_plugin.h"

namespace {

bool belongsToThisProcess(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process == GetCurrentProcessId();
}

bool coversMonitorOf(HWND window, HWND clock) {
    MONITORINFO monitor;
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromWindow(clock, MONITOR_DEFAULTTONEAREST), &monitor)) {
        return false;
    }
    RECT bounds;
    if (!GetWindowRect(window, &bounds)) return false;
    const RECT& screen = monitor.rcMonitor;
    return bounds.left <= screen.left && bounds.top <= screen.top &&
           bounds.right >= screen.right && bounds.bottom >= screen.bottom;
}

bool anotherProgramFillsMonitorOf(HWND clock) {
    HWND front = GetForegroundWindow();
    if (front == nullptr || front == GetDesktopWindow()) return false;
    return IsWindowVisible(front) && !belongsToThisProcess(front) &&
           coversMonitorOf(front, clock);
}

}  // namespace

// Runs at every tick. Only a clock this has hidden is shown again: one the host hid
// stays hidden. Hiding and showing deliver messages, during which the host may end
// the plug-in; nothing of the record is used after them.
void ClockPlugin::giveWayToFullScreen() {
    const bool giveWay = !g_inSlit && anotherProgramFillsMonitorOf(hwnd);
    if (giveWay && !steppedBack && IsWindowVisible(hwnd)) {
        steppedBack = true;
        ShowWindow(hwnd, SW_HIDE);
    } else if (!giveWay && steppedBack) {
        steppedBack = false;
        ShowWindow(hwnd, SW_SHOWNA);
    }
}
