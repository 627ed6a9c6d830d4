#include "redirect_window_pos.h"

#include "import_redirect.h"
#include "norvane/host_control.h"

WindowPosRecords g_windowPos;

namespace {

void* originalSetWindowPos = nullptr;

BOOL WINAPI recordSetWindowPos(HWND window, HWND insertAfter, int x, int y, int width,
                               int height, UINT flags) {
    WindowPosCall call{window, insertAfter, x, y, width, height, flags,
                       norvane::slitMessages().size()};
    g_windowPos.calls.push_back(call);
    if (g_windowPos.onCall)
        g_windowPos.onCall(call);
    using SetWindowPosFunction = BOOL(WINAPI*)(HWND, HWND, int, int, int, int, UINT);
    return functionFrom<SetWindowPosFunction>(originalSetWindowPos)(window, insertAfter, x, y,
                                                                     width, height, flags);
}

}  // namespace

void resetWindowPosRecords() {
    g_windowPos = WindowPosRecords{};
}

Redirection windowPosRedirection() {
    return {"USER32.dll", "SetWindowPos", addressOf(&recordSetWindowPos), &originalSetWindowPos};
}
