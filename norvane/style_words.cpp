#include "norvane/style_words.h"

#include <cstddef>

namespace norvane {
namespace {

bool isSeparator(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// True when the word of `length` bytes equals `lowerCaseWord`, ignoring case.
bool wordIs(const char* word, size_t length, const char* lowerCaseWord) {
    size_t i = 0;
    for (; i < length; ++i) {
        if (lowerCaseWord[i] == '\0' || lowerAscii(word[i]) != lowerCaseWord[i]) return false;
    }
    return lowerCaseWord[i] == '\0';
}

struct DirectionWord {
    const char* word;
    int kind;
};

const DirectionWord kDirections[] = {
    {"horizontal", kGradientHorizontal}, {"vertical", kGradientVertical},
    {"diagonal", kGradientDiagonal},     {"crossdiagonal", kGradientCrossDiagonal},
    {"pipecross", kGradientPipeCross},   {"elliptic", kGradientElliptic},
    {"rectangle", kGradientRectangle},   {"pyramid", kGradientPyramid},
};

struct WordState {
    StyleWords words;
    bool gradient = false;
    int direction = kGradientVertical;
};

void applyWord(const char* word, size_t length, WordState* state) {
    if (wordIs(word, length, "flat")) state->words.bevelStyle = kBevelFlat;
    else if (wordIs(word, length, "raised")) state->words.bevelStyle = kBevelRaised;
    else if (wordIs(word, length, "sunken")) state->words.bevelStyle = kBevelSunken;
    else if (wordIs(word, length, "solid")) state->gradient = false;
    else if (wordIs(word, length, "gradient")) state->gradient = true;
    else if (wordIs(word, length, "interlaced")) state->words.interlaced = true;
    else if (wordIs(word, length, "bevel1")) state->words.bevelPosition = 1;
    else if (wordIs(word, length, "bevel2")) state->words.bevelPosition = 2;
    else {
        for (const DirectionWord& direction : kDirections) {
            if (wordIs(word, length, direction.word)) state->direction = direction.kind;
        }
    }
}

}  // namespace

StyleWords parseStyleWords(const char* description) {
    WordState state;
    if (description != nullptr) {
        const char* at = description;
        while (*at != '\0') {
            while (isSeparator(*at)) ++at;
            const char* word = at;
            while (*at != '\0' && !isSeparator(*at)) ++at;
            if (at != word) applyWord(word, static_cast<size_t>(at - word), &state);
        }
    }
    state.words.solid = !state.gradient;
    state.words.gradientType = state.gradient ? state.direction : kGradientSolid;
    return state.words;
}

}  // namespace norvane
