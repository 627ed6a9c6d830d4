#include "redirect_window_setup.h"

#include "import_redirect.h"

WindowSetupRecords g_windowSetup;

namespace {

void* originalRegisterClass = nullptr;
void* originalCreateWindow = nullptr;
void* originalSetTimer = nullptr;

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
    if (g_windowSetup.failCreateWindow) {
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
    } else {
        result = functionFrom<UINT_PTR(WINAPI*)(HWND, UINT_PTR, UINT, TIMERPROC)>(
            originalSetTimer)(window, id, period, procedure);
    }
    g_windowSetup.timers.push_back({window, id, period, procedure, result});
    return result;
}

}  // namespace

std::vector<Redirection> windowSetupRedirections() {
    return {
        {"USER32.dll", "RegisterClassA", addressOf(&registerClass), &originalRegisterClass},
        {"USER32.dll", "CreateWindowExA", addressOf(&createWindow), &originalCreateWindow},
        {"USER32.dll", "SetTimer", addressOf(&setTimer), &originalSetTimer},
    };
}
