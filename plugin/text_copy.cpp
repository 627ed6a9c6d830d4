#include "plugin/text_copy.h"

#include <cstring>

void copyCut(char* buffer, std::size_t size, const char* text) {
    if (size == 0) return;
    if (text == nullptr) text = "";
    std::size_t length = 0;
    while (length + 1 < size && text[length] != '\0') ++length;
    std::memcpy(buffer, text, length);
    buffer[length] = '\0';
}

bool copyWhole(char* buffer, std::size_t size, const char* text) {
    if (size == 0) return false;
    if (text == nullptr) text = "";
    const std::size_t length = strnlen(text, size);
    if (length == size) {
        buffer[0] = '\0';
        return false;
    }
    std::memcpy(buffer, text, length + 1);
    return true;
}
