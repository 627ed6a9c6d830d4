// Paths that the host, and the plug-in's own file calls, can open. They all take
// paths in the ANSI code page, where a folder named in another script (a Cyrillic
// user name on a Western-European Windows) comes out with '?' for each character
// the code page lacks, and names no file. Such a path is given as its short (8.3)
// form instead, which is plain ASCII where the volume keeps short names.
#pragma once

#include <windows.h>

// The path in the ANSI code page, character for character, or else its short path
// so written. False (and out empty) when neither can be written, as on a volume
// without short names, or when it does not fit in size characters. A short path
// is known only for a file or folder that exists.
bool hostPathFor(const wchar_t* path, char* out, int size);

// The plug-in module's own file, as hostPathFor gives it.
bool moduleHostPath(HINSTANCE module, char* out, int size);
