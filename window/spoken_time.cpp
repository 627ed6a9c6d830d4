#include "window/spoken_time.h"

#include <cstring>

#include "plugin/clock_plugin.h"

void faceTimeText(const ClockPlugin& plugin, char (&text)[kFaceTimeTextSize]) {
    formatFaceTime(FaceTime{plugin.now.wHour, plugin.now.wMinute, plugin.now.wSecond}, text);
}

// The window system keeps the text, so every process reads the same time: one that
// asks the window (WM_GETTEXT, which the default handling answers), and one that
// asks the system (GetWindowText on a window of another process sends no message,
// nor does InternalGetWindowText). Text and tooltip are written only when the face
// shows another second.
void ClockPlugin::showFaceTimeAsText() {
    char time[kFaceTimeTextSize];
    faceTimeText(*this, time);
    if (std::strcmp(time, textTime) == 0) return;
    std::memcpy(textTime, time, sizeof time);
    SetWindowTextA(hwnd, time);
    showFaceTimeInTooltip();
}
