// The entry points the host calls; exported under these names by Pipwick.def.
#include <cstdlib>
#include <new>

#include "plugin/clock_plugin.h"
#include "plugin/live_record.h"
#include "plugin/module_pin.h"
#include "plugin/plugin_info.h"

namespace {

// The record lives in plain heap storage: a failed allocation is a result to report,
// and no part of the language runtime that throws is drawn into the module.
ClockPlugin* newRecord(HINSTANCE module) {
    void* storage = std::malloc(sizeof(ClockPlugin));
    if (storage == nullptr) return nullptr;
    return new (storage) ClockPlugin(module);
}

void deleteRecord(ClockPlugin* plugin) {
    plugin->~ClockPlugin();
    std::free(plugin);
}

}  // namespace

extern "C" {

// One clock at a time: a start while a record lives (the plug-in listed twice, or a
// start again without an end) is refused before it touches anything of the running
// clock.
int beginPlugin(HINSTANCE module) {
    const PluginCodeRunning running;
    if (g_plugin != nullptr) return 1;
    ClockPlugin* plugin = newRecord(module);
    if (plugin == nullptr) return 1;
    // The window procedure runs inside window creation and reaches the record only
    // through the global, so it is set first.
    setLiveRecord(plugin);
    const LiveRecord live(plugin);
    if (plugin->createClockWindow() == 0) return 0;
    // The host may have ended the plug-in while it was starting: then nothing of this
    // start is left to undo.
    if (!live.stillLive()) return 1;
    deleteRecord(plugin);
    setLiveRecord(nullptr);
    return 1;
}

int beginSlitPlugin(HINSTANCE module, HWND slit) {
    if (g_plugin != nullptr) return 1;
    g_hSlit = slit;
    return beginPlugin(module);
}

// The host may ask again while the window's last messages are being handled; the
// record is ended once. An end from inside a call of the plug-in keeps the module
// loaded, so that the call can return into it.
void endPlugin() {
    keepModuleLoadedIfCodeRuns();
    const PluginCodeRunning running;
    ClockPlugin* plugin = g_plugin;
    if (plugin == nullptr || plugin->ending) return;
    plugin->ending = true;
    plugin->destroyClockWindow();
    deleteRecord(plugin);
    if (g_plugin == plugin) setLiveRecord(nullptr);
}

const char* pluginInfo(int index) {
    return pluginInfoText(index);
}

}  // extern "C"
