// Redirects entries of a loaded module's import address table, so that the test
// program can observe or fail the calls the plug-in makes into system DLLs, the C
// runtime and the host.
#pragma once

#include <windows.h>

// Replaces the address that `module` calls for `functionName` imported from
// `dllName` (compared without regard to case, e.g. "USER32.dll") with
// `replacement`. Imports are matched by name through the OriginalFirstThunk
// table; every import descriptor of that DLL is patched. Returns the address that
// was there before, so the replacement can call through, or null when the module
// does not import the function by name from that DLL.
void* redirectImport(HMODULE module, const char* dllName, const char* functionName,
                     void* replacement);

// Converts between function addresses and the void* the import table holds.
template <typename Function>
Function functionFrom(void* address) {
    return reinterpret_cast<Function>(address);
}

template <typename Function>
void* addressOf(Function function) {
    return reinterpret_cast<void*>(function);
}
