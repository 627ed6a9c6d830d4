#include "config/host_path.h"

namespace {

// Every character exactly, or nothing: a best-fit mapping would write an 'ł' as an
// 'l' and so name another folder.
bool exactAnsi(const wchar_t* path, char* out, int size) {
    int length = 0;
    if (GetACP() == CP_UTF8) {
        // A code page that writes every character, and takes no flags.
        length = WideCharToMultiByte(CP_UTF8, 0, path, -1, out, size, nullptr, nullptr);
    } else {
        BOOL usedDefault = FALSE;
        length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, path, -1, out, size,
                                     nullptr, &usedDefault);
        if (usedDefault) length = 0;
    }
    if (length > 0) return true;
    if (size > 0) out[0] = '\0';
    return false;
}

}  // namespace

bool hostPathFor(const wchar_t* path, char* out, int size) {
    if (exactAnsi(path, out, size)) return true;
    wchar_t shortPath[MAX_PATH];
    const DWORD length = GetShortPathNameW(path, shortPath, MAX_PATH);
    // Where the volume keeps no short name, the long one comes back and is refused.
    return length > 0 && length < MAX_PATH && exactAnsi(shortPath, out, size);
}

bool moduleHostPath(HINSTANCE module, char* out, int size) {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
    // A length of MAX_PATH means the path was cut: its directory is not the module's.
    if (length == 0 || length >= MAX_PATH) {
        if (size > 0) out[0] = '\0';
        return false;
    }
    return hostPathFor(path, out, size);
}
