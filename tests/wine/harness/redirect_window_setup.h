// The calls that bring the clock window up: RegisterClassA, CreateWindowExA and
// SetTimer. Each is recorded and passed through, or fails on demand.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "redirection.h"

struct ClassRegistration {
    std::string className;
    HINSTANCE instance;
    WNDPROC procedure;
    ATOM result;            // 0 when it failed
};

struct WindowCreation {
    std::string className;
    DWORD exStyle;
    DWORD style;
    int x, y, width, height;
    HWND parent;
    HWND result;            // null when it failed
};

struct TimerStart {
    HWND window;
    UINT_PTR id;
    UINT period;
    TIMERPROC procedure;
    UINT_PTR result;        // 0 when it failed
};

struct WindowSetupRecords {
    bool failRegisterClass = false;
    bool failCreateWindow = false;
    bool failSetTimer = false;
    std::vector<ClassRegistration> registrations;
    std::vector<WindowCreation> creations;
    std::vector<TimerStart> timers;
};

extern WindowSetupRecords g_windowSetup;

std::vector<Redirection> windowSetupRedirections();
