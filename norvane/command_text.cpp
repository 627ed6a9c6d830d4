#include "norvane/command_text.h"

#include <cstring>

namespace norvane {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

const char* skipBlanks(const char* at) {
    while (isBlank(*at)) ++at;
    return at;
}

// Reads one token starting at `at` (not a blank, not the end) into `out` when it
// is not null; returns where the token ends.
const char* readToken(const char* at, char* out) {
    bool quoted = false;
    size_t length = 0;
    for (; *at != '\0' && (quoted || !isBlank(*at)); ++at) {
        if (*at == '"') {
            quoted = !quoted;
            continue;
        }
        if (out != nullptr) out[length] = *at;
        ++length;
    }
    if (out != nullptr) out[length] = '\0';
    return at;
}

}  // namespace

int tokenize(const char* text, char** tokens, unsigned count, char* rest) {
    if (tokens != nullptr) {
        for (unsigned i = 0; i < count; ++i) {
            if (tokens[i] != nullptr) tokens[i][0] = '\0';
        }
    }
    if (rest != nullptr) rest[0] = '\0';
    if (text == nullptr) return 0;

    const char* at = text;
    unsigned found = 0;
    while (found < count) {
        at = skipBlanks(at);
        if (*at == '\0') break;
        at = readToken(at, tokens != nullptr ? tokens[found] : nullptr);
        ++found;
    }
    if (rest != nullptr) {
        at = skipBlanks(at);
        std::memcpy(rest, at, std::strlen(at) + 1);
    }
    return static_cast<int>(found);
}

bool containsIgnoringCase(const char* text, const char* part) {
    if (text == nullptr || part == nullptr) return false;
    const size_t partLength = std::strlen(part);
    for (const char* start = text;; ++start) {
        size_t i = 0;
        while (i < partLength && start[i] != '\0' && lowerAscii(start[i]) == lowerAscii(part[i])) {
            ++i;
        }
        if (i == partLength) return true;
        // The text ran out while matching: no later start can match either.
        if (start[i] == '\0') return false;
    }
}

}  // namespace norvane
