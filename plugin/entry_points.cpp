// The entry points the host calls; exported under these names by Pipwick.def.
#include <new>

#include "plugin/clock_plugin.h"
#include "plugin/plugin_info.h"

extern "C" {

int beginPlugin(HINSTANCE module) {
    ClockPlugin* plugin = new (std::nothrow) ClockPlugin(module);
    if (plugin == nullptr) return 1;
    // The window procedure runs inside window creation and reaches the record only
    // through the global, so it is set first.
    g_plugin = plugin;
    if (plugin->createClockWindow() == 0) return 0;
    delete plugin;
    g_plugin = nullptr;
    return 1;
}

int beginSlitPlugin(HINSTANCE module, HWND slit) {
    g_hSlit = slit;
    return beginPlugin(module);
}

void endPlugin() {
    ClockPlugin* plugin = g_plugin;
    if (plugin == nullptr) return;
    plugin->destroyClockWindow();
    delete plugin;
    g_plugin = nullptr;
}

const char* pluginInfo(int index) {
    return pluginInfoText(index);
}

}  // extern "C"
