// A stand-in for a full-screen program (a video, a game, a slide show) in a process of
// its own: one visible pop-up window that covers the primary monitor and comes to the
// front. It runs until its window is closed. The tests start it, move or close its
// window from their own process, and look at what the clock does meanwhile.
// Its command line may ask instead for a framed window, maximized ("maximized"); for
// another shell's desktop, a hidden "Program Manager" beside the window ("desktop"); or
// for a window titled with the text GetWindowText reads from window N ("text N").
#include <windows.h>

#include <cstdlib>
#include <string>

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

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kFullScreenClass;
    if (RegisterClassA(&windowClass) == 0) return 1;

    const std::string mode = commandLine;
    const bool maximized = mode == "maximized";
    char title[64] = "Full screen";
    if (mode == "desktop")
        CreateWindowExA(0, "Static", "Program Manager", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                        instance, nullptr);
    if (mode.compare(0, 5, "text ") == 0)
        GetWindowTextA(reinterpret_cast<HWND>(std::strtoull(&mode[5], nullptr, 0)), title, 64);
    HWND window = CreateWindowExA(0, kFullScreenClass, title,
                                  maximized ? WS_OVERLAPPEDWINDOW : WS_POPUP, 0, 0,
                                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                  nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 1;
    ShowWindow(window, maximized ? SW_SHOWMAXIMIZED : SW_SHOW);
    SetForegroundWindow(window);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
