// Reading, replacing and appending to files on disk, for the settings functions,
// the log and screenshots.
#include "norvane/host_internal.h"

#include <algorithm>

namespace norvane {
namespace {

// Settings and style files are small; anything larger is not one of them.
const LONGLONG kLargestReadableFile = 16LL * 1024 * 1024;
const int kReplaceAttempts = 10;
const DWORD kReplaceRetryMilliseconds = 5;

bool writeAll(HANDLE file, const std::string& text) {
    size_t written = 0;
    while (written < text.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(text.size() - written, 1 << 20));
        DWORD done = 0;
        if (!WriteFile(file, text.data() + written, chunk, &done, nullptr) || done != chunk) {
            return false;
        }
        written += done;
    }
    return true;
}

// Another program holding the target open makes the replace fail for a moment.
bool isPassingRefusal(DWORD error) {
    return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ||
           error == ERROR_LOCK_VIOLATION;
}

bool moveOver(const std::string& from, const char* to) {
    for (int attempt = 0; attempt < kReplaceAttempts; ++attempt) {
        if (MoveFileExA(from.c_str(), to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return true;
        }
        if (!isPassingRefusal(GetLastError())) return false;
        Sleep(kReplaceRetryMilliseconds);
    }
    return false;
}

}  // namespace

FileRead readWholeFile(const char* path, std::string* text) {
    text->clear();
    if (path == nullptr || *path == '\0') return FileRead::kMissing;
    HANDLE file = CreateFileA(path, GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return missing ? FileRead::kMissing : FileRead::kFailed;
    }
    FileRead result = FileRead::kRead;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size) || size.QuadPart > kLargestReadableFile) {
        result = FileRead::kFailed;
    } else {
        text->resize(static_cast<size_t>(size.QuadPart));
        size_t got = 0;
        while (got < text->size()) {
            DWORD done = 0;
            const DWORD wanted = static_cast<DWORD>(text->size() - got);
            if (!ReadFile(file, &(*text)[got], wanted, &done, nullptr)) {
                result = FileRead::kFailed;
                break;
            }
            if (done == 0) break;  // the file shrank meanwhile
            got += done;
        }
        text->resize(got);
    }
    CloseHandle(file);
    if (result != FileRead::kRead) text->clear();
    return result;
}

bool replaceFileContents(const char* path, const std::string& text) {
    if (path == nullptr || *path == '\0') return false;
    // A read-only file is the user's to protect. Windows refuses to replace it; Wine's
    // MoveFileExA would replace it anyway, so the host refuses first.
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return false;
    }
    const std::string temporary =
        std::string(path) + "." + std::to_string(GetCurrentProcessId()) + ".tmp";
    HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool written = writeAll(file, text);
    const bool closed = CloseHandle(file) != 0;
    if (written && closed && moveOver(temporary, path)) return true;
    DeleteFileA(temporary.c_str());
    return false;
}

bool appendToFile(const char* path, const std::string& text) {
    if (path == nullptr || *path == '\0') return false;
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool written = writeAll(file, text);
    return CloseHandle(file) != 0 && written;
}

}  // namespace norvane
