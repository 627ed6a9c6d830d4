#include "config/data_folder.h"

#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <initializer_list>

#include "config/host_path.h"
#include "config/settings_search.h"

namespace {

using GetFolderPath = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR);

// SHGetFolderPathW is in SHELL32 from Windows 2000 on and in SHFOLDER before it; it is
// looked up when needed, so that the plug-in loads without either. The APPDATA
// variable names the same folder where neither answers.
bool applicationDataFolder(wchar_t (&path)[MAX_PATH]) {
    for (const char* library : {"SHELL32.DLL", "SHFOLDER.DLL"}) {
        const HMODULE module = LoadLibraryA(library);
        if (module == nullptr) continue;
        const auto getFolderPath = reinterpret_cast<GetFolderPath>(
            reinterpret_cast<void*>(GetProcAddress(module, "SHGetFolderPathW")));
        const bool found = getFolderPath != nullptr &&
                           SUCCEEDED(getFolderPath(nullptr, CSIDL_APPDATA, nullptr,
                                                   SHGFP_TYPE_CURRENT, path));
        FreeLibrary(module);
        if (found) return true;
    }
    const DWORD length = GetEnvironmentVariableW(L"APPDATA", path, MAX_PATH);
    return length > 0 && length < MAX_PATH;
}

}  // namespace

void pipwickDataDirectory(char* buffer, int size) {
    buffer[0] = '\0';
    wchar_t folder[MAX_PATH];
    char hostFolder[kSettingsPathSize];
    if (!applicationDataFolder(folder) ||
        !hostPathFor(folder, hostFolder, static_cast<int>(sizeof hostFolder))) {
        return;
    }
    const std::size_t length = std::strlen(hostFolder);
    const char* name = length > 0 && hostFolder[length - 1] == '\\' ? "Pipwick\\" : "\\Pipwick\\";
    joinPath(buffer, static_cast<std::size_t>(size), hostFolder, name);
}

bool makeFolderOf(const char* path) {
    char folder[kSettingsPathSize];
    if (std::strlen(path) >= sizeof folder) return false;
    std::strcpy(folder, path);
    cutToDirectory(folder);
    const std::size_t length = std::strlen(folder);
    if (length > 0 && folder[length - 1] == '\\') folder[length - 1] = '\0';
    return CreateDirectoryA(folder, nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}
