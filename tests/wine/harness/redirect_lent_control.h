// The calls during which the host runs its own message loop, and so may end the
// plug-in before they return: modal boxes, NorvExecute, ShowMenu, the messages sent
// to the slit and to the host, SetWindowPos and ShowWindow. Each is passed through;
// then, on the chosen call, the test's `end` runs as the host's loop would run
// endPlugin, before the call returns to the plug-in.
#pragma once

#include <functional>
#include <vector>

#include "redirection.h"

enum class LentCall {
    MessageBox,
    NorvExecute,
    ShowMenu,
    SlitAdd,
    SlitRemove,
    SlitUpdate,
    HostRegister,
    SetWindowPos,
    ShowWindow,
};

struct LentControlRecords {
    LentCall endInside = LentCall::MessageBox;
    int onCall = 0;                  // ends inside this call of that kind, from 1; 0 never
    std::function<void()> end;       // what the host does inside it
    int calls = 0;                   // calls of that kind so far
    bool ended = false;
};

extern LentControlRecords g_lentControl;

std::vector<Redirection> lentControlRedirections();
