#include <cstring>

#include "plugin/clock_plugin.h"
#include "plugin/live_record.h"
#include "plugin/plugin_info.h"
#include "window/auto_width.h"

const char kWindowClassName[] = "Pipwick";

namespace {

constexpr UINT kErrorBoxStyle = MB_ICONERROR | MB_TOPMOST;

// Sends a registration message with the three host messages the clock listens to.
// The list lives only while the message is being sent.
void sendHostMessageList(HWND host, UINT message, HWND window) {
    UINT messages[4] = {HM_RECONFIGURE, HM_BROADCAST, HM_SET_LABEL, 0};
    SendMessageA(host, message, reinterpret_cast<WPARAM>(window),
                 reinterpret_cast<LPARAM>(messages));
}

}  // namespace

bool ClockPlugin::registerWindowClass() {
    WNDCLASSA windowClass;
    std::memset(&windowClass, 0, sizeof windowClass);
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = hInstance;
    // Over the clock the pointer is the arrow, whatever shape it had before.
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kWindowClassName;
    return RegisterClassA(&windowClass) != 0;
}

void ClockPlugin::registerWithHost(UINT message) {
    sendHostMessageList(hwndHost, message, hwnd);
}

void ClockPlugin::joinSlitIfWanted() {
    if (g_inSlit && g_hSlit != nullptr) {
        SendMessageA(g_hSlit, HM_SLIT_ADD, 0, reinterpret_cast<LPARAM>(hwnd));
    } else {
        g_inSlit = false;
    }
}

void ClockPlugin::applyStartupTranslucency() {
    if (shouldBeLayered()) makeTranslucent();
}

void ClockPlugin::registerForHostMessages() {
    registerWithHost(HM_REGISTER_MESSAGES);
}

void ClockPlugin::makeSticky() {
    MakeSticky(hwnd);
}

void ClockPlugin::stackOnTopIfWanted() {
    if (alwaysOnTop) {
        SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    }
}

// The clock appears without taking the focus from the window the user works in.
void ClockPlugin::showWindow() {
    ShowWindow(hwnd, SW_SHOWNA);
}

// The face is painted as soon as the host's message loop runs.
void ClockPlugin::requestFirstPaint() {
    InvalidateRect(hwnd, nullptr, TRUE);
}

// The window must not outlive the record that its procedure reaches. The record is
// torn down by this start alone from here on: an endPlugin meanwhile leaves it be.
void ClockPlugin::undoStartWithoutTimer(const LiveRecord& live) {
    MessageBoxA(nullptr, "Error creating update timer", kPluginName, kErrorBoxStyle);
    if (!live.stillLive()) return;
    Log("Could not create Pipwick update timer", nullptr);
    if (g_inSlit && g_hSlit != nullptr) {
        SendMessageA(g_hSlit, HM_SLIT_REMOVE, 0, reinterpret_cast<LPARAM>(hwnd));
        if (!live.stillLive()) return;
    }
    ending = true;
    destroyClockWindow();
}

int ClockPlugin::createClockWindow() {
    const LiveRecord live(this);
    if (!registerWindowClass()) {
        MessageBoxA(hwndHost, "Error registering window class", kPluginNameVersion,
                    kErrorBoxStyle);
        return 1;
    }

    // A size from the settings too small for the face, or absurd, is bounded for the
    // platform; the record and the file keep it as read. So does a saved place that
    // lies on no monitor now.
    const POINT place = floatingPlace();
    hwnd = CreateWindowExA(WS_EX_TOOLWINDOW, kWindowClassName, nullptr,
                           WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, place.x, place.y,
                           windowSideFor(faceWidth()), windowSideFor(faceHeight()), nullptr,
                           nullptr, hInstance, nullptr);
    if (hwnd == nullptr) {
        MessageBoxA(nullptr, "Error creating window", kPluginNameVersion, kErrorBoxStyle);
        if (live.stillLive()) UnregisterClassA(kWindowClassName, hInstance);
        return 1;
    }

    // Each step may lend control to the host, which may end the plug-in meanwhile;
    // the start then stops where it is, and endPlugin has undone it.
    using Step = void (ClockPlugin::*)();
    const Step steps[] = {&ClockPlugin::joinSlitIfWanted,        &ClockPlugin::applyStartupTranslucency,
                          &ClockPlugin::registerForHostMessages, &ClockPlugin::makeSticky,
                          &ClockPlugin::stackOnTopIfWanted,      &ClockPlugin::showWindow,
                          &ClockPlugin::requestFirstPaint};
    for (Step step : steps) {
        (this->*step)();
        if (!live.stillLive()) return 1;
    }

    if (!startUpdateTimer()) {
        undoStartWithoutTimer(live);
        return 1;
    }
    return 0;
}

// Unregisters from the host, destroys the window and removes the class. The record
// stays alive until DestroyWindow has returned, since the window's last messages
// still reach it.
void ClockPlugin::destroyClockWindow() {
    registerWithHost(HM_UNREGISTER_MESSAGES);
    removeTooltip();
    DestroyWindow(hwnd);
    UnregisterClassA(kWindowClassName, hInstance);
}
