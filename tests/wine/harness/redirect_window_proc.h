// Two USER32 calls of the clock's window procedure that the common redirections
// leave alone: DefWindowProcA, recorded and passed through (its answer to one
// chosen message can be replaced, so a test sees whether the procedure hands it
// on), and GetAsyncKeyState, which answers a chosen state for the Ctrl key.
// Installed by a test through PluginTest::redirect.
#pragma once

#include <windows.h>

#include <vector>

#include "redirection.h"

struct DefaultProcCall {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result;  // what the plug-in got back
};

struct WindowProcRecords {
    std::vector<DefaultProcCall> defaultCalls;
    // When nonzero, DefWindowProcA answers `replacementResult` for this message,
    // after the real default processing has run.
    UINT replacedMessage = 0;
    LRESULT replacementResult = 0;

    // What GetAsyncKeyState answers for VK_CONTROL; other keys pass through.
    SHORT controlKeyState = 0;
    std::vector<int> keysAsked;

    int defaultCallsFor(UINT message) const;
};

extern WindowProcRecords g_windowProc;

std::vector<Redirection> windowProcRedirections();
