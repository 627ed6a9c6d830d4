// The plug-in's own handling of outside text: the settings file's lines for any
// values and buffer sizes, the settings search over any module path and host
// directory, command words, and the bounded copies into the record's buffers.
#include <cstring>
#include <string>

#include "config/settings_search.h"
#include "config/settings_text.h"
#include "fuzz_input.h"
#include "norvane/settings_lookup.h"
#include "plugin/text_copy.h"
#include "window/command_words.h"

namespace {

// What the host's directory and the file system answer in this run.
std::string g_hostDirectory;
std::string g_existing;  // the one path that exists, if any
bool g_pathsExist = false;

bool exists(const char* path) {
    FUZZ_CHECK(std::strlen(path) < kSettingsPathSize);
    return g_pathsExist || g_existing == path;
}

void hostDirectory(char* buffer, int size) {
    // As a careless host might: the whole directory, however long, if it fits the
    // size given, else cut without a NUL.
    const std::size_t length = g_hostDirectory.size() < static_cast<std::size_t>(size)
                                   ? g_hostDirectory.size() + 1
                                   : static_cast<std::size_t>(size);
    std::memcpy(buffer, g_hostDirectory.c_str(), length);
}

void settingsText(FuzzInput& input) {
    int values[SETTINGS_LINE_COUNT];
    for (int& value : values) value = input.number();
    const std::size_t size = input.byte() * 4u;
    // Written over a text of any bytes, whose lines the writer keeps.
    const std::string old = input.text();
    std::string buffer(old.size() + size + 1, '\x55');
    const int length =
        formatSettingsTextOver(old.data(), old.size(), values, &buffer[0], old.size() + size);
    if (length < 0) return;
    FUZZ_CHECK(static_cast<std::size_t>(length) < old.size() + size);
    FUZZ_CHECK(buffer[length] == '\0');
    // The host's reader gives every value back as written.
    const std::string text(buffer.c_str(), length);
    for (int line = 0; line < SETTINGS_LINE_COUNT; ++line) {
        const SettingsLineFormat& format = settingsLineFormat(static_cast<SettingsLine>(line));
        std::string_view value;
        FUZZ_CHECK(norvane::findValue(text, format.key, &value));
        if (format.isBool) {
            FUZZ_CHECK(norvane::booleanOr(value, false) == (values[line] != 0));
        } else {
            FUZZ_CHECK(norvane::integerOr(value, 0) == values[line]);
            FUZZ_CHECK(norvane::integerOr(value, 1) == values[line]);
        }
    }
}

void settingsSearch(FuzzInput& input) {
    const std::uint8_t mode = input.byte();
    const std::string modulePath = input.text();
    g_hostDirectory = input.text();
    g_existing = input.text();
    g_pathsExist = (mode & 1) != 0;
    char rcFile[kSettingsPathSize + 16];
    std::memset(rcFile, '\x55', sizeof rcFile);
    // The application data folder gives the host's text too: one more directory of
    // any length.
    const SettingsFileSystem fileSystem = {exists, hostDirectory, hostDirectory};
    const char* module = (mode & 2) ? nullptr : modulePath.c_str();
    findSettingsFile(module, fileSystem, rcFile);
    FUZZ_CHECK(std::memchr(rcFile, '\0', kSettingsPathSize) != nullptr);
    for (std::size_t i = kSettingsPathSize; i < sizeof rcFile; ++i) FUZZ_CHECK(rcFile[i] == '\x55');
    for (const SettingsPlace place : kSettingsPlaces) {
        newSettingsFileIn(place, module, fileSystem, rcFile);
        FUZZ_CHECK(std::memchr(rcFile, '\0', kSettingsPathSize) != nullptr);
    }
    for (std::size_t i = kSettingsPathSize; i < sizeof rcFile; ++i) FUZZ_CHECK(rcFile[i] == '\x55');

    std::string path = modulePath.substr(0, kSettingsPathSize - 1);
    cutToDirectory(&path[0]);
    FUZZ_CHECK(std::strlen(path.c_str()) <= modulePath.size());
}

void commandWords(FuzzInput& input) {
    const std::string word = input.text();
    const std::string other = input.text();
    const PipwickCommand command = commandForWord(word.c_str());
    FUZZ_CHECK(equalsIgnoringCase(word.c_str(), word.c_str()));
    FUZZ_CHECK(equalsIgnoringCase(word.c_str(), other.c_str()) ==
               equalsIgnoringCase(other.c_str(), word.c_str()));
    if (command != PipwickCommand::None) FUZZ_CHECK(word.size() >= 5 && word.size() <= 16);
}

void textCopy(FuzzInput& input) {
    const std::size_t size = input.byte();
    const std::string text = input.text();
    std::string buffer(size + 8, '\x55');
    copyCut(&buffer[0], size, text.c_str());
    if (size > 0) {
        const std::size_t copied = std::strlen(buffer.c_str());
        FUZZ_CHECK(copied < size && copied <= text.size());
        FUZZ_CHECK(text.compare(0, copied, buffer.c_str()) == 0);
    }
    for (std::size_t i = size; i < buffer.size(); ++i) FUZZ_CHECK(buffer[i] == '\x55');
    const bool whole = copyWhole(&buffer[0], size, text.c_str());
    FUZZ_CHECK(whole == (size > text.size()));
    if (size > 0) FUZZ_CHECK(whole ? text == buffer.c_str() : buffer[0] == '\0');
    for (std::size_t i = size; i < buffer.size(); ++i) FUZZ_CHECK(buffer[i] == '\x55');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    switch (input.byte() % 4) {
    case 0: settingsText(input); break;
    case 1: settingsSearch(input); break;
    case 2: commandWords(input); break;
    default: textCopy(input); break;
    }
    return 0;
}
