// Writes the whole settings file so that it is never lost: the new text goes to a
// temporary file beside it, is flushed to the disk, and then replaces the file in one
// rename. A failure at any step leaves the old file as it was. Where no file may be
// created beside it, the file is rewritten in place instead.
//
// The new text is made over the file's text as it stands at that moment, so that the
// lines the writer does not know (the user's comments and blank lines, keys of other
// programs) stay where the user put them.
//
// Another program may hold the settings file open for a while (a scanner, the search
// indexer, a sync client, an editor), and the rename is refused meanwhile. The shell's
// GUI thread never waits for it: the complete temporary file is kept, and the rename
// is tried again later.
#include "config/settings_writer.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "config/settings_text.h"

namespace {

// A larger file is no settings file the user wrote: it is written anew as the
// eighteen lines.
constexpr DWORD kLargestKeptText = 64 * 1024;
// Room for the eighteen lines beside the text kept, whatever their values.
constexpr DWORD kRoomForTheLines = 2048;

// A whole text for the file, in memory of its own.
struct SettingsText {
    char* bytes;
    DWORD length;
};

// The file's bytes as they stand; none for a file that is not there or too large.
// False when the file is there but cannot be read now: a text made without its lines
// would lose them.
bool readCurrentText(const char* path, SettingsText& text) {
    text = SettingsText{nullptr, 0};
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    }
    DWORD sizeHigh = 0;
    const DWORD size = GetFileSize(file, &sizeHigh);
    bool read = true;
    if (size != INVALID_FILE_SIZE && sizeHigh == 0 && size <= kLargestKeptText) {
        text.bytes = static_cast<char*>(std::malloc(size + 1));
        read = text.bytes != nullptr &&
               ReadFile(file, text.bytes, size, &text.length, nullptr) != 0;
    }
    CloseHandle(file);
    return read;
}

// The new text: the values over the lines of the current one.
bool makeNewText(const SettingsText& current, const SettingsValues& values, SettingsText& text) {
    const DWORD size = current.length + kRoomForTheLines;
    text = SettingsText{static_cast<char*>(std::malloc(size)), 0};
    if (text.bytes == nullptr) return false;
    const char* old = current.bytes != nullptr ? current.bytes : "";
    const int length = formatSettingsTextOver(old, current.length, values, text.bytes, size);
    text.length = length > 0 ? static_cast<DWORD>(length) : 0;
    return length > 0;
}

// The temporary file has the settings file's name with its last character changed,
// so its path is never longer than the settings path and the locator never finds it.
void temporaryPathFor(const char* rcFile, char* temporaryPath) {
    const std::size_t length = std::strlen(rcFile);
    std::memcpy(temporaryPath, rcFile, length + 1);
    temporaryPath[length - 1] = '~';
}

// The whole text goes out in one WriteFile: each call is a trip into the system.
bool writeLines(HANDLE file, const SettingsText& text) {
    DWORD written = 0;
    return WriteFile(file, text.bytes, text.length, &written, nullptr) && written == text.length;
}

enum class TemporaryFile { Written, NotCreated, Failed };

struct TemporaryWrite {
    TemporaryFile result;
    DWORD createError;  // why the file could not be created
};

// The temporary file takes the settings file's hidden and system attributes, which
// the rename then carries over. Its data is on the disk before it is closed: after a
// power cut the file system may keep a rename whose file's data never left the cache.
TemporaryWrite writeTemporaryFile(const char* path, DWORD attributes, const SettingsText& text) {
    HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              attributes != 0 ? attributes : FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {TemporaryFile::NotCreated, GetLastError()};
    const bool written = writeLines(file, text) && FlushFileBuffers(file);
    const bool closed = CloseHandle(file) != 0;
    return {written && closed ? TemporaryFile::Written : TemporaryFile::Failed, 0};
}

// A folder where the user may not create files can still hold a settings file that
// the user may write. It is then rewritten where it stands: the whole text in one
// write, and its end set after it.
SettingsWrite rewriteInPlace(const char* path, const SettingsText& text) {
    HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return SettingsWrite::NotWritten;
    const bool written = writeLines(file, text) && SetEndOfFile(file);
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

// Puts the text in place of the settings file.
SettingsWrite replaceWithText(const char* rcFile, bool exists, DWORD attributes,
                              const SettingsText& text) {
    const DWORD kept = exists ? attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM) : 0;
    char temporaryPath[MAX_PATH];
    temporaryPathFor(rcFile, temporaryPath);
    const TemporaryWrite temporary = writeTemporaryFile(temporaryPath, kept, text);
    switch (temporary.result) {
    case TemporaryFile::Written:
        return replaceFile(temporaryPath, rcFile);
    case TemporaryFile::NotCreated:
        // Refused, not failed for want of space: a full disk must not get the chance
        // to leave the file half-written.
        if (exists && temporary.createError == ERROR_ACCESS_DENIED) {
            return rewriteInPlace(rcFile, text);
        }
        return SettingsWrite::NotWritten;
    case TemporaryFile::Failed:
        break;
    }
    DeleteFileA(temporaryPath);
    return SettingsWrite::NotWritten;
}

}  // namespace

// A read-only settings file is the user's to keep as it is.
SettingsWrite writeSettingsText(const char* rcFile, const SettingsValues& values,
                                TextDigest& digest) {
    const TextDigest expected = digest;
    digest.known = false;
    if (rcFile[0] == '\0') return SettingsWrite::NotWritten;
    const DWORD attributes = GetFileAttributesA(rcFile);
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY)) return SettingsWrite::NotWritten;

    SettingsText current;
    if (!readCurrentText(rcFile, current)) {
        std::free(current.bytes);
        return SettingsWrite::Unreadable;
    }
    if (expected.known && !sameDigest(expected, digestOf(current.bytes, current.length))) {
        std::free(current.bytes);
        return SettingsWrite::Changed;
    }
    SettingsText text;
    const bool made = makeNewText(current, values, text);
    std::free(current.bytes);
    const SettingsWrite result =
        made ? replaceWithText(rcFile, exists, attributes, text) : SettingsWrite::NotWritten;
    if (result == SettingsWrite::Written) digest = digestOf(text.bytes, text.length);
    std::free(text.bytes);
    return result;
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
