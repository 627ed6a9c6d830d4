#include "redirect_window_proc.h"

#include <algorithm>

#include "import_redirect.h"

WindowProcRecords g_windowProc;

namespace {

void* originalDefWindowProc = nullptr;
void* originalGetAsyncKeyState = nullptr;

LRESULT WINAPI defaultProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    using DefWindowProcFunction = LRESULT(WINAPI*)(HWND, UINT, WPARAM, LPARAM);
    LRESULT result =
        functionFrom<DefWindowProcFunction>(originalDefWindowProc)(window, message, wParam, lParam);
    if (g_windowProc.replacedMessage != 0 && message == g_windowProc.replacedMessage)
        result = g_windowProc.replacementResult;
    g_windowProc.defaultCalls.push_back({window, message, wParam, lParam, result});
    return result;
}

SHORT WINAPI asyncKeyState(int key) {
    g_windowProc.keysAsked.push_back(key);
    if (key == VK_CONTROL)
        return g_windowProc.controlKeyState;
    return functionFrom<SHORT(WINAPI*)(int)>(originalGetAsyncKeyState)(key);
}

}  // namespace

int WindowProcRecords::defaultCallsFor(UINT message) const {
    return static_cast<int>(std::count_if(
        defaultCalls.begin(), defaultCalls.end(),
        [message](const DefaultProcCall& call) { return call.message == message; }));
}

std::vector<Redirection> windowProcRedirections() {
    return {
        {"USER32.dll", "DefWindowProcA", addressOf(&defaultProc), &originalDefWindowProc},
        {"USER32.dll", "GetAsyncKeyState", addressOf(&asyncKeyState), &originalGetAsyncKeyState},
    };
}
