#include "redirect_files.h"

#include "import_redirect.h"

FileRecords g_files;

namespace {

void* originalCreateFile = nullptr;
void* originalWriteFile = nullptr;

HANDLE WINAPI createFile(LPCSTR path, DWORD access, DWORD sharing,
                         LPSECURITY_ATTRIBUTES security, DWORD disposition, DWORD attributes,
                         HANDLE templateFile) {
    using CreateFileFunction = HANDLE(WINAPI*)(LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES,
                                               DWORD, DWORD, HANDLE);
    HANDLE result = INVALID_HANDLE_VALUE;
    if (g_files.failCreate) {
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

}  // namespace

std::vector<Redirection> fileRedirections() {
    return {
        {"KERNEL32.dll", "CreateFileA", addressOf(&createFile), &originalCreateFile},
        {"KERNEL32.dll", "WriteFile", addressOf(&writeFile), &originalWriteFile},
    };
}
