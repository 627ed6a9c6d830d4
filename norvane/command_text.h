// Splitting command texts into words and finding a part in a text, as the host
// offers them to plug-ins. Platform-free, so it builds natively.
#pragma once

namespace norvane {

// Splits `text` into at most `count` tokens separated by blanks (space, tab, CR,
// LF). Double quotes group blanks into a token and are removed ("a b"c gives
// `a bc`); an unclosed quote runs to the end. Token i goes to tokens[i], and
// what follows the last token taken, without its leading blanks, goes to `rest`.
// Every buffer given is emptied first. No token and no rest is longer than
// `text`, so buffers of strlen(text) + 1 bytes always suffice. Null `text`,
// `tokens`, entries of `tokens` and `rest` are allowed: nothing is stored there.
// Returns the number of tokens found, at most `count`.
int tokenize(const char* text, char** tokens, unsigned count, char* rest);

// True when `part` occurs in `text`, ignoring ASCII letter case. An empty part
// occurs in every text; a null text or part occurs nowhere.
bool containsIgnoringCase(const char* text, const char* part);

}  // namespace norvane
