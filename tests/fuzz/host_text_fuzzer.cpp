// The stand-in host's text handling over any input: the settings reader, the
// one-key replacement behind WriteBool, style words, and the tokenizer and part
// search behind NorvTokenize and IsInString.
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "norvane/command_text.h"
#include "norvane/settings_lookup.h"
#include "norvane/style_words.h"

namespace {

// A key with a colon inside its name ("a : b") reads the same line as a shorter key
// ("a"), whose value begins with the rest: such pairs share a line by design.
bool plainKey(const std::string& key) {
    std::size_t end = key.find_last_not_of(" \t");
    if (end == std::string::npos) return true;
    if (key[end] == ':') --end;
    return key.find(':') == std::string::npos || key.find(':') > end;
}

void settingsReader(FuzzInput& input) {
    const std::string key = input.text();
    const std::string defaultText = input.text();
    const std::string text = input.rest();
    std::string_view value;
    if (norvane::findValue(text, key.c_str(), &value)) {
        FUZZ_CHECK(value.data() >= text.data() &&
                   value.data() + value.size() <= text.data() + text.size());
        FUZZ_CHECK(value.find('\n') == std::string_view::npos);
        const int number = norvane::integerOr(value, 7);
        if (number != 7) FUZZ_CHECK(norvane::integerOr(value, 8) == number);
        norvane::booleanOr(value, true);
        norvane::Colour colour = 0;
        if (norvane::parseColour(value, &colour)) FUZZ_CHECK((colour >> 24) == 0);
        FUZZ_CHECK((norvane::colourOr(value, defaultText.c_str()) >> 24) == 0);
    }
}

// WriteBool's replacement: the value reads back, and so does every other key that
// was there.
void keyReplacement(FuzzInput& input) {
    const std::string key = input.text();
    const bool value = (input.byte() & 1) != 0;
    const std::string other = input.text();
    const std::string text = input.rest();
    std::string updated;
    if (!norvane::withKeyValue(text, key.c_str(), value ? "true" : "false", &updated)) {
        FUZZ_CHECK(!norvane::isWritableKey(key.c_str()));
        return;
    }
    std::string_view written;
    FUZZ_CHECK(norvane::findValue(updated, key.c_str(), &written));
    FUZZ_CHECK(norvane::booleanOr(written, !value) == value);
    std::string_view before;
    std::string_view after;
    if (!plainKey(key) || !plainKey(other)) return;
    if (!norvane::findValue(text, other.c_str(), &before)) return;
    // The other key keeps its value unless it is the same key under another spelling.
    FUZZ_CHECK(norvane::findValue(updated, other.c_str(), &after));
    if (after != before) {
        std::string_view same;
        FUZZ_CHECK(norvane::findValue(updated, other.c_str(), &same) && same == written);
    }
}

void styleWords(FuzzInput& input) {
    const std::string description = input.rest();
    const norvane::StyleWords words = norvane::parseStyleWords(description.c_str());
    FUZZ_CHECK(words.bevelStyle >= norvane::kBevelFlat && words.bevelStyle <= norvane::kBevelSunken);
    FUZZ_CHECK(words.bevelPosition == 1 || words.bevelPosition == 2);
    FUZZ_CHECK(words.gradientType >= norvane::kGradientHorizontal &&
               words.gradientType <= norvane::kGradientSolid);
    FUZZ_CHECK(words.solid == (words.gradientType == norvane::kGradientSolid));
}

// Buffers exactly as large as the documents promise suffice: strlen(text) + 1.
void tokenizer(FuzzInput& input) {
    const unsigned count = input.byte() % 5;
    const std::string part = input.text();
    const std::string text = input.text();
    const std::size_t room = text.size() + 1;
    std::vector<std::vector<char>> buffers(count, std::vector<char>(room, '\x55'));
    std::vector<char*> tokens;
    for (auto& buffer : buffers) tokens.push_back(buffer.data());
    std::vector<char> rest(room, '\x55');
    const int found = norvane::tokenize(text.c_str(), tokens.empty() ? nullptr : tokens.data(),
                                        count, rest.data());
    FUZZ_CHECK(found >= 0 && static_cast<unsigned>(found) <= count);
    for (auto& buffer : buffers) FUZZ_CHECK(std::memchr(buffer.data(), '\0', room) != nullptr);
    FUZZ_CHECK(std::memchr(rest.data(), '\0', room) != nullptr);

    const bool contained = norvane::containsIgnoringCase(text.c_str(), part.c_str());
    if (text.find(part) != std::string::npos) FUZZ_CHECK(contained);
    if (contained) FUZZ_CHECK(part.size() <= text.size());
    FUZZ_CHECK(norvane::containsIgnoringCase(text.c_str(), ""));
    FUZZ_CHECK(!norvane::containsIgnoringCase(nullptr, part.c_str()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    switch (input.byte() % 4) {
    case 0: settingsReader(input); break;
    case 1: keyReplacement(input); break;
    case 2: styleWords(input); break;
    default: tokenizer(input); break;
    }
    return 0;
}
