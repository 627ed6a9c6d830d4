#include "redirect_disk_faults.h"

#include "import_redirect.h"

DiskFaultRecords g_diskFaults;

namespace {

void* nextWriteFile = nullptr;
void* nextCloseHandle = nullptr;
void* nextMoveFileEx = nullptr;

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
        {"KERNEL32.dll", "WriteFile", addressOf(&writeFile), &nextWriteFile},
        {"KERNEL32.dll", "CloseHandle", addressOf(&closeHandle), &nextCloseHandle},
        {"KERNEL32.dll", "MoveFileExA", addressOf(&moveFileEx), &nextMoveFileEx},
    };
}
