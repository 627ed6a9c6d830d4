// MessageBoxA: every box the plug-in asks for is recorded and never shown, so
// nothing waits for a click; each one answers IDOK.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "redirection.h"

struct MessageBoxCall {
    HWND owner;
    std::string text;
    std::string caption;
    UINT style;
};

struct MessageBoxRecords {
    std::vector<MessageBoxCall> calls;
};

extern MessageBoxRecords g_messageBoxes;

std::vector<Redirection> messageBoxRedirections();
