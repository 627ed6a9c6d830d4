// Translucency through SetLayeredWindowAttributes, looked up by name once per load of
// the module so that the plug-in also loads where the platform lacks it.
#include "plugin/clock_plugin.h"
#include "plugin/layered_rule.h"

namespace {

enum LayeredState { LAYERED_NOT_LOOKED_UP = 0, LAYERED_MISSING = 1, LAYERED_AVAILABLE = 2 };

using SetLayeredWindowAttributesFunction = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

}  // namespace

int g_layeredState = LAYERED_NOT_LOOKED_UP;
SetLayeredWindowAttributesFunction g_pSetLayeredWindowAttributes = nullptr;

BOOL setLayeredAttributes(HWND window, COLORREF colourKey, BYTE alpha, DWORD flags) {
    if (g_layeredState == LAYERED_NOT_LOOKED_UP) {
        g_pSetLayeredWindowAttributes = reinterpret_cast<SetLayeredWindowAttributesFunction>(
            reinterpret_cast<void*>(
                GetProcAddress(GetModuleHandleA("USER32"), "SetLayeredWindowAttributes")));
        g_layeredState =
            g_pSetLayeredWindowAttributes != nullptr ? LAYERED_AVAILABLE : LAYERED_MISSING;
    }
    if (g_layeredState == LAYERED_MISSING) return FALSE;
    return g_pSetLayeredWindowAttributes(window, colourKey, alpha, flags);
}

bool ClockPlugin::shouldBeLayered() const {
    return layeredCapable && transparency && !g_inSlit;
}

void ClockPlugin::makeTranslucent() {
    SetWindowLongA(hwnd, GWL_EXSTYLE, WS_EX_TOOLWINDOW | WS_EX_LAYERED);
    setLayeredAttributes(hwnd, 0, layeredOpacityFor(alpha), LWA_ALPHA);
}

void ClockPlugin::makeOpaque() {
    SetWindowLongA(hwnd, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
}
