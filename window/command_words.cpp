#include "window/command_words.h"

const char kCommandPrefix[] = "@Pipwick";

namespace {

struct CommandWord {
    const char* word;
    PipwickCommand command;
};

const CommandWord kCommandWords[] = {
    {"AlwaysOnTop", PipwickCommand::AlwaysOnTop},
    {"SnapWindowToEdge", PipwickCommand::SnapWindowToEdge},
    {"ToggleSlit", PipwickCommand::ToggleSlit},
    {"Transparency", PipwickCommand::Transparency},
    {"AutoResize", PipwickCommand::AutoResize},
    {"About", PipwickCommand::About},
    {"SaveSettings", PipwickCommand::SaveSettings},
    {"ReadSettings", PipwickCommand::ReadSettings},
    {"EditSettings", PipwickCommand::EditSettings},
};

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool equalsIgnoringCase(const char* a, const char* b) {
    while (*a != '\0' && lowerAscii(*a) == lowerAscii(*b)) {
        ++a;
        ++b;
    }
    return lowerAscii(*a) == lowerAscii(*b);
}

PipwickCommand commandForWord(const char* word) {
    for (const CommandWord& entry : kCommandWords) {
        if (equalsIgnoringCase(word, entry.word)) return entry.command;
    }
    return PipwickCommand::None;
}
