// The texts the host asks a plug-in for, by index.
#pragma once

extern const char kPluginName[];         // "Pipwick"
extern const char kPluginNameVersion[];  // "Pipwick 0.0.1"

// 1 name, 2 version, 3 author, 4 release date, 5 web link, 6 e-mail address; any
// other index gives the name with its version. Never null.
const char* pluginInfoText(int index);
