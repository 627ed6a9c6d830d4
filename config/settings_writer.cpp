// Writes the whole settings file so that it is never lost: the new text goes to a
// temporary file beside it, is flushed to the disk, and then replaces the file in one
// rename. A failure at any step leaves the old file as it was. Where no file may be
// created beside it, the file is rewritten in place instead.
//
// Another program may hold the settings file open for a while (a scanner, the search
// indexer, a sync client, an editor), and the rename is refused meanwhile. The shell's
// GUI thread never waits for it: the complete temporary file is kept, and the rename
// is tried again at the clock's next ticks, until it succeeds or a newer write takes
// its place.
#include <cstring>

#include "config/settings_text.h"
#include "plugin/clock_plugin.h"

char g_lineBuffer[1024];

namespace {

// The temporary file has the settings file's name with its last character changed,
// so its path is never longer than the settings path and the locator never finds it.
void temporaryPathFor(const char* rcFile, char* temporaryPath) {
    const std::size_t length = std::strlen(rcFile);
    std::memcpy(temporaryPath, rcFile, length + 1);
    temporaryPath[length - 1] = '~';
}

// The whole text goes out in one WriteFile: each call is a trip into the system.
// Eighteen lines of the longest values stay well under the buffer's size.
bool writeLines(HANDLE file, const int (&values)[SETTINGS_LINE_COUNT]) {
    const int length = formatSettingsText(values, g_lineBuffer, sizeof g_lineBuffer);
    DWORD written = 0;
    return length >= 0 &&
           WriteFile(file, g_lineBuffer, static_cast<DWORD>(length), &written, nullptr) &&
           written == static_cast<DWORD>(length);
}

enum class TemporaryFile { Written, NotCreated, Failed };

struct TemporaryWrite {
    TemporaryFile result;
    DWORD createError;  // why the file could not be created
};

// The temporary file takes the settings file's hidden and system attributes, which
// the rename then carries over. Its data is on the disk before it is closed: after a
// power cut the file system may keep a rename whose file's data never left the cache.
TemporaryWrite writeTemporaryFile(const char* path, DWORD attributes,
                                  const int (&values)[SETTINGS_LINE_COUNT]) {
    HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              attributes != 0 ? attributes : FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {TemporaryFile::NotCreated, GetLastError()};
    const bool written = writeLines(file, values) && FlushFileBuffers(file);
    const bool closed = CloseHandle(file) != 0;
    return {written && closed ? TemporaryFile::Written : TemporaryFile::Failed, 0};
}

// A folder where the user may not create files can still hold a settings file that
// the user may write. It is then rewritten where it stands: the whole text in one
// write, and its end set after it.
bool rewriteInPlace(const char* path, const int (&values)[SETTINGS_LINE_COUNT]) {
    HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool written = writeLines(file, values) && SetEndOfFile(file);
    return CloseHandle(file) && written;
}

enum class Replace { Done, Held, Failed };

// Held: another program has the file open, and the temporary file is kept for a later
// try. Any other failure removes it.
Replace replaceFile(const char* source, const char* target) {
    if (MoveFileExA(source, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return Replace::Done;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION) return Replace::Held;
    DeleteFileA(source);
    return Replace::Failed;
}

}  // namespace

// True when the file holds the text, or a complete temporary file waits to replace
// it. A read-only settings file is the user's to keep as it is.
bool ClockPlugin::writeSettingsFile() {
    if (rcFile[0] == '\0') return false;
    const int values[SETTINGS_LINE_COUNT] = {
        xpos,          ypos,          width,       height,      circleSize,
        unmarkedRed,   unmarkedGreen, unmarkedBlue, markedRed,  markedGreen,
        markedBlue,    alwaysOnTop,   snapWindow,  transparency, alpha,
        g_inSlit,      autoResize,    timerInterval,
    };
    const DWORD attributes = GetFileAttributesA(rcFile);
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY)) return true;
    const DWORD kept = exists ? attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM) : 0;

    char temporaryPath[MAX_PATH];
    temporaryPathFor(rcFile, temporaryPath);
    const TemporaryWrite temporary = writeTemporaryFile(temporaryPath, kept, values);
    switch (temporary.result) {
    case TemporaryFile::Written: {
        const Replace replaced = replaceFile(temporaryPath, rcFile);
        replacePending = replaced == Replace::Held;
        return replaced != Replace::Failed;
    }
    case TemporaryFile::NotCreated:
        // A temporary file that still waits for its rename was not touched and still
        // waits. Otherwise: refused, not failed for want of space, for a full disk must
        // not get the chance to leave the file half-written.
        if (replacePending) return true;
        return exists && temporary.createError == ERROR_ACCESS_DENIED &&
               rewriteInPlace(rcFile, values);
    case TemporaryFile::Failed:
        DeleteFileA(temporaryPath);
        replacePending = false;
        return false;
    }
    return false;
}

// At each tick of the clock, until the program holding the file lets go.
void ClockPlugin::retryPendingReplace() {
    if (!replacePending) return;
    char temporaryPath[MAX_PATH];
    temporaryPathFor(rcFile, temporaryPath);
    replacePending = replaceFile(temporaryPath, rcFile) == Replace::Held;
}

// When the record ends: one last try, and the temporary file is removed if the
// settings file is still held.
void ClockPlugin::settlePendingReplace() {
    retryPendingReplace();
    dropPendingReplace();
}

// The waiting text is given up: the file is read back as it stands, and older values
// must not land on it later.
void ClockPlugin::dropPendingReplace() {
    if (!replacePending) return;
    char temporaryPath[MAX_PATH];
    temporaryPathFor(rcFile, temporaryPath);
    DeleteFileA(temporaryPath);
    replacePending = false;
}
