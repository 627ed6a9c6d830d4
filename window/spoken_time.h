// The clock window's text is the time its face shows, "hh:mm:ss". Screen readers
// name a window by its text, so they speak the time; the window keeps no caption.
#pragma once

#include <windows.h>

#include "face/face_time.h"

class ClockPlugin;

// The time of the last face painted, in digits.
void faceTimeText(const ClockPlugin& plugin, char (&text)[kFaceTimeTextSize]);

// WM_GETTEXT: copies as much of the time as fits the caller's buffer of `size`
// characters, with its terminating zero, and answers the characters copied.
LRESULT copySpokenTime(const ClockPlugin& plugin, WPARAM size, LPARAM buffer);
// WM_GETTEXTLENGTH.
LRESULT spokenTimeLength();
