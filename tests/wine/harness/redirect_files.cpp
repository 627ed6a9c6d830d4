#include "redirections.h"

#include <cstring>

#include "import_redirect.h"

FileRecords g_files;
DiskFaultRecords g_diskFaults;

namespace {

// The recording redirections the fixture installs.
namespace recorded {

void* originalCreateFile = nullptr;
void* originalWriteFile = nullptr;

// A new file in one of the folders that refuse them.
bool refusedNewFile(LPCSTR path, DWORD disposition) {
    if (path == nullptr || disposition == OPEN_EXISTING || disposition == TRUNCATE_EXISTING ||
        GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES)
        return false;
    const std::string name = path;
    const std::string folder = name.substr(0, name.rfind('\\') + 1);
    for (const std::string& refusing : g_files.foldersRefusingNewFiles) {
        if (lstrcmpiA(refusing.c_str(), folder.c_str()) == 0)
            return true;
    }
    return false;
}

HANDLE WINAPI createFile(LPCSTR path, DWORD access, DWORD sharing,
                         LPSECURITY_ATTRIBUTES security, DWORD disposition, DWORD attributes,
                         HANDLE templateFile) {
    using CreateFileFunction = HANDLE(WINAPI*)(LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES,
                                               DWORD, DWORD, HANDLE);
    HANDLE result = INVALID_HANDLE_VALUE;
    if (g_files.failCreate || refusedNewFile(path, disposition)) {
        SetLastError(ERROR_ACCESS_DENIED);
    } else {
        result = functionFrom<CreateFileFunction>(originalCreateFile)(
            path, access, sharing, security, disposition, attributes, templateFile);
    }
    g_files.opens.push_back({path != nullptr ? path : "", access, sharing, disposition, result});
    return result;
}

using WriteFileFunction = BOOL(WINAPI*)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);

// Where `text` starts in the bytes of a write, or npos.
std::size_t offsetOf(LPCVOID data, DWORD size, const std::string& text) {
    if (text.empty() || data == nullptr)
        return std::string::npos;
    return std::string(static_cast<const char*>(data), size).find(text);
}

// A failing write stops where the disk would fill: the bytes before the chosen text
// reach the file, then the call fails.
BOOL failPartWay(HANDLE file, LPCVOID data, std::size_t keep, LPDWORD written,
                 LPOVERLAPPED overlapped) {
    ++g_files.failedWrites;
    DWORD done = 0;
    if (keep > 0)
        functionFrom<WriteFileFunction>(originalWriteFile)(file, data, static_cast<DWORD>(keep),
                                                           &done, overlapped);
    if (written != nullptr)
        *written = done;
    SetLastError(ERROR_DISK_FULL);
    return FALSE;
}

BOOL WINAPI writeFile(HANDLE file, LPCVOID data, DWORD size, LPDWORD written,
                      LPOVERLAPPED overlapped) {
    ++g_files.writeCalls;
    if (g_files.writeCalls == g_files.failWriteCall)
        return failPartWay(file, data, 0, written, overlapped);
    const std::size_t offset = offsetOf(data, size, g_files.failWriteContaining);
    if (offset != std::string::npos) {
        g_files.failWriteContaining.clear();
        return failPartWay(file, data, offset, written, overlapped);
    }
    return functionFrom<WriteFileFunction>(originalWriteFile)(file, data, size, written,
                                                              overlapped);
}

}  // namespace recorded

// The disk faults, installed on top of the recording redirections.
namespace faulty {

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

}  // namespace faulty

namespace fat {

void* nextGetFileAttributesEx = nullptr;
constexpr ULONGLONG kTimeStep = 2 * 10000000ull;  // in 100-nanosecond units

BOOL WINAPI getFileAttributesEx(LPCSTR path, GET_FILEEX_INFO_LEVELS level, LPVOID data) {
    const BOOL got = functionFrom<decltype(&GetFileAttributesExA)>(nextGetFileAttributesEx)(
        path, level, data);
    if (got && level == GetFileExInfoStandard) {
        FILETIME& time = static_cast<WIN32_FILE_ATTRIBUTE_DATA*>(data)->ftLastWriteTime;
        ULARGE_INTEGER ticks = {{time.dwLowDateTime, time.dwHighDateTime}};
        ticks.QuadPart -= ticks.QuadPart % kTimeStep;
        time = {ticks.LowPart, ticks.HighPart};
    }
    return got;
}

}  // namespace fat

}  // namespace

std::size_t FileRecords::writeOpens() const {
    std::size_t count = 0;
    for (const FileOpen& open : opens)
        count += (open.access & GENERIC_WRITE) != 0 ? 1 : 0;
    return count;
}

std::vector<Redirection> fileRedirections() {
    using namespace recorded;
    return {
        {"KERNEL32.dll", "CreateFileA", addressOf(&createFile), &originalCreateFile},
        {"KERNEL32.dll", "WriteFile", addressOf(&writeFile), &originalWriteFile},
    };
}

Redirection fatTimeStepsRedirection() {
    return {"KERNEL32.dll", "GetFileAttributesExA", addressOf(&fat::getFileAttributesEx),
            &fat::nextGetFileAttributesEx};
}

std::vector<Redirection> diskFaultRedirections() {
    using namespace faulty;
    return {
        {"KERNEL32.dll", "CreateFileA", addressOf(&createFile), &nextCreateFile},
        {"KERNEL32.dll", "WriteFile", addressOf(&writeFile), &nextWriteFile},
        {"KERNEL32.dll", "CloseHandle", addressOf(&closeHandle), &nextCloseHandle},
        {"KERNEL32.dll", "MoveFileExA", addressOf(&moveFileEx), &nextMoveFileEx},
    };
}
