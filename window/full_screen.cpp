// A floating clock steps back while a program of another process fills the monitor
// the clock is on (a video, a game, a slide show), as the taskbar does, and comes
// back once that program no longer fills it or is no longer in front. The clock
// hides rather than restacks: a window of another process named as the one to go
// below is not honoured everywhere, and a hidden clock covers nothing.
//
// Such a program fills the monitor with its client area. A maximized window covers
// the monitor too where no taskbar takes a strip of it, its frame reaching past every
// edge, but its caption and frame stay on screen: it does not count. Neither do the
// desktops of shells: the host's own windows, and the window another shell running
// beside it gives as its shell window ("Progman") with every window of that process,
// such as the "WorkerW" that Show Desktop brings to the front.
#include "plugin/clock_plugin.h"

namespace {

DWORD processOf(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

bool belongsToAShell(HWND window) {
    const DWORD process = processOf(window);
    if (process == GetCurrentProcessId()) return true;
    const HWND shellWindow = GetShellWindow();
    return shellWindow != nullptr && processOf(shellWindow) == process;
}

bool clientAreaCoversMonitorOf(HWND window, HWND clock) {
    MONITORINFO monitor;
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromWindow(clock, MONITOR_DEFAULTTONEAREST), &monitor)) {
        return false;
    }
    RECT client;
    if (!GetClientRect(window, &client)) return false;
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const RECT& screen = monitor.rcMonitor;
    return client.left <= screen.left && client.top <= screen.top &&
           client.right >= screen.right && client.bottom >= screen.bottom;
}

bool anotherProgramFillsMonitorOf(HWND clock) {
    HWND front = GetForegroundWindow();
    if (front == nullptr || front == GetDesktopWindow()) return false;
    return IsWindowVisible(front) && !belongsToAShell(front) &&
           clientAreaCoversMonitorOf(front, clock);
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
