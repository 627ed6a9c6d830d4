#include "redirections.h"

#include <algorithm>

#include "import_redirect.h"
#include "norvane/host_control.h"

WindowSetupRecords g_windowSetup;
WindowPosRecords g_windowPos;
WindowProcRecords g_windowProc;

namespace {

// The window's set-up, which the fixture installs.
namespace setUp {

void* originalRegisterClass = nullptr;
void* originalCreateWindow = nullptr;
void* originalSetTimer = nullptr;
void* originalKillTimer = nullptr;

// A class name argument may be an atom in its low word instead of a text.
std::string classNameText(LPCSTR name) {
    if (name == nullptr)
        return std::string();
    if (HIWORD(reinterpret_cast<ULONG_PTR>(name)) == 0)
        return "#" + std::to_string(LOWORD(reinterpret_cast<ULONG_PTR>(name)));
    return name;
}

ATOM WINAPI registerClass(const WNDCLASSA* windowClass) {
    ATOM result = 0;
    if (g_windowSetup.failRegisterClass) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    } else {
        result = functionFrom<ATOM(WINAPI*)(const WNDCLASSA*)>(originalRegisterClass)(windowClass);
    }
    g_windowSetup.registrations.push_back({classNameText(windowClass->lpszClassName),
                                           windowClass->hInstance, windowClass->lpfnWndProc,
                                           result});
    return result;
}

HWND WINAPI createWindow(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x,
                         int y, int width, int height, HWND parent, HMENU menu,
                         HINSTANCE instance, LPVOID parameter) {
    using CreateWindowFunction = HWND(WINAPI*)(DWORD, LPCSTR, LPCSTR, DWORD, int, int, int,
                                               int, HWND, HMENU, HINSTANCE, LPVOID);
    HWND result = nullptr;
    if (g_windowSetup.failCreateWindow ||
        (!g_windowSetup.failClassName.empty() &&
         classNameText(className) == g_windowSetup.failClassName)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    } else {
        result = functionFrom<CreateWindowFunction>(originalCreateWindow)(
            exStyle, className, title, style, x, y, width, height, parent, menu, instance,
            parameter);
    }
    // Recorded after the call: the window procedure runs inside it.
    g_windowSetup.creations.push_back(
        {classNameText(className), exStyle, style, x, y, width, height, parent, result});
    return result;
}

UINT_PTR WINAPI setTimer(HWND window, UINT_PTR id, UINT period, TIMERPROC procedure) {
    UINT_PTR result = 0;
    if (g_windowSetup.failSetTimer) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    } else if (g_windowSetup.holdTimers) {
        result = id;
    } else {
        result = functionFrom<UINT_PTR(WINAPI*)(HWND, UINT_PTR, UINT, TIMERPROC)>(
            originalSetTimer)(window, id, period, procedure);
    }
    g_windowSetup.timers.push_back({window, id, period, procedure, result});
    return result;
}

BOOL WINAPI killTimer(HWND window, UINT_PTR id) {
    g_windowSetup.timerStops.push_back({window, id});
    return functionFrom<BOOL(WINAPI*)(HWND, UINT_PTR)>(originalKillTimer)(window, id);
}

}  // namespace setUp

// SetWindowPos, recorded.
namespace placed {

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

}  // namespace placed

// The window procedure's own calls.
namespace procedure {

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

}  // namespace procedure

}  // namespace

std::vector<Redirection> windowSetupRedirections() {
    using namespace setUp;
    return {
        {"USER32.dll", "RegisterClassA", addressOf(&registerClass), &originalRegisterClass},
        {"USER32.dll", "CreateWindowExA", addressOf(&createWindow), &originalCreateWindow},
        {"USER32.dll", "SetTimer", addressOf(&setTimer), &originalSetTimer},
        {"USER32.dll", "KillTimer", addressOf(&killTimer), &originalKillTimer},
    };
}

void resetWindowPosRecords() {
    g_windowPos = WindowPosRecords{};
}

Redirection windowPosRedirection() {
    return {"USER32.dll", "SetWindowPos", addressOf(&placed::recordSetWindowPos),
            &placed::originalSetWindowPos};
}

int WindowProcRecords::defaultCallsFor(UINT message) const {
    return static_cast<int>(std::count_if(
        defaultCalls.begin(), defaultCalls.end(),
        [message](const DefaultProcCall& call) { return call.message == message; }));
}

std::vector<Redirection> windowProcRedirections() {
    using namespace procedure;
    return {
        {"USER32.dll", "DefWindowProcA", addressOf(&defaultProc), &originalDefWindowProc},
        {"USER32.dll", "GetAsyncKeyState", addressOf(&asyncKeyState), &originalGetAsyncKeyState},
    };
}
