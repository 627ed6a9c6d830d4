#include "redirections.h"

#include <windows.h>

#include "host/norvane_api.h"
#include "import_redirect.h"

LentControlRecords g_lentControl;

namespace {

void* nextMessageBox = nullptr;
void* nextNorvExecute = nullptr;
void* nextShowMenu = nullptr;
void* nextSendMessage = nullptr;
void* nextSetWindowPos = nullptr;
void* nextShowWindow = nullptr;

void lentControl(LentCall call) {
    if (call != g_lentControl.endInside || g_lentControl.ended)
        return;
    if (++g_lentControl.calls != g_lentControl.onCall)
        return;
    g_lentControl.ended = true;
    if (g_lentControl.end)
        g_lentControl.end();
}

int WINAPI messageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT style) {
    const int answer = functionFrom<decltype(&MessageBoxA)>(nextMessageBox)(owner, text, caption, style);
    lentControl(LentCall::MessageBox);
    return answer;
}

BOOL __cdecl norvExecute(HWND owner, const char* operation, const char* file,
                         const char* arguments, const char* directory, int showCommand,
                         bool noErrors) {
    const BOOL result = functionFrom<decltype(&NorvExecute)>(nextNorvExecute)(
        owner, operation, file, arguments, directory, showCommand, noErrors);
    lentControl(LentCall::NorvExecute);
    return result;
}

void __cdecl showMenu(Menu* menu) {
    functionFrom<decltype(&ShowMenu)>(nextShowMenu)(menu);
    lentControl(LentCall::ShowMenu);
}

LRESULT WINAPI sendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result =
        functionFrom<decltype(&SendMessageA)>(nextSendMessage)(window, message, wParam, lParam);
    switch (message) {
    case HM_SLIT_ADD: lentControl(LentCall::SlitAdd); break;
    case HM_SLIT_REMOVE: lentControl(LentCall::SlitRemove); break;
    case HM_SLIT_UPDATE: lentControl(LentCall::SlitUpdate); break;
    case HM_REGISTER_MESSAGES: lentControl(LentCall::HostRegister); break;
    default: break;
    }
    return result;
}

BOOL WINAPI setWindowPos(HWND window, HWND after, int x, int y, int width, int height, UINT flags) {
    const BOOL result = functionFrom<decltype(&SetWindowPos)>(nextSetWindowPos)(
        window, after, x, y, width, height, flags);
    lentControl(LentCall::SetWindowPos);
    return result;
}

BOOL WINAPI showWindow(HWND window, int command) {
    const BOOL result = functionFrom<decltype(&ShowWindow)>(nextShowWindow)(window, command);
    lentControl(LentCall::ShowWindow);
    return result;
}

}  // namespace

std::vector<Redirection> lentControlRedirections() {
    return {
        {"USER32.dll", "MessageBoxA", addressOf(&messageBox), &nextMessageBox},
        {"norvane.exe", "NorvExecute", addressOf(&norvExecute), &nextNorvExecute},
        {"norvane.exe", "ShowMenu", addressOf(&showMenu), &nextShowMenu},
        {"USER32.dll", "SendMessageA", addressOf(&sendMessage), &nextSendMessage},
        {"USER32.dll", "SetWindowPos", addressOf(&setWindowPos), &nextSetWindowPos},
        {"USER32.dll", "ShowWindow", addressOf(&showWindow), &nextShowWindow},
    };
}
