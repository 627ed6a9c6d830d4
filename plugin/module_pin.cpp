#include "plugin/module_pin.h"

#include <windows.h>

// The module's own base address, placed by the linker.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

int g_entriesUnderway = 0;
bool g_moduleKept = false;

// One more reference, taken once and never released. GetModuleHandleEx with its pin
// flag needs Windows XP; a LoadLibrary of the module's own file works on every version.
void keepModuleLoaded() {
    const HMODULE self = reinterpret_cast<HMODULE>(&__ImageBase);
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(self, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    const HMODULE loaded = LoadLibraryA(path);
    if (loaded == self) {
        g_moduleKept = true;
    } else if (loaded != nullptr) {
        FreeLibrary(loaded);  // another module by that name: not this one
    }
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
