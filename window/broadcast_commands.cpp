// The "@Pipwick" commands that reach the clock as host broadcasts, from its own menu
// or from any other sender. Each option the user changes goes to the settings file at
// once.
#include "config/settings_lines.h"
#include "plugin/clock_plugin.h"
#include "plugin/live_record.h"
#include "plugin/plugin_info.h"
#include "plugin/text_copy.h"
#include "window/command_words.h"

namespace {

constexpr int kTokenSize = 4096;
constexpr UINT kRestackFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE;

void toggle(bool& option) {
    option = !option;
}

void saveOption(ClockPlugin& plugin, SettingsLine line) {
    plugin.saveChoices(settingsLine(line));
}

void invalidate(ClockPlugin& plugin) {
    InvalidateRect(plugin.hwnd, nullptr, TRUE);
}

// The tooltip, once made, stays topmost above the clock either way. The restack
// delivers messages, during which the host may end the plug-in.
void toggleAlwaysOnTop(ClockPlugin& plugin) {
    const LiveRecord live(&plugin);
    toggle(plugin.alwaysOnTop);
    saveOption(plugin, LINE_ALWAYS_ON_TOP);
    if (plugin.alwaysOnTop) plugin.keepTooltipOnTop();
    SetWindowPos(plugin.hwnd, plugin.alwaysOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 kRestackFlags);
    if (live.stillLive() && !plugin.alwaysOnTop) plugin.keepTooltipOnTop();
}

void toggleSnapWindow(ClockPlugin& plugin) {
    toggle(plugin.snapWindow);
    saveOption(plugin, LINE_SNAP_WINDOW);
}

// Without a slit the clock stays floating, and nothing changes. The slit's handling
// of its message may end the plug-in.
void toggleSlit(ClockPlugin& plugin) {
    const LiveRecord live(&plugin);
    if (g_hSlit != nullptr) {
        if (g_inSlit) plugin.leaveSlit();
        else plugin.joinSlit();
        if (!live.stillLive()) return;
        saveOption(plugin, LINE_IN_SLIT);
    }
    invalidate(plugin);
}

void toggleTransparency(ClockPlugin& plugin) {
    if (plugin.layeredCapable) {
        toggle(plugin.transparency);
        // In the slit the clock is never layered: the option waits until it leaves.
        if (!g_inSlit) {
            if (plugin.transparency) plugin.makeTranslucent();
            else plugin.makeOpaque();
        }
        saveOption(plugin, LINE_TRANSPARENCY);
    }
    invalidate(plugin);
}

void toggleAutoResize(ClockPlugin& plugin) {
    toggle(plugin.autoResize);
    saveOption(plugin, LINE_AUTO_RESIZE);
}

void showAbout(ClockPlugin& plugin) {
    MessageBoxA(plugin.hwndHost, kPluginNameVersion, "About Pipwick", MB_OK | MB_ICONINFORMATION);
}

void showStatus(ClockPlugin& plugin, const char* status) {
    plugin.clearLabel();
    copyCut(plugin.labelText, kLabelSize, status);
    if (plugin.autoResize) plugin.fitWidthToLabel();
}

void saveSettings(ClockPlugin& plugin) {
    plugin.writeSettings();
    showStatus(plugin, "RC Saved!");
}

// The clock goes where the file says: into the slit or out of it, as ToggleSlit
// would take it. Joining or leaving the slit may end the plug-in.
void reloadSettings(ClockPlugin& plugin) {
    const LiveRecord live(&plugin);
    const bool wasInSlit = g_inSlit;
    plugin.readSettings();
    plugin.followSlitSetting(wasInSlit);
    if (!live.stillLive()) return;
    if (g_inSlit != wasInSlit) invalidate(plugin);
    showStatus(plugin, "RC Reloaded!");
}

// The shell may show a dialog of its own, and the plug-in may be ended meanwhile.
void editSettings(ClockPlugin& plugin) {
    const LiveRecord live(&plugin);
    NorvExecute(GetDesktopWindow(), nullptr, plugin.rcFile, "", nullptr, SW_SHOWNORMAL, false);
    if (live.stillLive()) invalidate(plugin);
}

void runCommand(ClockPlugin& plugin, PipwickCommand command) {
    switch (command) {
    case PipwickCommand::AlwaysOnTop: toggleAlwaysOnTop(plugin); break;
    case PipwickCommand::SnapWindowToEdge: toggleSnapWindow(plugin); break;
    case PipwickCommand::ToggleSlit: toggleSlit(plugin); break;
    case PipwickCommand::Transparency: toggleTransparency(plugin); break;
    case PipwickCommand::AutoResize: toggleAutoResize(plugin); break;
    case PipwickCommand::About: showAbout(plugin); break;
    case PipwickCommand::SaveSettings: saveSettings(plugin); break;
    case PipwickCommand::ReadSettings: reloadSettings(plugin); break;
    case PipwickCommand::EditSettings: editSettings(plugin); break;
    case PipwickCommand::None: break;
    }
}

}  // namespace

void handleBroadcastCommand(const char* text) {
    if (g_plugin == nullptr || !IsInString(text, kCommandPrefix)) return;

    // The second token is the command word; the first and the rest are not looked at.
    char firstToken[kTokenSize] = "";
    char commandWord[kTokenSize] = "";
    char rest[kTokenSize] = "";
    char* tokens[2] = {firstToken, commandWord};
    NorvTokenize(text, tokens, 2, rest);
    commandWord[kTokenSize - 1] = '\0';

    if (g_plugin != nullptr) runCommand(*g_plugin, commandForWord(commandWord));
}
