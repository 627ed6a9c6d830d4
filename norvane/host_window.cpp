// The host's hidden main window: plug-ins register with it for host messages, and
// the host sends those messages from here to the registered windows.
#include "norvane/host_internal.h"

#include <algorithm>
#include <map>

#include "host/norvane_api.h"

namespace norvane {
namespace {

const char kHostWindowClass[] = "NorvaneHostWindow";
const UINT kTrackMenuRequest = WM_APP + 1;
// A registration list longer than this is cut: no plug-in asks for so many.
const size_t kLongestMessageList = 1024;

HWND s_hostWindow = nullptr;
std::map<UINT, std::vector<HWND>> s_registrations;
std::vector<HostMessage> s_hostMessages;

// The message list is the plug-in's and may vanish as soon as the message returns.
std::vector<UINT> copyMessageList(LPARAM lParam) {
    std::vector<UINT> list;
    const auto* messages = reinterpret_cast<const UINT*>(lParam);
    if (messages == nullptr) return list;
    for (size_t i = 0; i < kLongestMessageList && messages[i] != 0; ++i) {
        list.push_back(messages[i]);
    }
    return list;
}

void registerWindow(HWND window, const std::vector<UINT>& list) {
    for (UINT message : list) {
        std::vector<HWND>& windows = s_registrations[message];
        if (std::find(windows.begin(), windows.end(), window) == windows.end()) {
            windows.push_back(window);
        }
    }
}

void unregisterWindow(HWND window, const std::vector<UINT>& list) {
    for (UINT message : list) {
        auto found = s_registrations.find(message);
        if (found == s_registrations.end()) continue;
        std::vector<HWND>& windows = found->second;
        windows.erase(std::remove(windows.begin(), windows.end(), window), windows.end());
    }
}

LRESULT onRegistration(UINT message, WPARAM wParam, LPARAM lParam) {
    HostMessage record{message, wParam, lParam, copyMessageList(lParam)};
    const HWND window = reinterpret_cast<HWND>(wParam);
    if (message == HM_REGISTER_MESSAGES) {
        registerWindow(window, record.list);
    } else {
        unregisterWindow(window, record.list);
    }
    s_hostMessages.push_back(std::move(record));
    return TRUE;
}

LRESULT CALLBACK hostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case HM_REGISTER_MESSAGES:
        case HM_UNREGISTER_MESSAGES:
            return onRegistration(message, wParam, lParam);
        case kTrackMenuRequest:
            trackMenuNow(reinterpret_cast<Menu*>(lParam));
            return 0;
        case WM_CLOSE:
            return 0;  // the host window lives as long as the session
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

bool registerHostWindowClass(HINSTANCE instance) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = hostWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kHostWindowClass;
    return RegisterClassA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// Sends a message to every window registered for it, from a copy of the list, since
// a window may unregister while it handles the message.
void sendToRegistered(UINT message, LPARAM lParam) {
    for (HWND window : windowsRegisteredFor(message)) {
        if (IsWindow(window)) SendMessageA(window, message, 0, lParam);
    }
}

}  // namespace

bool createHostWindow() {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!registerHostWindowClass(instance)) return false;
    s_hostWindow = CreateWindowExA(WS_EX_TOOLWINDOW, kHostWindowClass, "Norvane", WS_POPUP, 0,
                                   0, 0, 0, nullptr, nullptr, instance, nullptr);
    return s_hostWindow != nullptr;
}

void destroyHostWindow() {
    if (s_hostWindow != nullptr) DestroyWindow(s_hostWindow);
    s_hostWindow = nullptr;
}

void forgetRegistrations() {
    s_registrations.clear();
    s_hostMessages.clear();
}

void requestMenuTracking(Menu* menu) {
    if (s_hostWindow != nullptr) {
        PostMessageA(s_hostWindow, kTrackMenuRequest, 0, reinterpret_cast<LPARAM>(menu));
    }
}

HWND hostWindow() { return s_hostWindow; }

std::vector<HWND> windowsRegisteredFor(UINT message) {
    auto found = s_registrations.find(message);
    return found != s_registrations.end() ? found->second : std::vector<HWND>();
}

const std::vector<HostMessage>& hostMessages() { return s_hostMessages; }

void broadcast(const char* text) {
    // A copy of its own: the text may belong to a menu that a handler frees.
    const std::string command = text != nullptr ? text : "";
    sendToRegistered(HM_BROADCAST, reinterpret_cast<LPARAM>(command.c_str()));
}

void setLabel(const char* text) {
    const std::string label = text != nullptr ? text : "";
    sendToRegistered(HM_SET_LABEL, reinterpret_cast<LPARAM>(label.c_str()));
}

void reconfigure() { sendToRegistered(HM_RECONFIGURE, 0); }

}  // namespace norvane

NORVANE_API HWND GetNorvWnd(void) {
    if (norvane::recordingCalls()) norvane::recordCall("GetNorvWnd", {});
    return norvane::hostWindow();
}
