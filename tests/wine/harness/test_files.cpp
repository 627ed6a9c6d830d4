#include "test_files.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>

namespace {

std::string withBackslash(std::string path) {
    if (!path.empty() && path.back() != '\\')
        path += '\\';
    return path;
}

}  // namespace

std::string makeTemporaryDirectory(const char* prefix) {
    char temporary[MAX_PATH];
    DWORD length = GetTempPathA(sizeof temporary, temporary);
    if (length == 0 || length >= sizeof temporary)
        return std::string();
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char name[MAX_PATH];
        std::snprintf(name, sizeof name, "%s%s-%lu-%lu-%u", withBackslash(temporary).c_str(),
                      prefix, GetCurrentProcessId(), GetTickCount(), ++counter);
        if (CreateDirectoryA(name, nullptr))
            return withBackslash(name);
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            return std::string();
    }
    return std::string();
}

std::string makeSubdirectory(const std::string& parent, const char* name) {
    std::string path = parent + name;
    if (!CreateDirectoryA(path.c_str(), nullptr))
        return std::string();
    return withBackslash(path);
}

namespace {

// Wide, so that folders named outside the ANSI code page go too.
void removeWideTree(const std::wstring& root) {
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((root + L"*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring path = root + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                removeWideTree(path + L"\\");
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryW(root.c_str());
}

}  // namespace

void removeDirectoryTree(const std::string& directory) {
    if (directory.empty())
        return;
    removeWideTree(widePath(withBackslash(directory)));
}

std::wstring widePath(const std::string& path) {
    std::wstring wide(path.size() + 1, L'\0');
    const int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &wide[0],
                                           static_cast<int>(wide.size()));
    wide.resize(length > 0 ? length - 1 : 0);
    return wide;
}

bool fileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool readWholeFile(const std::string& path, std::string* content) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return false;
    content->clear();
    char buffer[4096];
    size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        content->append(buffer, count);
    bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

std::string fileContent(const std::string& path) {
    std::string content;
    if (!readWholeFile(path, &content))
        return std::string();
    return content;
}

bool writeWholeFile(const std::string& path, const std::string& content) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    bool ok = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    return std::fclose(file) == 0 && ok;
}

bool copyFileTo(const std::string& from, const std::string& to) {
    return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0;
}

std::vector<std::string> filesIn(const std::string& directory) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((withBackslash(directory) + "*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(entry.cFileName);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

std::string programDirectory() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return std::string();
    std::string directory(path, length);
    size_t separator = directory.find_last_of('\\');
    return separator == std::string::npos ? std::string() : directory.substr(0, separator + 1);
}

FILETIME lastWriteTime(const std::string& path) {
    FILETIME written{};
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        written = data.ftLastWriteTime;
    return written;
}

bool sameTime(const FILETIME& a, const FILETIME& b) {
    return CompareFileTime(&a, &b) == 0;
}

void setLastWriteTime(const std::string& path, const FILETIME& time) {
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &time));
    CloseHandle(file);
}

void ageFile(const std::string& path) {
    SYSTEMTIME old{2001, 1, 1, 1, 12, 0, 0, 0};
    FILETIME oldTime;
    SystemTimeToFileTime(&old, &oldTime);
    setLastWriteTime(path, oldTime);
}
