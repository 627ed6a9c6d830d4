#include "full_screen_program.h"

#include <string>

#include "test_files.h"

namespace {

const char kFullScreenClass[] = "PipwickTestFullScreenProgram";
constexpr DWORD kProgramTimeout = 20000;

void handlePendingMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace

bool FullScreenProgram::start(const std::string& mode) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string command = "\"" + programDirectory() + "full_screen_program.exe\" " + mode;
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process_)) {
        return false;
    }
    CloseHandle(process_.hThread);
    const DWORD started = GetTickCount();
    while (GetTickCount() - started < kProgramTimeout) {
        handlePendingMessages();
        window_ = FindWindowA(kFullScreenClass, nullptr);
        if (window_ != nullptr && IsWindowVisible(window_) && GetForegroundWindow() == window_)
            return true;
        Sleep(10);
    }
    return false;
}

void FullScreenProgram::coverWholeMonitor(bool whole) {
    const int width = GetSystemMetrics(SM_CXSCREEN) - (whole ? 0 : 1);
    SetWindowPos(window_, nullptr, 0, 0, width, GetSystemMetrics(SM_CYSCREEN),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void FullScreenProgram::close() {
    if (process_.hProcess == nullptr)
        return;
    if (window_ != nullptr)
        PostMessageA(window_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.hProcess, kProgramTimeout) != WAIT_OBJECT_0)
        TerminateProcess(process_.hProcess, 1);
    CloseHandle(process_.hProcess);
    process_ = {};
    window_ = nullptr;
}
