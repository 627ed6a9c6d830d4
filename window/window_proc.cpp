// The clock window's procedure: a short dispatch to one handler per message.
#include "plugin/clock_plugin.h"
#include "plugin/live_record.h"
#include "plugin/module_pin.h"
#include "plugin/text_copy.h"
#include "window/command_words.h"
#include "window/message_text.h"

namespace {

constexpr int kSnapDistance = 10;

// The window's text and the tooltip follow the time the paint has just put on the
// face.
LRESULT onPaint(ClockPlugin& plugin, HWND window) {
    plugin.paintClock(window);
    plugin.showFaceTimeAsText();
    return 0;
}

// The default handling copies the text the window system keeps; a request without
// a buffer gets nothing.
LRESULT onGetText(HWND window, WPARAM size, LPARAM buffer) {
    if (buffer == 0) return 0;
    return DefWindowProcA(window, WM_GETTEXT, size, buffer);
}

// In the slit, the slit places the clock: nothing snaps there.
LRESULT onWindowPosChanging(ClockPlugin& plugin, HWND window, WINDOWPOS* position) {
    if (!g_inSlit && plugin.snapWindow && IsWindowVisible(window) && position != nullptr) {
        SnapWindowToEdge(position, kSnapDistance, true);
    }
    return 0;
}

LRESULT onWindowPosChanged(ClockPlugin& plugin, const WINDOWPOS* position) {
    if (position != nullptr) plugin.windowMoved(*position);
    return 0;
}

// The colour depth may have changed with the display: the kept background is drawn
// anew for it.
LRESULT onDisplayChange(ClockPlugin& plugin) {
    plugin.background.forget();
    plugin.placeOnDesktop();
    return 0;
}

// A monitor came or went, the resolution changed, or the work area did.
LRESULT onSettingChange(ClockPlugin& plugin, HWND window, WPARAM wParam, LPARAM lParam) {
    if (wParam != SPI_SETWORKAREA) return DefWindowProcA(window, WM_SETTINGCHANGE, wParam, lParam);
    plugin.placeOnDesktop();
    return 0;
}

// With Ctrl held the whole window is a caption, so any point of it drags it. In the
// slit the slit places the clock: it is never dragged out of its slot.
LRESULT onHitTest() {
    if (g_inSlit) return HTCLIENT;
    return (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0 ? HTCAPTION : HTCLIENT;
}

// ShowWindow delivers messages, during which the host may end the plug-in. The
// clock shows without taking the focus from the window the user works in. Unlike
// SW_SHOW, SW_SHOWNA repositions a window that is already visible: a visible clock
// is only repainted.
void showAndRepaint(ClockPlugin& plugin) {
    const LiveRecord live(&plugin);
    if (!IsWindowVisible(plugin.hwnd)) ShowWindow(plugin.hwnd, SW_SHOWNA);
    if (live.stillLive()) InvalidateRect(plugin.hwnd, nullptr, TRUE);
}

// A tick shows only a clock that stepped back for a full-screen program: one the host
// hid stays hidden. Showing an edit of the settings may end the plug-in.
LRESULT onTimer(ClockPlugin& plugin, WPARAM timerId) {
    if (timerId != kUpdateTimerId) return 0;
    const LiveRecord live(&plugin);
    plugin.watchSettingsFile();
    if (!live.stillLive()) return 0;
    plugin.giveWayToFullScreen();
    if (live.stillLive() && plugin.tickUpdateTimer()) InvalidateRect(plugin.hwnd, nullptr, TRUE);
    return 0;
}

LRESULT onReconfigure(ClockPlugin& plugin) {
    if (plugin.menuMain != nullptr) {
        DelMenu(plugin.menuMain);
        plugin.menuMain = nullptr;
    }
    plugin.readStyle();
    InvalidateRect(plugin.hwnd, nullptr, TRUE);
    return 0;
}

LRESULT onSetLabel(ClockPlugin& plugin, LPARAM lParam) {
    char text[kMessageTextSize];
    if (!copyMessageText(lParam, text)) return 0;
    plugin.clearLabel();
    copyCut(plugin.labelText, kLabelSize, text);
    if (plugin.autoResize) plugin.fitWidthToLabel();
    return 0;
}

// The host's texts for showing and hiding every plug-in; a clock in the slit, or one
// started without a slit, stays where it is on a hide. A hide holds until the host
// shows the plug-ins again; a clock that stepped back for a full-screen program comes
// back with the tick after it, unless the host hid it meanwhile.
LRESULT onBroadcast(ClockPlugin& plugin, LPARAM lParam) {
    char text[kMessageTextSize];
    if (!copyMessageText(lParam, text)) return 0;
    if (equalsIgnoringCase(text, "@NorvShowPlugins")) {
        if (!plugin.steppedBack) showAndRepaint(plugin);
    } else if (equalsIgnoringCase(text, "@NorvHidePlugins")) {
        if (!g_inSlit && g_hSlit != nullptr) {
            plugin.steppedBack = false;
            ShowWindow(plugin.hwnd, SW_HIDE);
        }
    } else {
        handleBroadcastCommand(text);
    }
    return 0;
}

}  // namespace

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const PluginCodeRunning running;
    // Messages that arrive while no record exists get the default handling.
    if (g_plugin == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    ClockPlugin& plugin = *g_plugin;
    plugin.relayMouseToTooltip(window, message, wParam, lParam);

    switch (message) {
    case WM_PAINT:
        return onPaint(plugin, window);
    case WM_CLOSE:
        return 0;  // the clock closes only when the host ends the plug-in
    case WM_WINDOWPOSCHANGING:
        return onWindowPosChanging(plugin, window, reinterpret_cast<WINDOWPOS*>(lParam));
    case WM_WINDOWPOSCHANGED:
        return onWindowPosChanged(plugin, reinterpret_cast<const WINDOWPOS*>(lParam));
    case WM_DISPLAYCHANGE:
        return onDisplayChange(plugin);
    case WM_SETTINGCHANGE:
        return onSettingChange(plugin, window, wParam, lParam);
    case WM_ENTERSIZEMOVE:
        plugin.startDrag();
        return 0;
    case WM_EXITSIZEMOVE:
        plugin.finishDrag();
        return 0;
    case WM_NCHITTEST:
        return onHitTest();
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;  // a click leaves the user's window active
    case WM_TIMER:
        return onTimer(plugin, wParam);
    case WM_LBUTTONDOWN:
        if (g_inSlit) return 0;
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
        return 0;
    case WM_RBUTTONUP:
        plugin.showContextMenu();
        return 0;
    case WM_GETTEXT:
        return onGetText(window, wParam, lParam);
    case HM_RECONFIGURE:
        return onReconfigure(plugin);
    case HM_SET_LABEL:
        return onSetLabel(plugin, lParam);
    case HM_BROADCAST:
        return onBroadcast(plugin, lParam);
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
