// What the host's own sources share among themselves; neither the plug-in nor the
// programs that drive the host see it.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>

#include "host/norvane_api.h"
#include "norvane/host_control.h"

namespace norvane {

// The session (host_session.cpp): options as resolved by startHost.
const std::string& hostDirectory();  // ends in a backslash
const std::string& hostStyleFile();
const std::string& hostLogFile();
bool recordingCalls();

// Recording (recording.cpp). Callers test recordingCalls() first, so that the
// arguments are formatted only when they are kept.
void recordCall(const char* function, std::initializer_list<std::string> arguments);
std::string textArgument(const char* text);
std::string numberArgument(long long number);
std::string boolArgument(bool value);
std::string colourArgument(COLORREF colour);
std::string rectArgument(const RECT& rect);
void forgetCalls();

// The main window (host_window.cpp).
bool createHostWindow();
void destroyHostWindow();
void forgetRegistrations();
// Asks the main window to track a menu once the current message has returned.
void requestMenuTracking(Menu* menu);

// Menus (menus.cpp).
void trackMenuNow(Menu* menu);
void freeAllMenus();

// The slit (slit.cpp).
bool createSlitWindow();
void destroySlitWindow();

// Sticky windows (execute_and_log.cpp).
void forgetStickyWindows();

// Files (file_io.cpp).
enum class FileRead { kRead, kMissing, kFailed };
// The whole file, read while others may keep it open.
FileRead readWholeFile(const char* path, std::string* text);
// Writes the text to a temporary file beside `path` and moves it over `path`, so
// the old file stays whole when anything fails.
bool replaceFileContents(const char* path, const std::string& text);
bool appendToFile(const char* path, const std::string& text);

}  // namespace norvane
