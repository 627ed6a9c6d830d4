#include "norvane/command_text.h"
#include "norvane/settings_lookup.h"
#include "norvane/style_words.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <string_view>

namespace {

using norvane::Colour;

std::string valueOf(std::string_view text, const char* key) {
    std::string_view value;
    if (!norvane::findValue(text, key, &value)) return "<missing>";
    return std::string(value);
}

std::string written(std::string_view text, const char* key, const char* value) {
    std::string result;
    EXPECT_TRUE(norvane::withKeyValue(text, key, value, &result));
    return result;
}

TEST(HostSettingsLookup, MatchesKeysWithoutLetterCaseAndTrimsValues) {
    const char text[] = "Pipwick.alwaysOnTop:   true  \n"
                        "  toolbar.COLOR :\t#102030\t\n";
    EXPECT_EQ(valueOf(text, "pipwick.ALWAYSONTOP:"), "true");
    EXPECT_EQ(valueOf(text, "Toolbar.Color:"), "#102030");
    EXPECT_EQ(valueOf(text, "toolbar.color"), "#102030");
}

TEST(HostSettingsLookup, AcceptsCrLfAndLfLineEndsAndAFinalLineWithout) {
    const char text[] = "a: 1\r\nb: 2\nc: 3\r\nd: 4";
    EXPECT_EQ(valueOf(text, "a:"), "1");
    EXPECT_EQ(valueOf(text, "b:"), "2");
    EXPECT_EQ(valueOf(text, "c:"), "3");
    EXPECT_EQ(valueOf(text, "d:"), "4");
}

TEST(HostSettingsLookup, KeyMustBeWholeAndFirstLineWins) {
    const char text[] = "Pipwick.transparency.alpha: 200\r\n"
                        "toolbar.color: #ffffff\n"
                        "Pipwick.transparency: false\r\n"
                        "PIPWICK.TRANSPARENCY: true\n";
    EXPECT_EQ(valueOf(text, "Pipwick.transparency:"), "false");
    EXPECT_EQ(valueOf(text, "toolbar:"), "<missing>");
    EXPECT_EQ(valueOf(text, "Pipwick.transparency.alph:"), "<missing>");
}

TEST(HostSettingsLookup, EmptyValueIsFoundAndBadKeysAreNot) {
    const char text[] = "empty:\r\n: orphan\n";
    EXPECT_EQ(valueOf(text, "empty:"), "");
    EXPECT_EQ(valueOf(text, ":"), "<missing>");
    EXPECT_EQ(valueOf(text, ""), "<missing>");
    EXPECT_EQ(valueOf(text, nullptr), "<missing>");
    EXPECT_EQ(valueOf("", "empty:"), "<missing>");
}

TEST(HostSettingsLookup, TextWithNulBytesIsReadByItsLength) {
    const std::string text("x: 1\n\0garbage\ny: 2\n", 19);
    EXPECT_EQ(valueOf(text, "y:"), "2");
}

TEST(HostIntegers, WholeNumbersInRangeOnly) {
    EXPECT_EQ(norvane::integerOr("42", 7), 42);
    EXPECT_EQ(norvane::integerOr("-15", 7), -15);
    EXPECT_EQ(norvane::integerOr("+8", 7), 8);
    EXPECT_EQ(norvane::integerOr("007", 7), 7);
    EXPECT_EQ(norvane::integerOr("2147483647", 7), INT_MAX);
    EXPECT_EQ(norvane::integerOr("-2147483648", 7), INT_MIN);
    EXPECT_EQ(norvane::integerOr("2147483648", 7), 7);
    EXPECT_EQ(norvane::integerOr("-2147483649", 7), 7);
    EXPECT_EQ(norvane::integerOr("99999999999999999999999", 7), 7);
    EXPECT_EQ(norvane::integerOr("12abc", 7), 7);
    EXPECT_EQ(norvane::integerOr("1.5", 7), 7);
    EXPECT_EQ(norvane::integerOr("-", 7), 7);
    EXPECT_EQ(norvane::integerOr("", 7), 7);
}

TEST(HostBooleans, TrueAndFalseInAnyCaseElseTheDefault) {
    EXPECT_TRUE(norvane::booleanOr("TRUE", false));
    EXPECT_FALSE(norvane::booleanOr("False", true));
    EXPECT_TRUE(norvane::booleanOr("yes", true));
    EXPECT_FALSE(norvane::booleanOr("1", false));
    EXPECT_FALSE(norvane::booleanOr("truely", false));
}

TEST(HostColours, LongAndShortHexTexts) {
    Colour colour = 0;
    ASSERT_TRUE(norvane::parseColour("#102030", &colour));
    EXPECT_EQ(colour, 0x302010u);  // red in the lowest byte
    ASSERT_TRUE(norvane::parseColour("#FfA", &colour));
    EXPECT_EQ(colour, 0xAAFFFFu);
    EXPECT_FALSE(norvane::parseColour("102030", &colour));
    EXPECT_FALSE(norvane::parseColour("#1020", &colour));
    EXPECT_FALSE(norvane::parseColour("#10203g", &colour));
    EXPECT_FALSE(norvane::parseColour("#1020304", &colour));
}

TEST(HostColours, FallsBackToTheDefaultTextThenToBlack) {
    EXPECT_EQ(norvane::colourOr("#ff0000", "#00ff00"), 0x0000FFu);
    EXPECT_EQ(norvane::colourOr("red", "#00ff00"), 0x00FF00u);
    EXPECT_EQ(norvane::colourOr("", "#FFFFFF"), 0xFFFFFFu);
    EXPECT_EQ(norvane::colourOr("red", "white"), 0u);
    EXPECT_EQ(norvane::colourOr("red", nullptr), 0u);
}

TEST(HostKeyWriting, ReplacesOnlyTheValueAndKeepsEveryOtherByte) {
    const char before[] = "Pipwick.snapWindow: true\n"
                          "Pipwick.transparency: false\r\n"
                          "Pipwick.transparency.alpha: 200\r\n"
                          "Pipwick.timerInterval: 5\n";
    const char after[] = "Pipwick.snapWindow: true\n"
                         "Pipwick.transparency: true\r\n"
                         "Pipwick.transparency.alpha: 200\r\n"
                         "Pipwick.timerInterval: 5\n";
    EXPECT_EQ(written(before, "Pipwick.transparency:", "true"), after);
    EXPECT_EQ(written(after, "pipwick.TRANSPARENCY:", "false"), before);
}

TEST(HostKeyWriting, KeepsBlanksAroundTheValueAndTouchesOnlyTheFirstLine) {
    EXPECT_EQ(written("  k :\tfalse  \r\nk: false\n", "k:", "true"),
              "  k :\ttrue  \r\nk: false\n");
    EXPECT_EQ(written("k:false", "k:", "true"), "k:true");
    EXPECT_EQ(written("k:\r\nz: 1\n", "k:", "true"), "k: true\r\nz: 1\n");
}

TEST(HostKeyWriting, AppendsAMissingKeyOnALineOfItsOwn) {
    EXPECT_EQ(written("a: 1\n", "Pipwick.autoResize:", "true"),
              "a: 1\nPipwick.autoResize: true\n");
    EXPECT_EQ(written("a: 1", "b", "false"), "a: 1\nb: false\n");
    EXPECT_EQ(written("a: 1\r\n", "b:", "true"), "a: 1\r\nb: true\n");
    EXPECT_EQ(written("", "b:", "true"), "b: true\n");
}

TEST(HostKeyWriting, RefusesKeysThatCannotStandOnALine) {
    std::string result = "unchanged";
    EXPECT_FALSE(norvane::withKeyValue("a: 1\n", nullptr, "true", &result));
    EXPECT_FALSE(norvane::withKeyValue("a: 1\n", " : ", "true", &result));
    EXPECT_FALSE(norvane::withKeyValue("a: 1\n", "b:\nc:", "true", &result));
    EXPECT_FALSE(norvane::withKeyValue("a: 1\n", "b\r:", "true", &result));
    EXPECT_EQ(result, "unchanged");
}

TEST(HostKeyWriting, WrittenValueReadsBack) {
    std::string text = "x: 1\r\ny: no\r\n";
    text = written(text, "y:", "true");
    EXPECT_TRUE(norvane::booleanOr(valueOf(text, "y:"), false));
    text = written(text, "z:", "false");
    EXPECT_FALSE(norvane::booleanOr(valueOf(text, "z:"), true));
    EXPECT_EQ(valueOf(text, "x:"), "1");
}

struct Tokens {
    char first[64];
    char second[64];
    char rest[64];
    int count = 0;
};

Tokens tokenized(const char* text) {
    Tokens tokens;
    // Stale bytes, so a buffer left unwritten shows.
    std::memset(tokens.first, 'X', sizeof tokens.first);
    std::memset(tokens.second, 'X', sizeof tokens.second);
    std::memset(tokens.rest, 'X', sizeof tokens.rest);
    char* list[2] = {tokens.first, tokens.second};
    tokens.count = norvane::tokenize(text, list, 2, tokens.rest);
    return tokens;
}

TEST(HostTokenizer, TakesTwoTokensAndLeavesTheRest) {
    const Tokens tokens = tokenized("  @Pipwick   AlwaysOnTop  now please ");
    EXPECT_EQ(tokens.count, 2);
    EXPECT_STREQ(tokens.first, "@Pipwick");
    EXPECT_STREQ(tokens.second, "AlwaysOnTop");
    EXPECT_STREQ(tokens.rest, "now please ");
}

TEST(HostTokenizer, QuotesGroupBlanksAndAreRemoved) {
    Tokens tokens = tokenized("\"@Pipwick x\" \"Always\"OnTop \"a b\"");
    EXPECT_EQ(tokens.count, 2);
    EXPECT_STREQ(tokens.first, "@Pipwick x");
    EXPECT_STREQ(tokens.second, "AlwaysOnTop");
    EXPECT_STREQ(tokens.rest, "\"a b\"");

    tokens = tokenized("\"\" \"unclosed quote");
    EXPECT_EQ(tokens.count, 2);
    EXPECT_STREQ(tokens.first, "");
    EXPECT_STREQ(tokens.second, "unclosed quote");
}

TEST(HostTokenizer, FewerTokensEmptyTheOtherBuffers) {
    Tokens tokens = tokenized("@Pipwick\r\n");
    EXPECT_EQ(tokens.count, 1);
    EXPECT_STREQ(tokens.first, "@Pipwick");
    EXPECT_STREQ(tokens.second, "");
    EXPECT_STREQ(tokens.rest, "");

    tokens = tokenized(" \t ");
    EXPECT_EQ(tokens.count, 0);
    EXPECT_STREQ(tokens.first, "");

    tokens = tokenized(nullptr);
    EXPECT_EQ(tokens.count, 0);
    EXPECT_STREQ(tokens.second, "");
    EXPECT_STREQ(tokens.rest, "");
}

TEST(HostTokenizer, NullBuffersAreSkippedButCounted) {
    char only[16];
    char* list[3] = {nullptr, only, nullptr};
    EXPECT_EQ(norvane::tokenize("a b c d", list, 3, nullptr), 3);
    EXPECT_STREQ(only, "b");
    EXPECT_EQ(norvane::tokenize("a b", nullptr, 2, nullptr), 2);
    char rest[16];
    EXPECT_EQ(norvane::tokenize("  a b", list, 0, rest), 0);
    EXPECT_STREQ(rest, "a b");
}

TEST(HostTokenizer, TokensFitBuffersTheSizeOfTheText) {
    // Buffers exactly strlen + 1 long; ASan reports any write past them.
    const char text[] = "\"x\"\"y\" zz";
    const size_t size = sizeof text;
    std::string first(size, '\0'), second(size, '\0'), rest(size, '\0');
    char* list[2] = {&first[0], &second[0]};
    EXPECT_EQ(norvane::tokenize(text, list, 2, &rest[0]), 2);
    EXPECT_STREQ(first.c_str(), "xy");
    EXPECT_STREQ(second.c_str(), "zz");
}

TEST(HostIsInString, FindsPartsWithoutLetterCase) {
    EXPECT_TRUE(norvane::containsIgnoringCase("@Pipwick About", "@Pipwick"));
    EXPECT_TRUE(norvane::containsIgnoringCase("say @PIPWICK about", "@pipwick"));
    EXPECT_TRUE(norvane::containsIgnoringCase("aaab", "aab"));
    EXPECT_TRUE(norvane::containsIgnoringCase("abc", ""));
    EXPECT_FALSE(norvane::containsIgnoringCase("@Pipwic", "@Pipwick"));
    EXPECT_FALSE(norvane::containsIgnoringCase("@Norv", "@Pipwick"));
    EXPECT_FALSE(norvane::containsIgnoringCase(nullptr, "a"));
    EXPECT_FALSE(norvane::containsIgnoringCase("a", nullptr));
}

TEST(HostStyleWords, TheUsualDescriptions) {
    norvane::StyleWords words = norvane::parseStyleWords("Flat Gradient Vertical");
    EXPECT_EQ(words.bevelStyle, norvane::kBevelFlat);
    EXPECT_EQ(words.gradientType, norvane::kGradientVertical);
    EXPECT_FALSE(words.solid);
    EXPECT_FALSE(words.interlaced);
    EXPECT_EQ(words.bevelPosition, 1);

    words = norvane::parseStyleWords("sunken GRADIENT crossdiagonal interlaced bevel2");
    EXPECT_EQ(words.bevelStyle, norvane::kBevelSunken);
    EXPECT_EQ(words.gradientType, norvane::kGradientCrossDiagonal);
    EXPECT_TRUE(words.interlaced);
    EXPECT_EQ(words.bevelPosition, 2);

    words = norvane::parseStyleWords("Raised Solid");
    EXPECT_EQ(words.bevelStyle, norvane::kBevelRaised);
    EXPECT_EQ(words.gradientType, norvane::kGradientSolid);
    EXPECT_TRUE(words.solid);
}

TEST(HostStyleWords, EveryDirectionWord) {
    const struct {
        const char* description;
        int kind;
    } cases[] = {
        {"Gradient Horizontal", norvane::kGradientHorizontal},
        {"Gradient Diagonal", norvane::kGradientDiagonal},
        {"Gradient Pipecross", norvane::kGradientPipeCross},
        {"Gradient Elliptic", norvane::kGradientElliptic},
        {"Gradient Rectangle", norvane::kGradientRectangle},
        {"Pyramid Gradient", norvane::kGradientPyramid},
        {"Gradient", norvane::kGradientVertical},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(norvane::parseStyleWords(c.description).gradientType, c.kind) << c.description;
    }
}

TEST(HostStyleWords, WordsMustBeWholeAndLaterWordsWin) {
    norvane::StyleWords words = norvane::parseStyleWords("Gradients Raisedd Bevel12 Flatly");
    EXPECT_TRUE(words.solid);
    EXPECT_EQ(words.bevelStyle, norvane::kBevelFlat);
    EXPECT_EQ(words.bevelPosition, 1);

    words = norvane::parseStyleWords("Gradient Elliptic Solid Raised Sunken");
    EXPECT_TRUE(words.solid);
    EXPECT_EQ(words.gradientType, norvane::kGradientSolid);
    EXPECT_EQ(words.bevelStyle, norvane::kBevelSunken);

    words = norvane::parseStyleWords(nullptr);
    EXPECT_TRUE(words.solid);
    EXPECT_EQ(words.bevelStyle, norvane::kBevelFlat);
}

}  // namespace
