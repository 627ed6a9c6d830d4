// The host may end the plug-in from a nested message loop inside a call that the
// plug-in made (a modal box, a dialog the shell opens, a message sent to the slit or
// to the host) and unload the module as soon as endPlugin returns. That call must
// still return into the module's code. A PluginCodeRunning lives for as long as an
// entry into the plug-in is under way; an endPlugin that finds one makes the module
// keep itself loaded for good. An end outside every such call leaves the module free
// to be unloaded.
#pragma once

class PluginCodeRunning {
public:
    PluginCodeRunning();
    ~PluginCodeRunning();
    PluginCodeRunning(const PluginCodeRunning&) = delete;
    PluginCodeRunning& operator=(const PluginCodeRunning&) = delete;
};

// Called by endPlugin before it counts itself: keeps the module loaded when the end
// comes from inside a call of the plug-in.
void keepModuleLoadedIfCodeRuns();
