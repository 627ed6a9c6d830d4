#include "redirections.h"

#include <algorithm>
#include <map>

#include "import_redirect.h"

FileCallRecords g_fileCalls;

namespace {

void* nextCreateFile = nullptr;
void* nextWriteFile = nullptr;
void* nextFlushFileBuffers = nullptr;
void* nextCloseHandle = nullptr;
void* nextMoveFileEx = nullptr;
void* nextDeleteFile = nullptr;
void* nextSleep = nullptr;

std::map<HANDLE, std::string> g_openFiles;

std::string nameOf(LPCSTR path) {
    const std::string text = path != nullptr ? path : "";
    const std::size_t slash = text.find_last_of("\\/");
    return slash == std::string::npos ? text : text.substr(slash + 1);
}

void record(const char* function, const std::string& files) {
    g_fileCalls.calls.push_back(std::string(function) + " " + files);
}

std::string fileOf(HANDLE file) {
    const auto open = g_openFiles.find(file);
    return open == g_openFiles.end() ? "(not a file)" : open->second;
}

HANDLE WINAPI createFile(LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                         DWORD disposition, DWORD attributes, HANDLE templateFile) {
    record("CreateFileA", nameOf(path));
    const HANDLE file = functionFrom<decltype(&CreateFileA)>(nextCreateFile)(
        path, access, share, security, disposition, attributes, templateFile);
    if (file != INVALID_HANDLE_VALUE)
        g_openFiles[file] = nameOf(path);
    return file;
}

BOOL WINAPI writeFile(HANDLE file, LPCVOID data, DWORD size, LPDWORD written,
                      LPOVERLAPPED overlapped) {
    record("WriteFile", fileOf(file));
    return functionFrom<decltype(&WriteFile)>(nextWriteFile)(file, data, size, written, overlapped);
}

BOOL WINAPI flushFileBuffers(HANDLE file) {
    record("FlushFileBuffers", fileOf(file));
    if (g_fileCalls.failFlush) {
        SetLastError(ERROR_DISK_FULL);
        return FALSE;
    }
    return functionFrom<decltype(&FlushFileBuffers)>(nextFlushFileBuffers)(file);
}

BOOL WINAPI closeHandle(HANDLE object) {
    record("CloseHandle", fileOf(object));
    g_openFiles.erase(object);
    return functionFrom<decltype(&CloseHandle)>(nextCloseHandle)(object);
}

BOOL WINAPI moveFileEx(LPCSTR from, LPCSTR to, DWORD flags) {
    record("MoveFileExA", nameOf(from) + " " + nameOf(to));
    if (g_fileCalls.replaceHeld) {
        SetLastError(ERROR_SHARING_VIOLATION);
        return FALSE;
    }
    return functionFrom<decltype(&MoveFileExA)>(nextMoveFileEx)(from, to, flags);
}

BOOL WINAPI deleteFile(LPCSTR path) {
    record("DeleteFileA", nameOf(path));
    return functionFrom<decltype(&DeleteFileA)>(nextDeleteFile)(path);
}

VOID WINAPI sleep(DWORD milliseconds) {
    ++g_fileCalls.sleeps;
    functionFrom<decltype(&Sleep)>(nextSleep)(milliseconds);
}

}  // namespace

int FileCallRecords::count(const std::string& call) const {
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}

std::vector<Redirection> fileCallRedirections() {
    return {
        {"KERNEL32.dll", "CreateFileA", addressOf(&createFile), &nextCreateFile},
        {"KERNEL32.dll", "WriteFile", addressOf(&writeFile), &nextWriteFile},
        {"KERNEL32.dll", "CloseHandle", addressOf(&closeHandle), &nextCloseHandle},
        {"KERNEL32.dll", "MoveFileExA", addressOf(&moveFileEx), &nextMoveFileEx},
        {"KERNEL32.dll", "DeleteFileA", addressOf(&deleteFile), &nextDeleteFile},
    };
}

void redirectFlushAndSleepWhereImported(HMODULE module) {
    void* flush = redirectImport(module, "KERNEL32.dll", "FlushFileBuffers",
                                 addressOf(&flushFileBuffers));
    if (flush != nullptr)
        nextFlushFileBuffers = flush;
    void* sleepNext = redirectImport(module, "KERNEL32.dll", "Sleep", addressOf(&sleep));
    if (sleepNext != nullptr)
        nextSleep = sleepNext;
}
