#include "config/settings_text.h"

#include <cstdio>
#include <cstring>

namespace {

const SettingsLineFormat kLines[SETTINGS_LINE_COUNT] = {
    {"Pipwick.position.x:", false, "\n", 10},
    {"Pipwick.position.y:", false, "\n", 10},
    {"Pipwick.position.width:", false, "\n", 200},
    {"Pipwick.position.height:", false, "\n", 200},
    {"Pipwick.size.circlesize:", false, "\n", 4},
    {"Pipwick.color.unmarked.red:", false, "\n", 0},
    {"Pipwick.color.unmarked.green:", false, "\n", 0},
    {"Pipwick.color.unmarked.blue:", false, "\n", 0},
    {"Pipwick.color.marked.red:", false, "\n", 0},
    {"Pipwick.color.marked.green:", false, "\n", 0},
    {"Pipwick.color.marked.blue:", false, "\n", 0},
    {"Pipwick.alwaysOnTop:", true, "\n", 1},
    {"Pipwick.snapWindow:", true, "\n", 1},
    {"Pipwick.transparency:", true, "\r\n", 0},
    {"Pipwick.transparency.alpha:", false, "\r\n", 200},
    {"Pipwick.inSlit:", true, "\r\n", 0},
    {"Pipwick.autoResize:", true, "\r\n", 1},
    {"Pipwick.timerInterval:", false, "\n", 5},
};

}  // namespace

const SettingsLineFormat& settingsLineFormat(SettingsLine line) {
    return kLines[line];
}

int formatSettingsLine(SettingsLine line, int value, char* buffer, std::size_t size) {
    const SettingsLineFormat& format = kLines[line];
    int length;
    if (format.isBool) {
        length = std::snprintf(buffer, size, "%s %s%s", format.key,
                               value != 0 ? "true" : "false", format.lineEnd);
    } else {
        length = std::snprintf(buffer, size, "%s %d%s", format.key, value, format.lineEnd);
    }
    if (length < 0 || static_cast<std::size_t>(length) >= size) return -1;
    return length;
}

int formatSettingsText(const int (&values)[SETTINGS_LINE_COUNT], char* buffer,
                       std::size_t size) {
    std::size_t used = 0;
    for (int line = 0; line < SETTINGS_LINE_COUNT; ++line) {
        const int length = formatSettingsLine(static_cast<SettingsLine>(line), values[line],
                                              buffer + used, size - used);
        if (length < 0) return -1;
        used += static_cast<std::size_t>(length);
    }
    return static_cast<int>(used);
}
