#include "window/spoken_time.h"

#include <cstring>

#include "plugin/clock_plugin.h"
#include "plugin/text_copy.h"

void faceTimeText(const ClockPlugin& plugin, char (&text)[kFaceTimeTextSize]) {
    formatFaceTime(FaceTime{plugin.now.wHour, plugin.now.wMinute, plugin.now.wSecond}, text);
}

LRESULT copySpokenTime(const ClockPlugin& plugin, WPARAM size, LPARAM buffer) {
    char* const copy = reinterpret_cast<char*>(buffer);
    if (copy == nullptr || size == 0) return 0;
    char text[kFaceTimeTextSize];
    faceTimeText(plugin, text);
    copyCut(copy, size, text);
    return static_cast<LRESULT>(std::strlen(copy));
}

LRESULT spokenTimeLength() {
    return kFaceTimeTextSize - 1;
}
