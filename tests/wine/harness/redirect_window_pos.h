// SetWindowPos, through which the plug-in restacks and resizes its window: every
// call is recorded with its arguments and passed through. A test installs it itself
// (PluginTest::redirect) when it wants to see how the window was placed.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <vector>

#include "redirection.h"

struct WindowPosCall {
    HWND window;
    HWND insertAfter;
    int x, y, width, height;
    UINT flags;
    // How many messages the slit had received when the call was made, so that a
    // test can tell which slit messages followed it.
    std::size_t slitMessagesBefore;
};

struct WindowPosRecords {
    std::vector<WindowPosCall> calls;
    // Called before the call is passed on, when set.
    std::function<void(const WindowPosCall&)> onCall;
};

extern WindowPosRecords g_windowPos;

void resetWindowPosRecords();

// The redirection of USER32's SetWindowPos; its `original` receives the address to
// pass the calls to.
Redirection windowPosRedirection();
