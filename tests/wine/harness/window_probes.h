// What a test reads off the clock window and the menu it shows.
#pragma once

#include <windows.h>

#include <string>

#include "norvane/host_control.h"

// The entry with this caption anywhere in a recorded menu tree, or null.
const norvane::RecordedMenuEntry* findMenuEntry(const norvane::RecordedMenu& menu,
                                                const std::string& caption);

// What the check mark of an entry shows in the menu a right-button release builds
// now: 1 checked, 0 not, -1 when the entry is absent.
int menuMark(HWND window, const char* caption);

RECT windowBounds(HWND window);
bool isLayered(HWND window);
bool sameRect(const RECT& a, const RECT& b);
