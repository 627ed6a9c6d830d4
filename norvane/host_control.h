// How a program drives the stand-in Norvane host: the run program (main.cpp) uses it
// to show the clock to a person, the test program uses it to drive the plug-in and to
// read back what the plug-in asked of the host.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace norvane {

struct HostOptions {
    // What GetNorvanePath answers; a trailing backslash is added when missing.
    // Empty: the directory of the running executable.
    std::string directory;
    // What stylePath answers. Empty: "<directory>sample.style".
    std::string styleFile;
    // Where Log appends its lines, each ending in CR LF. Empty: "<directory>norvane.log".
    std::string logFile;
    // Record every host call, hold menus instead of tracking them, and let
    // NorvExecute record instead of opening a program.
    bool record = false;
};

// Creates the hidden main window (GetNorvWnd answers it) and the slit window.
// Called while a session runs, it stops that session first.
bool startHost(const HostOptions& options);
// Destroys both windows, frees every menu still alive, forgets registrations and
// clears every record. A plug-in window still in the slit is given back (no parent,
// WS_POPUP) rather than destroyed with it.
void stopHost();
HWND hostWindow();
HWND slitWindow();

// Windows registered through HM_REGISTER_MESSAGES for a message, in registration order.
std::vector<HWND> windowsRegisteredFor(UINT message);
// Send HM_BROADCAST, HM_SET_LABEL or HM_RECONFIGURE to every window registered for it.
void broadcast(const char* text);
void setLabel(const char* text);
void reconfigure();

// Every host function call in recording mode, in call order. Arguments are texts:
// strings as they are ("(null)" for a null pointer), integers in decimal, bools
// "true"/"false", colours "#rrggbb", rectangles "left,top,right,bottom", pointers and
// handles as pointerText gives them.
struct HostCall {
    std::string function;
    std::vector<std::string> arguments;
};
const std::vector<HostCall>& calls();
std::vector<HostCall> callsTo(const char* function);
void clearCalls();
std::string pointerText(const void* pointer);  // "0x" and lower-case hex; null is "0"

// Messages that reached the slit window (HM_SLIT_ADD, HM_SLIT_REMOVE, HM_SLIT_UPDATE)
// and the host window (HM_REGISTER_MESSAGES, HM_UNREGISTER_MESSAGES), in order.
struct HostMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::vector<UINT> list;  // the message list of a (un)registration
};
const std::vector<HostMessage>& slitMessages();
const std::vector<HostMessage>& hostMessages();
// Called inside the slit's handler, before the slit acts on the message.
void onSlitMessage(std::function<void(const HostMessage&)> hook);
// The plug-in windows the slit holds now.
std::vector<HWND> slitChildren();
// Windows passed to MakeSticky and not since destroyed.
std::vector<HWND> stickyWindows();

// Menus. A snapshot of the tree that the last ShowMenu call showed.
struct RecordedMenu;
struct RecordedMenuEntry {
    std::string caption;
    std::string command;       // empty for a submenu
    bool checked = false;
    const RecordedMenu* submenu = nullptr;
};
struct RecordedMenu {
    std::string title;
    std::vector<RecordedMenuEntry> entries;
};
const RecordedMenu* shownMenu();  // null when nothing has been shown since startHost
// Chooses the entry with this caption anywhere in the shown tree, as a user would:
// its command text goes to the registered windows as HM_BROADCAST. False when absent.
// Submenu entries cannot be chosen. The snapshot stays choosable after DelMenu.
bool chooseMenuEntry(const char* caption);
int liveMenuCount();  // menus made by MakeMenu and not yet freed by DelMenu

// Writes the on-screen pixels of a window (its whole window rectangle, grown to take in
// the windows it owns that are on screen, such as a tooltip) as a PNG file.
bool saveScreenshot(HWND window, const char* path);

}  // namespace norvane
