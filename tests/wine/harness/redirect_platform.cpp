#include "redirections.h"

#include <algorithm>
#include <cstring>

#include <shlobj.h>

#include "import_redirect.h"
#include "test_files.h"

PlatformRecords g_platform;

namespace {

void* originalGetVersionEx = nullptr;
void* originalGetSystemMetrics = nullptr;
void* originalGetModuleFileName = nullptr;
void* originalGetProcAddress = nullptr;
void* originalMonitorFromRect = nullptr;
void* originalGetShortPathName = nullptr;

RECT monitorsBox() {
    RECT box = g_platform.monitors.front();
    for (const RECT& monitor : g_platform.monitors)
        UnionRect(&box, &box, &monitor);
    return box;
}

// The metrics that depend on the monitors; false for any other.
bool monitorMetric(int index, int* value) {
    const RECT& primary = g_platform.monitors.front();
    const RECT box = monitorsBox();
    switch (index) {
    case SM_CXSCREEN: *value = primary.right - primary.left; return true;
    case SM_CYSCREEN: *value = primary.bottom - primary.top; return true;
    case SM_XVIRTUALSCREEN: *value = box.left; return true;
    case SM_YVIRTUALSCREEN: *value = box.top; return true;
    case SM_CXVIRTUALSCREEN: *value = box.right - box.left; return true;
    case SM_CYVIRTUALSCREEN: *value = box.bottom - box.top; return true;
    case SM_CMONITORS: *value = static_cast<int>(g_platform.monitors.size()); return true;
    default: return false;
    }
}

long long squaredGap(const RECT& a, const RECT& b) {
    const long long dx = std::max({0L, b.left - a.right, a.left - b.right});
    const long long dy = std::max({0L, b.top - a.bottom, a.top - b.bottom});
    return dx * dx + dy * dy;
}

// The monitor a rectangle overlaps most, as Windows answers; one it does not overlap
// at all by the flag. The handles are the monitors' numbers from 1, good only for
// telling a monitor from none.
HMONITOR WINAPI monitorFromRect(LPCRECT rect, DWORD flags) {
    const auto& monitors = g_platform.monitors;
    if (monitors.empty())
        return functionFrom<HMONITOR(WINAPI*)(LPCRECT, DWORD)>(originalMonitorFromRect)(rect, flags);
    size_t best = monitors.size();
    long long bestArea = 0;
    for (size_t i = 0; i < monitors.size(); ++i) {
        RECT common;
        if (!IntersectRect(&common, rect, &monitors[i]))
            continue;
        const long long area = static_cast<long long>(common.right - common.left) *
                               (common.bottom - common.top);
        if (area > bestArea) {
            best = i;
            bestArea = area;
        }
    }
    if (best == monitors.size()) {
        if (flags == MONITOR_DEFAULTTONULL)
            return nullptr;
        best = 0;
        for (size_t i = 1; flags == MONITOR_DEFAULTTONEAREST && i < monitors.size(); ++i) {
            if (squaredGap(*rect, monitors[i]) < squaredGap(*rect, monitors[best]))
                best = i;
        }
    }
    return reinterpret_cast<HMONITOR>(best + 1);
}

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
    int value = 0;
    if (!g_platform.monitors.empty() && monitorMetric(index, &value))
        return value;
    return functionFrom<int(WINAPI*)(int)>(originalGetSystemMetrics)(index);
}

