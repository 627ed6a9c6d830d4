// A stand-in for a full-screen program (a video, a game, a slide show) in a process of
// its own: one visible pop-up window that covers the primary monitor and comes to the
// front. It runs until its window is closed. The tests start it, move or close its
// window from their own process, and look at what the clock does meanwhile.
#include <windows.h>

const char kFullScreenClass[] = "PipwickTestFullScreenProgram";

namespace {

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kFullScreenClass;
    if (RegisterClassA(&windowClass) == 0) return 1;

    HWND window = CreateWindowExA(0, kFullScreenClass, "Full screen", WS_POPUP, 0, 0,
                                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                  nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 1;
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
