// The right-click menu, built afresh from the options of the moment. Every entry
// carries a command text that the host sends back to the window when it is chosen.
#include "plugin/clock_plugin.h"
#include "plugin/plugin_info.h"

void ClockPlugin::showContextMenu() {
    if (menuMain != nullptr) {
        DelMenu(menuMain);
        menuMain = nullptr;
    }
    menuMain = MakeMenu(kPluginName);
    MakeMenuItem(menuMain, "About...", "@Pipwick About", false);

    menuConfig = MakeMenu("Configuration");
    MakeMenuItem(menuConfig, "Always On Top", "@Pipwick AlwaysOnTop", alwaysOnTop);
    MakeMenuItem(menuConfig, "Snap Window To Edge", "@Pipwick SnapWindowToEdge", snapWindow);
    MakeMenuItem(menuConfig, "Auto Resize", "@Pipwick AutoResize", autoResize);
    if (layeredCapable && !g_inSlit) {
        MakeMenuItem(menuConfig, "Transparency", "@Pipwick Transparency", transparency);
    }
    MakeMenuItem(menuConfig, "In Slit", "@Pipwick ToggleSlit", g_inSlit);
    MakeSubmenu(menuMain, menuConfig, "Configuration");

    menuSettings = MakeMenu("Settings");
    MakeMenuItem(menuSettings, "Edit Settings", "@Pipwick EditSettings", false);
    MakeMenuItem(menuSettings, "Save Settings", "@Pipwick SaveSettings", false);
    MakeMenuItem(menuSettings, "Read Settings", "@Pipwick ReadSettings", false);
    MakeSubmenu(menuMain, menuSettings, "Settings");

    ShowMenu(menuMain);
}
