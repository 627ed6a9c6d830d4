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

// Appends bytes to the buffer at used, with a NUL after them; false when they do
// not fit.
bool appendBytes(char* buffer, std::size_t size, std::size_t& used, const char* bytes,
                 std::size_t length) {
    if (used + length + 1 > size) return false;
    std::memcpy(buffer + used, bytes, length);
    used += length;
    buffer[used] = '\0';
    return true;
}

bool append(char* buffer, std::size_t size, std::size_t& used, const char* text) {
    return appendBytes(buffer, size, used, text, std::strlen(text));
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

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether the line holds the key: blanks, the key's name in any letter case, blanks
// and its colon, as the host matches a line.
bool lineHoldsKey(const char* line, std::size_t length, const char* key) {
    std::size_t at = 0;
    while (at < length && isBlank(line[at])) ++at;
    const std::size_t nameLength = std::strlen(key) - 1;  // without the colon
    if (length - at < nameLength) return false;
    for (std::size_t i = 0; i < nameLength; ++i) {
        if (lowerAscii(line[at + i]) != lowerAscii(key[i])) return false;
    }
    at += nameLength;
    while (at < length && isBlank(line[at])) ++at;
    return at < length && line[at] == ':';
}

// The known line that this line of the text sets, or SETTINGS_LINE_COUNT for none.
int knownLineOf(const char* line, std::size_t length) {
    for (int known = 0; known < SETTINGS_LINE_COUNT; ++known) {
        if (lineHoldsKey(line, length, kLines[known].key)) return known;
    }
    return SETTINGS_LINE_COUNT;
}

bool appendLine(SettingsLine line, int value, char* buffer, std::size_t size,
                std::size_t& used) {
    const int length = formatSettingsLine(line, value, buffer + used, size - used);
    if (length < 0) return false;
    used += static_cast<std::size_t>(length);
    return true;
}

}  // namespace

int formatSettingsTextOver(const char* old, std::size_t oldLength,
                           const int (&values)[SETTINGS_LINE_COUNT], char* buffer,
                           std::size_t size) {
    bool written[SETTINGS_LINE_COUNT] = {};
    std::size_t used = 0;
    if (size > 0) buffer[0] = '\0';
    bool endsInLineEnd = true;
    for (std::size_t begin = 0; begin < oldLength;) {
        std::size_t end = begin;
        while (end < oldLength && old[end] != '\n') ++end;
        const bool hasLineEnd = end < oldLength;
        const std::size_t next = hasLineEnd ? end + 1 : oldLength;
        const int known = knownLineOf(old + begin, end - begin);
        if (known < SETTINGS_LINE_COUNT && !written[known]) {
            written[known] = true;
            if (!appendLine(static_cast<SettingsLine>(known), values[known], buffer, size, used))
                return -1;
            endsInLineEnd = true;
        } else {
            if (!appendBytes(buffer, size, used, old + begin, next - begin)) return -1;
            endsInLineEnd = hasLineEnd;
        }
        begin = next;
    }
    for (int line = 0; line < SETTINGS_LINE_COUNT; ++line) {
        if (written[line]) continue;
        // A last line of the user's without a line end gets one before the keys.
        if (!endsInLineEnd && !append(buffer, size, used, "\n")) return -1;
        endsInLineEnd = true;
        if (!appendLine(static_cast<SettingsLine>(line), values[line], buffer, size, used))
            return -1;
    }
    return static_cast<int>(used);
}

int formatSettingsText(const int (&values)[SETTINGS_LINE_COUNT], char* buffer,
                       std::size_t size) {
    return formatSettingsTextOver("", 0, values, buffer, size);
}
