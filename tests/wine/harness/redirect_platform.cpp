#include "redirections.h"

#include <algorithm>
#include <cstring>

#include "import_redirect.h"

PlatformRecords g_platform;

namespace {

void* originalGetVersionEx = nullptr;
void* originalGetSystemMetrics = nullptr;
void* originalGetModuleFileName = nullptr;
void* originalGetProcAddress = nullptr;

BOOL WINAPI getVersionEx(OSVERSIONINFOA* info) {
    g_platform.versionInfoSizes.push_back(info->dwOSVersionInfoSize);
    BOOL result = functionFrom<BOOL(WINAPI*)(OSVERSIONINFOA*)>(originalGetVersionEx)(info);
    if (g_platform.reportVersion && info->dwOSVersionInfoSize >= sizeof(OSVERSIONINFOA)) {
        info->dwPlatformId = g_platform.version.platformId;
        info->dwMajorVersion = g_platform.version.majorVersion;
        info->dwMinorVersion = g_platform.version.minorVersion;
        result = TRUE;
    }
    return result;
}

int WINAPI getSystemMetrics(int index) {
    if (index == SM_CXSCREEN && g_platform.screenWidth > 0)
        return g_platform.screenWidth;
    if (index == SM_CYSCREEN && g_platform.screenHeight > 0)
        return g_platform.screenHeight;
    return functionFrom<int(WINAPI*)(int)>(originalGetSystemMetrics)(index);
}

// Answers as Windows does: a path that does not fit is cut, NUL-terminated, and
// the buffer size is returned with ERROR_INSUFFICIENT_BUFFER.
DWORD WINAPI getModuleFileName(HMODULE module, LPSTR buffer, DWORD size) {
    if (g_platform.modulePath.empty())
        return functionFrom<DWORD(WINAPI*)(HMODULE, LPSTR, DWORD)>(originalGetModuleFileName)(
            module, buffer, size);
    if (size == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    const std::string& path = g_platform.modulePath;
    if (path.size() < size) {
        std::memcpy(buffer, path.c_str(), path.size() + 1);
        SetLastError(ERROR_SUCCESS);
        return static_cast<DWORD>(path.size());
    }
    std::memcpy(buffer, path.data(), size - 1);
    buffer[size - 1] = '\0';
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
}

FARPROC WINAPI getProcAddress(HMODULE module, LPCSTR name) {
    if (HIWORD(reinterpret_cast<ULONG_PTR>(name)) != 0) {
        g_platform.procedureLookups.push_back(name);
        const auto& missing = g_platform.missingProcedures;
        if (std::find(missing.begin(), missing.end(), name) != missing.end()) {
            SetLastError(ERROR_PROC_NOT_FOUND);
            return nullptr;
        }
    }
    return functionFrom<FARPROC(WINAPI*)(HMODULE, LPCSTR)>(originalGetProcAddress)(module, name);
}

}  // namespace

std::vector<Redirection> platformRedirections() {
    return {
        {"KERNEL32.dll", "GetVersionExA", addressOf(&getVersionEx), &originalGetVersionEx},
        {"USER32.dll", "GetSystemMetrics", addressOf(&getSystemMetrics), &originalGetSystemMetrics},
        {"KERNEL32.dll", "GetModuleFileNameA", addressOf(&getModuleFileName),
         &originalGetModuleFileName},
        {"KERNEL32.dll", "GetProcAddress", addressOf(&getProcAddress), &originalGetProcAddress},
    };
}
