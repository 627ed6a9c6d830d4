// The "@Pipwick" commands that reach the clock as host broadcasts, from its own menu
// or from any other sender. Each toggled option goes to the settings file at once.
#include "config/settings_text.h"
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

// A whole write that still waits to replace the file was made before the key
// changed, and would put the old value back: it is made again.
void writeOption(ClockPlugin& plugin, SettingsLine line, bool value) {
    WriteBool(plugin.rcFile, settingsLineFormat(line).key, value);
    if (plugin.replacePending) plugin.writeSettings();
}

void invalidate(ClockPlugin& plugin) {
    InvalidateRect(plugin.hwnd, nullptr, TRUE);
}

void toggleAlwaysOnTop(ClockPlugin& plugin) {
    toggle(plugin.alwaysOnTop);
    writeOption(plugin, LINE_ALWAYS_ON_TOP, plugin.alwaysOnTop);
    SetWindowPos(plugin.hwnd, plugin.alwaysOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 kRestackFlags);
}

void toggleSnapWindow(ClockPlugin& plugin) {
    toggle(plugin.snapWindow);
    writeOption(plugin, LINE_SNAP_WINDOW, plugin.snapWindow);
}

// The slit's handling of its message may end the plug-in.
void toggleSlit(ClockPlugin& plugin) {
    const LiveRecord live(&plugin);
    if (g_inSlit && g_hSlit != nullptr) {
        plugin.leaveSlit();
        if (!live.stillLive()) return;
    } else if (g_hSlit != nullptr) {
        plugin.joinSlit();
        if (!live.stillLive()) return;
    } else {
        plugin.writeSettings();
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
        writeOption(plugin, LINE_TRANSPARENCY, plugin.transparency);
    }
    invalidate(plugin);
}

void toggleAutoResize(ClockPlugin& plugin) {
    toggle(plugin.autoResize);
    writeOption(plugin, LINE_AUTO_RESIZE, plugin.autoResize);
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

void reloadSettings(ClockPlugin& plugin) {
    plugin.readSettings();
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
