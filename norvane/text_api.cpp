// The host's text functions for plug-ins: style descriptions, command tokens and
// part search.
#include "norvane/host_internal.h"

#include <cstring>

#include "host/norvane_api.h"
#include "norvane/command_text.h"
#include "norvane/style_words.h"

constexpr bool sameNumber(norvane::GradientKind kind, StyleGradient gradient) {
    return static_cast<int>(kind) == static_cast<int>(gradient);
}
static_assert(sameNumber(norvane::kGradientHorizontal, GRADIENT_HORIZONTAL) &&
                  sameNumber(norvane::kGradientCrossDiagonal, GRADIENT_CROSSDIAGONAL) &&
                  sameNumber(norvane::kGradientPyramid, GRADIENT_PYRAMID) &&
                  sameNumber(norvane::kGradientSolid, GRADIENT_SOLID),
              "the style words number gradients as the host interface does");

using norvane::recordingCalls;
using norvane::recordCall;
using norvane::textArgument;

NORVANE_API void ParseItem(const char* description, StyleItem* item) {
    if (recordingCalls()) {
        recordCall("ParseItem", {textArgument(description), norvane::pointerText(item)});
    }
    if (item == nullptr) return;
    const norvane::StyleWords words = norvane::parseStyleWords(description);
    std::memset(item, 0, sizeof *item);
    item->bevelStyle = words.bevelStyle;
    item->bevelPosition = words.bevelPosition;
    item->gradientType = words.gradientType;
    item->solid = words.solid ? 1 : 0;
    item->interlaced = words.interlaced ? 1 : 0;
}

NORVANE_API int NorvTokenize(const char* text, char** tokens, unsigned count, char* rest) {
    if (recordingCalls()) {
        recordCall("NorvTokenize", {textArgument(text), norvane::pointerText(tokens),
                                    norvane::numberArgument(count), norvane::pointerText(rest)});
    }
    return norvane::tokenize(text, tokens, count, rest);
}

NORVANE_API bool IsInString(const char* text, const char* part) {
    if (recordingCalls()) recordCall("IsInString", {textArgument(text), textArgument(part)});
    return norvane::containsIgnoringCase(text, part);
}
