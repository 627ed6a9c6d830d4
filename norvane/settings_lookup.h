// The host's reading of settings and style texts: lines of "key: value", keys
// compared without regard to ASCII letter case, values trimmed, LF or CR LF line
// ends. Platform-free, so it builds natively for the unit tests.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace norvane {

// A colour as Windows stores it: red in the lowest byte, then green, then blue.
using Colour = std::uint32_t;

// Finds the first line whose key is `key` and gives its trimmed value. The key may
// be given with or without its closing colon ("toolbar:" and "toolbar" are the same
// key); blanks around it are ignored. A null or empty key is never found.
bool findValue(std::string_view text, const char* key, std::string_view* value);

// A whole decimal number (an optional sign and digits) that fits an int, else
// `fallback`.
int integerOr(std::string_view value, int fallback);

// "true" or "false" in any letter case, else `fallback`.
bool booleanOr(std::string_view value, bool fallback);

// "#rrggbb" or "#rgb" (hex digits in any case) into a colour; false for anything
// else.
bool parseColour(std::string_view text, Colour* colour);

// The colour of `value`; when it is not a colour text, the colour of
// `defaultText`; when that is not one either (or null), black.
Colour colourOr(std::string_view value, const char* defaultText);

// A key that can be written as a line of its own: not null, not empty once blanks
// and a closing colon are taken away, and free of line breaks and NUL.
bool isWritableKey(const char* key);

// The settings text with `key` set to `value`. The first line with the key keeps
// every byte but those of its value, line end included; without such a line,
// "key: value" and an LF are appended (after an LF of their own when the text does
// not end in one). False, with `result` untouched, when the key is not writable.
bool withKeyValue(std::string_view text, const char* key, std::string_view value,
                  std::string* result);

}  // namespace norvane
