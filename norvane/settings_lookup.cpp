#include "norvane/settings_lookup.h"

#include <cstring>

namespace norvane {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
    }
    return true;
}

// The key without surrounding blanks and without its closing colon; empty when
// nothing is left.
std::string_view keyName(const char* key) {
    if (key == nullptr) return {};
    std::string_view name(key);
    while (!name.empty() && isBlank(name.front())) name.remove_prefix(1);
    while (!name.empty() && isBlank(name.back())) name.remove_suffix(1);
    if (!name.empty() && name.back() == ':') name.remove_suffix(1);
    while (!name.empty() && isBlank(name.back())) name.remove_suffix(1);
    return name;
}

// Where the value of a matching line lies in the text. `valueBegin` is just past
// the colon and the blanks after it; `valueEnd` is where the value stops before
// trailing blanks and the CR of a CR LF.
struct ValueSpan {
    size_t colonEnd = 0;
    size_t valueBegin = 0;
    size_t valueEnd = 0;
};

// Matches one line (its bytes without the LF) that starts at `lineBegin` in the text.
bool matchLine(std::string_view text, size_t lineBegin, size_t lineEnd, std::string_view name,
               ValueSpan* span) {
    size_t at = lineBegin;
    while (at < lineEnd && isBlank(text[at])) ++at;
    if (lineEnd - at < name.size()) return false;
    if (!equalIgnoringCase(text.substr(at, name.size()), name)) return false;
    at += name.size();
    while (at < lineEnd && isBlank(text[at])) ++at;
    if (at == lineEnd || text[at] != ':') return false;
    ++at;
    span->colonEnd = at;
    while (at < lineEnd && isBlank(text[at])) ++at;
    size_t end = lineEnd;
    while (end > at && (isBlank(text[end - 1]) || text[end - 1] == '\r')) --end;
    span->valueBegin = at;
    span->valueEnd = end;
    return true;
}

bool findSpan(std::string_view text, const char* key, ValueSpan* span) {
    const std::string_view name = keyName(key);
    if (name.empty()) return false;
    size_t lineBegin = 0;
    while (lineBegin < text.size()) {
        size_t lineEnd = text.find('\n', lineBegin);
        if (lineEnd == std::string_view::npos) lineEnd = text.size();
        if (matchLine(text, lineBegin, lineEnd, name, span)) return true;
        lineBegin = lineEnd + 1;
    }
    return false;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = lowerAscii(c);
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

bool findValue(std::string_view text, const char* key, std::string_view* value) {
    ValueSpan span;
    if (!findSpan(text, key, &span)) return false;
    if (value != nullptr) *value = text.substr(span.valueBegin, span.valueEnd - span.valueBegin);
    return true;
}

int integerOr(std::string_view value, int fallback) {
    size_t at = 0;
    bool negative = false;
    if (at < value.size() && (value[at] == '+' || value[at] == '-')) {
        negative = value[at] == '-';
        ++at;
    }
    if (at == value.size()) return fallback;
    // Accumulated as a negative number, whose range reaches INT_MIN.
    const long long lowest = -2147483648LL;
    const long long limit = negative ? lowest : -2147483647LL;
    long long number = 0;
    for (; at < value.size(); ++at) {
        const char c = value[at];
        if (c < '0' || c > '9') return fallback;
        number = number * 10 - (c - '0');
        if (number < limit) return fallback;
    }
    return static_cast<int>(negative ? number : -number);
}

bool booleanOr(std::string_view value, bool fallback) {
    if (equalIgnoringCase(value, "true")) return true;
    if (equalIgnoringCase(value, "false")) return false;
    return fallback;
}

bool parseColour(std::string_view text, Colour* colour) {
    if (text.empty() || text[0] != '#') return false;
    const std::string_view digits = text.substr(1);
    if (digits.size() != 6 && digits.size() != 3) return false;
    int channel[3];
    for (int i = 0; i < 3; ++i) {
        if (digits.size() == 6) {
            const int high = hexDigit(digits[2 * i]);
            const int low = hexDigit(digits[2 * i + 1]);
            if (high < 0 || low < 0) return false;
            channel[i] = high * 16 + low;
        } else {
            const int single = hexDigit(digits[i]);
            if (single < 0) return false;
            channel[i] = single * 17;
        }
    }
    if (colour != nullptr) {
        *colour = static_cast<Colour>(channel[0]) | static_cast<Colour>(channel[1]) << 8 |
                  static_cast<Colour>(channel[2]) << 16;
    }
    return true;
}

Colour colourOr(std::string_view value, const char* defaultText) {
    Colour colour = 0;
    if (parseColour(value, &colour)) return colour;
    if (defaultText != nullptr && parseColour(defaultText, &colour)) return colour;
    return 0;
}

bool isWritableKey(const char* key) {
    if (keyName(key).empty()) return false;
    for (const char* c = key; *c != '\0'; ++c) {
        if (*c == '\n' || *c == '\r') return false;
    }
    return true;
}

bool withKeyValue(std::string_view text, const char* key, std::string_view value,
                  std::string* result) {
    if (result == nullptr || !isWritableKey(key)) return false;
    ValueSpan span;
    std::string updated;
    if (findSpan(text, key, &span)) {
        updated.reserve(text.size() + value.size() + 1);
        updated.append(text.substr(0, span.valueBegin));
        // "key:" directly followed by the line end gets the usual blank before the
        // value, so the line reads back as it would have been written.
        if (span.valueBegin == span.colonEnd && span.valueBegin == span.valueEnd) {
            updated.push_back(' ');
        }
        updated.append(value);
        updated.append(text.substr(span.valueEnd));
    } else {
        updated.reserve(text.size() + std::strlen(key) + value.size() + 4);
        updated.append(text);
        if (!updated.empty() && updated.back() != '\n') updated.push_back('\n');
        updated.append(keyName(key));
        updated.append(": ");
        updated.append(value);
        updated.push_back('\n');
    }
    *result = std::move(updated);
    return true;
}

}  // namespace norvane
