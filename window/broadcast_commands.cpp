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

void toggle(bool& option) {
    option = !option;
}

void saveOption(ClockPlugin& plugin, SettingsLine line) {
    plugin.saveChoices(settingsLine(line));
}

void invalidate(ClockPlugin& plugin) {
    InvalidateRect(plugin.hwnd, nullptr, TRUE);
}

void toggleAlwaysOnTop(ClockPlugin& plugin) {
    toggle(plugin.alwaysOnTop);
    saveOption(plugin, LINE_ALWAYS_ON_TOP);
    plugin.restack();
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

void setStatus(ClockPlugin& plugin, const char* status) {
    plugin.clearLabel();
    copyCut(plugin.labelText, kLabelSize, status);
}

void saveSettings(ClockPlugin& plugin) {
    plugin.writeSettings();
    setStatus(plugin, "RC Saved!");
    if (plugin.autoResize) plugin.fitWidthToLabel();
}

// The clock becomes what its file says, at once and without a write: the values
// that differ from before are shown, and with auto-resize on the width follows the
// new label.
void reloadSettings(ClockPlugin& plugin) {
    SettingsValues before;
    plugin.chosenValues(before);
    setStatus(plugin, "RC Reloaded!");
    plugin.readSettings();
    SettingsValues after;
    plugin.chosenValues(after);
    SettingsLines changed = differingLines(before, after);
    if (plugin.autoResize) changed |= settingsLine(LINE_AUTO_RESIZE);
    plugin.showSettings(changed, before[LINE_IN_SLIT] != 0);
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
