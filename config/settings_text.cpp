#include "config/settings_text.h"

#include <cstring>

namespace {

const SettingsLineFormat kLines[SETTINGS_LINE_COUNT] = {
    {"Pipwick.position.x:", false, "\n", 10},
    {"Pipwick.position.y:", false, "\n", 10},
    {"Pipwick.position.width:", false, "\n", 200},
    {"Pipwick.position.height:", false, "\n", 200},
    {"Pipwick.size.circlesize:", false, "\n", 4},
    {"Pipwick.color.unmarked.red:", false, "\n", 255},
    {"Pipwick.color.unmarked.green:", false, "\n", 255},
    {"Pipwick.color.unmarked.blue:", false, "\n", 255},
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

namespace {

// Appends text to the buffer at used; false when it does not fit with a NUL.
bool append(char* buffer, std::size_t size, std::size_t& used, const char* text) {
    const std::size_t length = std::strlen(text);
    if (used + length + 1 > size) return false;
    std::memcpy(buffer + used, text, length + 1);
    used += length;
    return true;
}

// A signed decimal as %d writes it: a minus sign, no plus sign, no leading zeros.
void decimalText(int value, char (&text)[12]) {
    unsigned int magnitude = value < 0 ? 0u - static_cast<unsigned int>(value)
                                       : static_cast<unsigned int>(value);
    char digits[12];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    int length = 0;
    if (value < 0) text[length++] = '-';
    while (count > 0) text[length++] = digits[--count];
    text[length] = '\0';
}

}  // namespace

int formatSettingsLine(SettingsLine line, int value, char* buffer, std::size_t size) {
    const SettingsLineFormat& format = kLines[line];
    char number[12];
    decimalText(value, number);
    const char* valueText = format.isBool ? (value != 0 ? "true" : "false") : number;
    std::size_t used = 0;
    if (!append(buffer, size, used, format.key) || !append(buffer, size, used, " ") ||
        !append(buffer, size, used, valueText) ||
        !append(buffer, size, used, format.lineEnd)) {
        return -1;
    }
    return static_cast<int>(used);
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
