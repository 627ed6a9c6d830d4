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

bool dataContains(LPCVOID data, DWORD size, const std::string& text) {
    if (text.empty() || data == nullptr)
        return false;
    std::string written(static_cast<const char*>(data), size);
    return written.find(text) != std::string::npos;
}

BOOL WINAPI writeFile(HANDLE file, LPCVOID data, DWORD size, LPDWORD written,
                      LPOVERLAPPED overlapped) {
    ++g_files.writeCalls;
    bool fail = g_files.writeCalls == g_files.failWriteCall;
    if (dataContains(data, size, g_files.failWriteContaining)) {
        g_files.failWriteContaining.clear();
        fail = true;
    }
    if (fail) {
        ++g_files.failedWrites;
        if (written != nullptr)
            *written = 0;
        SetLastError(ERROR_DISK_FULL);
        return FALSE;
    }
    return functionFrom<BOOL(WINAPI*)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED)>(
        originalWriteFile)(file, data, size, written, overlapped);
}

}  // namespace

std::vector<Redirection> fileRedirections() {
    return {
        {"KERNEL32.dll", "CreateFileA", addressOf(&createFile), &originalCreateFile},
        {"KERNEL32.dll", "WriteFile", addressOf(&writeFile), &originalWriteFile},
    };
}
