// Thousands of generated broadcast texts: random words, "@Pipwick" with random or
// nearly right second tokens, over-long tokens, quotes and control characters. The
// clock survives all of them, and a text changes something exactly when its second
// token (split here as the host's command syntax says, not by the host's own code) is
// one of the nine command words, in any letter case, and the text carries "@Pipwick".
#include <cstdint>
#include <string>
#include <vector>

#include "host/norvane_api.h"
#include "norvane/host_control.h"
#include "plugin_fixture.h"

namespace {

const char* const kCommandWords[] = {
    "AlwaysOnTop", "SnapWindowToEdge", "ToggleSlit",   "Transparency", "AutoResize",
    "About",       "SaveSettings",     "ReadSettings", "EditSettings",
};

// A small generator with a fixed seed, so that every run tries the same texts.
class Generator {
public:
    explicit Generator(std::uint32_t seed) : state_(seed) {}
    std::uint32_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    std::uint32_t below(std::uint32_t bound) { return next() % bound; }
    bool chance(std::uint32_t percent) { return below(100) < percent; }

private:
    std::uint32_t state_;
};

std::string randomCase(Generator& random, std::string word) {
    for (char& c : word) {
        if (c >= 'a' && c <= 'z' && random.chance(30))
            c = static_cast<char>(c - 'a' + 'A');
        else if (c >= 'A' && c <= 'Z' && random.chance(30))
            c = static_cast<char>(c - 'A' + 'a');
    }
    return word;
}

// A command word, or one that is nearly one: cut, lengthened, split or misspelt.
std::string nearWord(Generator& random) {
    std::string word = randomCase(random, kCommandWords[random.below(9)]);
    switch (random.below(6)) {
    case 0: return word;
    case 1: return word.substr(0, word.size() - 1);
    case 2: return word + static_cast<char>('a' + random.below(26));
    case 3: word[random.below(static_cast<std::uint32_t>(word.size()))] ^= 0x01; return word;
    case 4: return "\"" + word + "\"";
    default: return word.substr(0, 3) + "\"" + word.substr(3) + "\"";
    }
}

std::string randomBytes(Generator& random, size_t length) {
    std::string bytes;
    for (size_t i = 0; i < length; ++i) {
        char c = static_cast<char>(1 + random.below(255));  // never a NUL: it ends the text
        bytes.push_back(c);
    }
    return bytes;
}

std::string separator(Generator& random) {
    static const char* const kSeparators[] = {" ", "  ", "\t", "\r\n", "\n", " \x01 ", "\x7f"};
    return kSeparators[random.below(7)];
}

std::string generatedText(Generator& random) {
    std::string text;
    switch (random.below(5)) {
    case 0:  // random words
        for (std::uint32_t i = random.below(5); i > 0; --i)
            text += randomBytes(random, 1 + random.below(12)) + separator(random);
        break;
    case 1:  // the prefix and a random second token
        text = randomCase(random, "@Pipwick") + separator(random) +
               randomBytes(random, 1 + random.below(20));
        break;
    case 2:  // the prefix and a command word or a near one
        text = (random.chance(20) ? randomBytes(random, 3) : "") + randomCase(random, "@Pipwick") +
               separator(random) + nearWord(random);
        if (random.chance(30))
            text += separator(random) + randomBytes(random, random.below(10));
        break;
    case 3:  // over-long tokens
        text = "@Pipwick " + std::string(1 + random.below(1500), 'A' + random.below(26));
        if (random.chance(50))
            text = std::string(1000 + random.below(100), 'x') + " " + nearWord(random);
        break;
    default:  // quotes and control characters around a command word
        text = "\"@Pipwick" + separator(random) + "\"" + nearWord(random) +
               std::string(1, static_cast<char>(1 + random.below(31)));
        break;
    }
    return text;
}

std::string lowered(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

// The second token of a command text, as the host's command syntax defines it: tokens
// are separated by runs of spaces, tabs, CRs and LFs; a double quote opens or closes a
// quoted stretch, in which those separate nothing, and is itself dropped.
std::string secondToken(const std::string& text) {
    std::string token;
    int index = -1;
    bool inToken = false;
    bool quoted = false;
    for (char c : text) {
        const bool blank = c == ' ' || c == '\t' || c == '\r' || c == '\n';
        if (blank && !quoted) {
            inToken = false;
            continue;
        }
        if (!inToken) {
            inToken = true;
            ++index;
        }
        if (c == '"')
            quoted = !quoted;
        else if (index == 1)
            token.push_back(c);
    }
    return token;
}

// What the documents say the text does: the plug-in keeps 1023 characters; they must
// carry "@Pipwick" in any letter case, and their second token must be a command word.
bool expectedToAct(const std::string& sent) {
    const std::string kept = lowered(sent.substr(0, 1023));
    if (kept == "@norvshowplugins" || kept == "@norvhideplugins")
        return false;
    if (kept.find("@pipwick") == std::string::npos)
        return false;
    const std::string second = secondToken(kept);
    for (const char* word : kCommandWords) {
        if (second == lowered(word))
            return true;
    }
    return false;
}

std::string printable(const std::string& text) {
    std::string shown;
    for (unsigned char c : text.substr(0, 80)) {
        if (c >= 32 && c < 127) {
            shown.push_back(static_cast<char>(c));
        } else {
            static const char kHex[] = "0123456789abcdef";
            shown += std::string("\\x") + kHex[c >> 4] + kHex[c & 15];
        }
    }
    return text.size() > 80 ? shown + "... (" + std::to_string(text.size()) + " bytes)" : shown;
}

}  // namespace

class BroadcastFuzzTest : public PluginTest {
protected:
    // Whatever a command does leaves a trace: a host call beyond the prefix search and
    // the split, a message box, a settings file opened for writing, or a window left
    // to be repainted.
    struct Traces {
        size_t hostCalls;
        size_t messageBoxes;
        size_t fileOpens;
        bool repaintPending;
    };

