// The clock in and out of the slit. Inside, the slit places the clock, and the clock
// is not layered: layered child windows exist only from Windows 8 on, and only for
// programs that declare them, so a layered clock could vanish there. Outside, the
// clock is back where it floated, as its settings say.
#include "plugin/clock_plugin.h"
#include "plugin/live_record.h"
#include "window/auto_width.h"

namespace {

// The floating position is where the user left the clock: it is not snapped again.
constexpr UINT kFloatingPlacement = SWP_NOACTIVATE | SWP_NOSENDCHANGING;

}  // namespace

// The slit reads the flag while it handles its message: it is set before the window
// is added.
void ClockPlugin::joinSlit() {
    if (shouldBeLayered()) makeOpaque();
    g_inSlit = true;
    SendMessageA(g_hSlit, HM_SLIT_ADD, 0, reinterpret_cast<LPARAM>(hwnd));
}

// The flag is cleared only after the slit has given the window back, so that none of
// the slit's moves is taken for the floating position. The slit's handling of its
// message may end the plug-in.
void ClockPlugin::leaveSlit() {
    const LiveRecord live(this);
    SendMessageA(g_hSlit, HM_SLIT_REMOVE, 0, reinterpret_cast<LPARAM>(hwnd));
    if (!live.stillLive()) return;
    g_inSlit = false;

    if (shouldBeLayered()) makeTranslucent();
    const POINT place = floatingPlace();
    SetWindowPos(hwnd, alwaysOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, place.x, place.y,
                 windowSideFor(width), windowSideFor(height), kFloatingPlacement);
}

// The settings were read again into g_inSlit, and the clock was in the slit or not
// as `wasInSlit` says: it joins or leaves the slit as the file now says, when a slit
// is known. Without one it stays floating. The slit's handling of its message may end
// the plug-in.
void ClockPlugin::followSlitSetting(bool wasInSlit) {
    const bool wanted = g_inSlit && g_hSlit != nullptr;
    g_inSlit = wasInSlit;
    if (wanted == wasInSlit) return;
    if (wanted) joinSlit();
    else leaveSlit();
}
