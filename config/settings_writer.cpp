// Writes the whole settings file so that it is never lost: the new text goes to a
// temporary file beside it, is flushed to the disk, and then replaces the file in one
// rename. A failure at any step leaves the old file as it was. Where no file may be
// created beside it, the file is rewritten in place instead.
//
// Another program may hold the settings file open for a while (a scanner, the search
// indexer, a sync client, an editor), and the rename is refused meanwhile. The shell's
// GUI thread never waits for it: the complete temporary file is kept, and the rename
// is tried again later.
#include "config/settings_writer.h"

#include <windows.h>

#include <cstring>

#include "config/settings_text.h"

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
bool writeLines(HANDLE file, const SettingsValues& values) {
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
                                  const SettingsValues& values) {
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
SettingsWrite rewriteInPlace(const char* path, const SettingsValues& values) {
    HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return SettingsWrite::NotWritten;
    const bool written = writeLines(file, values) && SetEndOfFile(file);
    CloseHandle(file);
    return written ? SettingsWrite::Written : SettingsWrite::NotWritten;
}

// Waiting: another program has the file open, and the temporary file is kept for a
// later try. Any other failure removes it.
SettingsWrite replaceFile(const char* source, const char* target) {
    if (MoveFileExA(source, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return SettingsWrite::Written;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION) {
        return SettingsWrite::Waiting;
    }
    DeleteFileA(source);
    return SettingsWrite::NotWritten;
}

}  // namespace

// A read-only settings file is the user's to keep as it is.
SettingsWrite writeSettingsText(const char* rcFile, const SettingsValues& values) {
    if (rcFile[0] == '\0') return SettingsWrite::NotWritten;
    const DWORD attributes = GetFileAttributesA(rcFile);
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY)) return SettingsWrite::NotWritten;
    const DWORD kept = exists ? attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM) : 0;

    char temporaryPath[MAX_PATH];
    temporaryPathFor(rcFile, temporaryPath);
    const TemporaryWrite temporary = writeTemporaryFile(temporaryPath, kept, values);
    switch (temporary.result) {
    case TemporaryFile::Written:
        return replaceFile(temporaryPath, rcFile);
    case TemporaryFile::NotCreated:
        // Refused, not failed for want of space: a full disk must not get the chance
        // to leave the file half-written.
        if (exists && temporary.createError == ERROR_ACCESS_DENIED) {
            return rewriteInPlace(rcFile, values);
        }
        return SettingsWrite::NotWritten;
    case TemporaryFile::Failed:
        break;
    }
    DeleteFileA(temporaryPath);
    return SettingsWrite::NotWritten;
}

SettingsWrite replaceWithWaitingText(const char* rcFile) {
    char temporaryPath[MAX_PATH];
    temporaryPathFor(rcFile, temporaryPath);
    return replaceFile(temporaryPath, rcFile);
}

void removeWaitingText(const char* rcFile) {
    char temporaryPath[MAX_PATH];
    temporaryPathFor(rcFile, temporaryPath);
    DeleteFileA(temporaryPath);
}
