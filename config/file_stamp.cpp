#include "config/settings_file_state.h"

FileStamp stampOf(const char* path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (path == nullptr || path[0] == '\0' ||
        !GetFileAttributesExA(path, GetFileExInfoStandard, &data)) {
        return FileStamp{false, {0, 0}, 0, 0};
    }
    return FileStamp{true, data.ftLastWriteTime, data.nFileSizeHigh, data.nFileSizeLow};
}

bool holdsSomething(const FileStamp& stamp) {
    return stamp.exists && (stamp.sizeLow != 0 || stamp.sizeHigh != 0);
}

bool sameStamp(const FileStamp& a, const FileStamp& b) {
    if (a.exists != b.exists) return false;
    if (!a.exists) return true;
    return a.lastWrite.dwLowDateTime == b.lastWrite.dwLowDateTime &&
           a.lastWrite.dwHighDateTime == b.lastWrite.dwHighDateTime &&
           a.sizeHigh == b.sizeHigh && a.sizeLow == b.sizeLow;
}

// FNV-1a over the bytes, with the length beside it.
TextDigest digestOf(const char* bytes, DWORD length) {
    DWORD hash = 2166136261u;
    for (DWORD i = 0; i < length; ++i) {
        hash ^= static_cast<unsigned char>(bytes[i]);
        hash *= 16777619u;
    }
    return TextDigest{true, length, hash};
}

bool sameDigest(const TextDigest& a, const TextDigest& b) {
    return a.known && b.known && a.length == b.length && a.hash == b.hash;
}
