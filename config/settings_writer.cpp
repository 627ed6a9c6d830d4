// Writes the whole settings file so that it is never lost: the new text goes to a
// temporary file beside it, which then replaces the file in one rename. A failure at
// any step leaves the old file as it was. Where no file may be created beside it,
// the file is rewritten in place instead.
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

enum class TemporaryFile { Written, NotCreated, Failed };

// The temporary file takes the settings file's hidden and system attributes, which
// the rename then carries over.
TemporaryFile writeTemporaryFile(const char* path, DWORD attributes,
                                 const int (&values)[SETTINGS_LINE_COUNT]) {
    HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              attributes != 0 ? attributes : FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return TemporaryFile::NotCreated;
    const bool written = writeLines(file, values);
    const bool closed = CloseHandle(file) != 0;
    return written && closed ? TemporaryFile::Written : TemporaryFile::Failed;
}

// A folder where the user may not create files can still hold a settings file that
// the user may write. It is then rewritten where it stands: the whole text in one
// write, and its end set after it.
void rewriteInPlace(const char* path, const int (&values)[SETTINGS_LINE_COUNT]) {
    HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    if (writeLines(file, values)) SetEndOfFile(file);
    CloseHandle(file);
}

// Another program reading the settings file holds it open for a moment; the rename
// is refused until it lets go.
bool replaceFile(const char* source, const char* target) {
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

// A read-only settings file is the user's to keep as it is.
void ClockPlugin::writeSettings() {
    if (rcFile[0] == '\0') return;
    const int values[SETTINGS_LINE_COUNT] = {
        xpos,          ypos,          width,       height,      circleSize,
        unmarkedRed,   unmarkedGreen, unmarkedBlue, markedRed,  markedGreen,
        markedBlue,    alwaysOnTop,   snapWindow,  transparency, alpha,
        g_inSlit,      autoResize,    timerInterval,
    };
    const DWORD attributes = GetFileAttributesA(rcFile);
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY)) return;
    const DWORD kept = exists ? attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM) : 0;

    char temporaryPath[MAX_PATH];
    temporaryPathFor(rcFile, temporaryPath);
    switch (writeTemporaryFile(temporaryPath, kept, values)) {
    case TemporaryFile::Written:
        if (!replaceFile(temporaryPath, rcFile)) DeleteFileA(temporaryPath);
        break;
    case TemporaryFile::NotCreated:
        // Refused, not failed for want of space: a full disk must not get the chance
        // to leave the file half-written.
        if (exists && GetLastError() == ERROR_ACCESS_DENIED) rewriteInPlace(rcFile, values);
        break;
    case TemporaryFile::Failed:
        DeleteFileA(temporaryPath);
        break;
    }
}
