// Writes the whole settings file so that it is never lost: the new text goes to a
// temporary file beside it, which then replaces the file in one rename. A failure at
// any step leaves the old file as it was.
#include <cstring>

#include "config/settings_text.h"
#include "plugin/clock_plugin.h"

char g_lineBuffer[1024];

namespace {

constexpr int kReplaceAttempts = 5;
constexpr DWORD kReplaceRetryMilliseconds = 2;

// The temporary file has the settings file's name with its last character changed,
// so its path is never longer than the settings path and the locator never finds it.
void temporaryPathFor(const char* rcFile, char* temporaryPath) {
    const std::size_t length = std::strlen(rcFile);
    std::memcpy(temporaryPath, rcFile, length + 1);
    temporaryPath[length - 1] = '~';
}

// The whole text goes out in one WriteFile: the file is rewritten on every completed
// move, and each call is a trip into the system. Eighteen lines of the longest
// values stay well under the buffer's size.
bool writeLines(HANDLE file, const int (&values)[SETTINGS_LINE_COUNT]) {
    const int length = formatSettingsText(values, g_lineBuffer, sizeof g_lineBuffer);
    DWORD written = 0;
    return length >= 0 &&
           WriteFile(file, g_lineBuffer, static_cast<DWORD>(length), &written, nullptr) &&
           written == static_cast<DWORD>(length);
}

bool writeFileWhole(const char* path, const int (&values)[SETTINGS_LINE_COUNT]) {
    HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool written = writeLines(file, values);
    const bool closed = CloseHandle(file) != 0;
    return written && closed;
}

bool isReadOnly(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

// Another program reading the settings file holds it open for a moment; the rename
// is refused until it lets go.
bool replaceFile(const char* source, const char* target) {
    if (isReadOnly(target)) return false;
    for (int attempt = 0; attempt < kReplaceAttempts; ++attempt) {
        if (MoveFileExA(source, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return true;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) return false;
        Sleep(kReplaceRetryMilliseconds);
    }
    return false;
}

}  // namespace

void ClockPlugin::writeSettings() {
    if (rcFile[0] == '\0') return;
    const int values[SETTINGS_LINE_COUNT] = {
        xpos,          ypos,          width,       height,      circleSize,
        unmarkedRed,   unmarkedGreen, unmarkedBlue, markedRed,  markedGreen,
        markedBlue,    alwaysOnTop,   snapWindow,  transparency, alpha,
        g_inSlit,      autoResize,    timerInterval,
    };
    char temporaryPath[MAX_PATH];
    temporaryPathFor(rcFile, temporaryPath);
    if (!writeFileWhole(temporaryPath, values) || !replaceFile(temporaryPath, rcFile)) {
        DeleteFileA(temporaryPath);
    }
}
