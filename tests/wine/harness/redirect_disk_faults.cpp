#include "redirect_disk_faults.h"

#include <cstring>

#include "import_redirect.h"

DiskFaultRecords g_diskFaults;

namespace {

void* nextCreateFile = nullptr;
void* nextWriteFile = nullptr;
void* nextCloseHandle = nullptr;
void* nextMoveFileEx = nullptr;

bool isTemporaryFile(LPCSTR path) {
    const std::size_t length = path == nullptr ? 0 : std::strlen(path);
    return length > 0 && path[length - 1] == '~';
}

HANDLE WINAPI createFile(LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                         DWORD disposition, DWORD attributes, HANDLE templateFile) {
    const DiskFault fault = g_diskFaults.fault;
    if ((fault == DiskFault::TemporaryRefused || fault == DiskFault::TemporaryDiskFull) &&
        isTemporaryFile(path)) {
        ++g_diskFaults.faultsInjected;
        SetLastError(fault == DiskFault::TemporaryRefused ? ERROR_ACCESS_DENIED : ERROR_DISK_FULL);
        return INVALID_HANDLE_VALUE;
    }
    return functionFrom<decltype(&CreateFileA)>(nextCreateFile)(path, access, share, security,
                                                                disposition, attributes, templateFile);
}

using WriteFileFunction = BOOL(WINAPI*)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);

BOOL WINAPI writeFile(HANDLE file, LPCVOID data, DWORD size, LPDWORD written,
                      LPOVERLAPPED overlapped) {
    const DiskFault fault = g_diskFaults.fault;
    if ((fault != DiskFault::HalfWrittenThenFull && fault != DiskFault::ShortWrite) || size < 2)
        return functionFrom<WriteFileFunction>(nextWriteFile)(file, data, size, written, overlapped);
    ++g_diskFaults.faultsInjected;
    DWORD done = 0;
    functionFrom<WriteFileFunction>(nextWriteFile)(file, data, size / 2, &done, overlapped);
    if (written != nullptr)
        *written = done;
    if (fault == DiskFault::ShortWrite)
        return TRUE;
    SetLastError(ERROR_DISK_FULL);
    return FALSE;
}

BOOL WINAPI closeHandle(HANDLE object) {
    const BOOL closed = functionFrom<BOOL(WINAPI*)(HANDLE)>(nextCloseHandle)(object);
    if (g_diskFaults.fault != DiskFault::CloseLosesTheData || !closed)
        return closed;
    ++g_diskFaults.faultsInjected;
    SetLastError(ERROR_DISK_FULL);
    return FALSE;
}

BOOL WINAPI moveFileEx(LPCSTR from, LPCSTR to, DWORD flags) {
    ++g_diskFaults.replaceAttempts;
    const DiskFault fault = g_diskFaults.fault;
    if (fault == DiskFault::ReplaceRefused || fault == DiskFault::ReplaceBusy) {
        ++g_diskFaults.faultsInjected;
        SetLastError(fault == DiskFault::ReplaceRefused ? ERROR_DISK_FULL : ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return functionFrom<BOOL(WINAPI*)(LPCSTR, LPCSTR, DWORD)>(nextMoveFileEx)(from, to, flags);
}

}  // namespace

std::vector<Redirection> diskFaultRedirections() {
    return {
        {"KERNEL32.dll", "CreateFileA", addressOf(&createFile), &nextCreateFile},
        {"KERNEL32.dll", "WriteFile", addressOf(&writeFile), &nextWriteFile},
        {"KERNEL32.dll", "CloseHandle", addressOf(&closeHandle), &nextCloseHandle},
        {"KERNEL32.dll", "MoveFileExA", addressOf(&moveFileEx), &nextMoveFileEx},
    };
}
