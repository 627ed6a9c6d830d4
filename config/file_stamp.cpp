#include "config/settings_file_state.h"

FileStamp stampOf(const char* path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (path == nullptr || path[0] == '\0' ||
        !GetFileAttributesExA(path, GetFileExInfoStandard, &data)) {
        return FileStamp{false, {0, 0}, 0, 0};
    }
    return FileStamp{true, data.ftLastWriteTime, data.nFileSizeHigh, data.nFileSizeLow};
}

bool sameStamp(const FileStamp& a, const FileStamp& b) {
    if (a.exists != b.exists) return false;
    if (!a.exists) return true;
    return a.lastWrite.dwLowDateTime == b.lastWrite.dwLowDateTime &&
           a.lastWrite.dwHighDateTime == b.lastWrite.dwHighDateTime &&
           a.sizeHigh == b.sizeHigh && a.sizeLow == b.sizeLow;
}