    Traces traces() const {
        size_t hostCalls = 0;
        for (const norvane::HostCall& call : norvane::calls()) {
            if (call.function != "IsInString" && call.function != "NorvTokenize")
                ++hostCalls;
        }
        return {hostCalls, g_messageBoxes.calls.size(), g_files.opens.size(), paintPending()};
    }

    static bool same(const Traces& a, const Traces& b) {
        return a.hostCalls == b.hostCalls && a.messageBoxes == b.messageBoxes &&
               a.fileOpens == b.fileOpens && a.repaintPending == b.repaintPending;
    }
};

TEST_F(BroadcastFuzzTest, OnlyCommandWordsAfterThePrefixChangeAnything) {
    startFrom(floatingSettings());
    HWND window = clockWindow();
    Generator random(20240601u);
    int acted = 0;
    int ignored = 0;
    for (int i = 0; i < 4000; ++i) {
        const std::string text = generatedText(random);
        const bool shouldAct = expectedToAct(text);
        norvane::clearCalls();
        g_messageBoxes.calls.clear();
        g_files.opens.clear();
        ValidateRect(window, nullptr);
        const Traces before = traces();
        ASSERT_EQ(SendMessageA(window, HM_BROADCAST, 0, reinterpret_cast<LPARAM>(text.c_str())), 0);
        ASSERT_TRUE(IsWindow(window)) << "text " << i << ": " << printable(text);
        const bool didAct = !same(traces(), before);
        ASSERT_EQ(didAct, shouldAct) << "text " << i << ": " << printable(text);
        (shouldAct ? acted : ignored) += 1;
    }
    // The generator must try both kinds often, or the check above proves little.
    EXPECT_GT(acted, 200);
    EXPECT_GT(ignored, 2000);
    pumpMessages();
    EXPECT_TRUE(IsWindow(window));
}