// Answers as Windows does: a path that does not fit is cut, NUL-terminated, and
// the buffer size is returned with ERROR_INSUFFICIENT_BUFFER.
DWORD WINAPI getModuleFileName(HMODULE module, LPWSTR buffer, DWORD size) {
    if (g_platform.modulePath.empty())
        return functionFrom<DWORD(WINAPI*)(HMODULE, LPWSTR, DWORD)>(originalGetModuleFileName)(
            module, buffer, size);
    if (size == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    const std::wstring path = widePath(g_platform.modulePath);
    if (path.size() < size) {
        std::memcpy(buffer, path.c_str(), (path.size() + 1) * sizeof(wchar_t));
        SetLastError(ERROR_SUCCESS);
        return static_cast<DWORD>(path.size());
    }
    std::memcpy(buffer, path.data(), (size - 1) * sizeof(wchar_t));
    buffer[size - 1] = L'\0';
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
}

// The user's application data folder, as SHGetFolderPathW answers for CSIDL_APPDATA.
HRESULT WINAPI getFolderPath(HWND, int folder, HANDLE, DWORD, LPWSTR path) {
    const std::wstring data = widePath(g_platform.applicationData);
    if ((folder & 0xff) != CSIDL_APPDATA || data.size() >= MAX_PATH)
        return E_FAIL;
    std::memcpy(path, data.c_str(), (data.size() + 1) * sizeof(wchar_t));
    return S_OK;
}

// A volume without short names gives every path back as it stands.
DWORD WINAPI getShortPathName(LPCWSTR longPath, LPWSTR shortPath, DWORD size) {
    const DWORD length = static_cast<DWORD>(wcslen(longPath));
    if (length >= size)
        return length + 1;
    std::memcpy(shortPath, longPath, (length + 1) * sizeof(wchar_t));
    return length;
}

FARPROC WINAPI getProcAddress(HMODULE module, LPCSTR name) {
    if (HIWORD(reinterpret_cast<ULONG_PTR>(name)) != 0) {
        g_platform.procedureLookups.push_back(name);
        const auto& missing = g_platform.missingProcedures;
        if (std::find(missing.begin(), missing.end(), name) != missing.end()) {
            SetLastError(ERROR_PROC_NOT_FOUND);
            return nullptr;
        }
        if (!g_platform.applicationData.empty() && std::strcmp(name, "SHGetFolderPathW") == 0)
            return reinterpret_cast<FARPROC>(addressOf(&getFolderPath));
    }
    return functionFrom<FARPROC(WINAPI*)(HMODULE, LPCSTR)>(originalGetProcAddress)(module, name);
}

void* originalGetWindowRect = nullptr;
void* originalUnused = nullptr;  // the replacements below do not call through

BOOL WINAPI getWindowRect(HWND window, RECT* rect) {
    if (!IsZoomed(window))
        return functionFrom<decltype(&GetWindowRect)>(originalGetWindowRect)(window, rect);
    MONITORINFO monitor = {sizeof monitor, {}, {}, 0};
    GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    *rect = monitor.rcMonitor;
    return InflateRect(rect, GetSystemMetrics(SM_CXSIZEFRAME), GetSystemMetrics(SM_CYSIZEFRAME));
}

HWND WINAPI getShellWindow() {
    return g_platform.shellWindow;
}

int WINAPI getDateFormatW(LCID, DWORD flags, const SYSTEMTIME* time, LPCWSTR format, LPWSTR date,
                          int size) {
    return GetDateFormatW(g_platform.userFormats, flags, time, format, date, size);
}

}  // namespace

std::vector<Redirection> desktopRedirections() {
    return {{"USER32.dll", "GetWindowRect", addressOf(&getWindowRect), &originalGetWindowRect},
            {"USER32.dll", "GetShellWindow", addressOf(&getShellWindow), &originalUnused}};
}

Redirection userFormatsRedirection() {
    return {"KERNEL32.dll", "GetDateFormatW", addressOf(&getDateFormatW), &originalUnused};
}

Redirection noShortNamesRedirection() {
    return {"KERNEL32.dll", "GetShortPathNameW", addressOf(&getShortPathName),
            &originalGetShortPathName};
}

Redirection monitorRedirection() {
    return {"USER32.dll", "MonitorFromRect", addressOf(&monitorFromRect), &originalMonitorFromRect};
}

std::vector<Redirection> platformRedirections() {
    return {
        {"KERNEL32.dll", "GetVersionExA", addressOf(&getVersionEx), &originalGetVersionEx},
        {"USER32.dll", "GetSystemMetrics", addressOf(&getSystemMetrics), &originalGetSystemMetrics},
        {"KERNEL32.dll", "GetModuleFileNameW", addressOf(&getModuleFileName),
         &originalGetModuleFileName},
        {"KERNEL32.dll", "GetProcAddress", addressOf(&getProcAddress), &originalGetProcAddress},
    };
}
