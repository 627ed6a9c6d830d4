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
