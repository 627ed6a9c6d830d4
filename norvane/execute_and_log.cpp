// MakeSticky, Log and NorvExecute: the host's services that act outside the
// plug-in's window.
#include "norvane/host_internal.h"

#include <shellapi.h>

#include <algorithm>

#include "host/norvane_api.h"

namespace norvane {
namespace {

std::vector<HWND> s_stickyWindows;

void writeLogLine(const char* text, const char* detail) {
    std::string line = text != nullptr ? text : "";
    if (detail != nullptr) {
        line += ' ';
        line += detail;
    }
    line += "\r\n";
    appendToFile(hostLogFile().c_str(), line);
}

}  // namespace

void forgetStickyWindows() { s_stickyWindows.clear(); }

std::vector<HWND> stickyWindows() {
    std::vector<HWND> alive;
    for (HWND window : s_stickyWindows) {
        if (IsWindow(window)) alive.push_back(window);
    }
    return alive;
}

}  // namespace norvane

NORVANE_API void MakeSticky(HWND window) {
    if (norvane::recordingCalls()) {
        norvane::recordCall("MakeSticky", {norvane::pointerText(window)});
    }
    std::vector<HWND>& sticky = norvane::s_stickyWindows;
    // A handle that was destroyed and handed out again starts a new record.
    sticky.erase(std::remove_if(sticky.begin(), sticky.end(),
                                [](HWND held) { return !IsWindow(held); }),
                 sticky.end());
    if (window != nullptr && std::find(sticky.begin(), sticky.end(), window) == sticky.end()) {
        sticky.push_back(window);
    }
}

NORVANE_API void Log(const char* text, const char* detail) {
    if (norvane::recordingCalls()) {
        norvane::recordCall("Log", {norvane::textArgument(text), norvane::textArgument(detail)});
    }
    norvane::writeLogLine(text, detail);
}

NORVANE_API BOOL NorvExecute(HWND owner, const char* operation, const char* file,
                             const char* arguments, const char* directory, int showCommand,
                             bool noErrors) {
    if (norvane::recordingCalls()) {
        using norvane::textArgument;
        norvane::recordCall("NorvExecute",
                            {norvane::pointerText(owner), textArgument(operation),
                             textArgument(file), textArgument(arguments), textArgument(directory),
                             norvane::numberArgument(showCommand),
                             norvane::boolArgument(noErrors)});
        return TRUE;
    }
    if (file == nullptr || *file == '\0') return FALSE;
    const HINSTANCE result =
        ShellExecuteA(owner, operation, file, arguments, directory, showCommand);
    const bool opened = reinterpret_cast<INT_PTR>(result) > 32;
    // Failures go to the log rather than to a message box, which would stop the
    // host's message loop until someone answered it.
    if (!opened && !noErrors) norvane::writeLogLine("NorvExecute could not open", file);
    return opened ? TRUE : FALSE;
}
