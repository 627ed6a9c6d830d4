#include "plugin/module_pin.h"

#include <windows.h>

// The module's own base address, placed by the linker.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

int g_entriesUnderway = 0;
bool g_moduleKept = false;

using GetModuleHandleExFunction = BOOL(WINAPI*)(DWORD, LPCWSTR, HMODULE*);

// From Windows XP on, the module is pinned by an address inside it: no path, which
// in the ANSI code page may name no file, is involved. Looked up, for Windows 2000
// has no such function.
bool pinByAddress(HMODULE self) {
    const auto getModuleHandleEx = reinterpret_cast<GetModuleHandleExFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("KERNEL32"), "GetModuleHandleExW")));
    if (getModuleHandleEx == nullptr) return false;
    HMODULE pinned = nullptr;
    return getModuleHandleEx(
               GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
               reinterpret_cast<LPCWSTR>(self), &pinned) &&
           pinned == self;
}

// On Windows 2000: one more reference through the module's own file, named in
// UTF-16 so that any folder name is kept.
bool loadOwnFileAgain(HMODULE self) {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(self, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return false;
    const HMODULE loaded = LoadLibraryW(path);
    if (loaded == self) return true;
    if (loaded != nullptr) FreeLibrary(loaded);  // another module by that name: not this one
    return false;
}

// One more reference, taken once and never released.
void keepModuleLoaded() {
    const HMODULE self = reinterpret_cast<HMODULE>(&__ImageBase);
    g_moduleKept = pinByAddress(self) || loadOwnFileAgain(self);
}

}  // namespace

PluginCodeRunning::PluginCodeRunning() {
    ++g_entriesUnderway;
}

PluginCodeRunning::~PluginCodeRunning() {
    --g_entriesUnderway;
}

void keepModuleLoadedIfCodeRuns() {
    if (g_entriesUnderway > 0 && !g_moduleKept) keepModuleLoaded();
}
