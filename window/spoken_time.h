// The clock window's text is the time its face shows, "hh:mm:ss". Screen readers
// name a window by its text, so they speak the time; the window keeps no caption.
#pragma once

#include <windows.h>

#include "face/face_time.h"

class ClockPlugin;

// The time of the last face painted, in digits.
void faceTimeText(const ClockPlugin& plugin, char (&text)[kFaceTimeTextSize]);
