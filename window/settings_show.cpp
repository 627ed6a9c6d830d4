// The settings just read, shown at once: what Read Settings does with the whole file,
// and the watch with an edit of it. Only what changed is redone, and nothing is
// written: the values came from the file.
#include "plugin/clock_plugin.h"
#include "plugin/live_record.h"

namespace {

constexpr SettingsLines kFaceLines =
    settingsLine(LINE_CIRCLE_SIZE) | settingsLine(LINE_UNMARKED_RED) |
    settingsLine(LINE_UNMARKED_GREEN) | settingsLine(LINE_UNMARKED_BLUE) |
    settingsLine(LINE_MARKED_RED) | settingsLine(LINE_MARKED_GREEN) |
    settingsLine(LINE_MARKED_BLUE);
constexpr SettingsLines kSizeAndPlaceLines = kPlaceLines | settingsLine(LINE_WIDTH) |
                                             settingsLine(LINE_HEIGHT) |
                                             settingsLine(LINE_AUTO_RESIZE);
constexpr SettingsLines kTranslucencyLines =
    settingsLine(LINE_TRANSPARENCY) | settingsLine(LINE_ALPHA);

bool anyOf(SettingsLines changed, SettingsLines lines) {
    return (changed & lines) != 0;
}

}  // namespace

// The slit first: leaving it places the clock as it floats. Then the translucency
// (never in the slit), the stacking, and the size and place, the width as auto
// resize allows. Colours and dot size show at the repaint. Joining or leaving the
// slit, and placing the window, deliver messages during which the host may end the
// plug-in.
void ClockPlugin::showSettings(SettingsLines changed, bool wasInSlit) {
    const LiveRecord live(this);
    if (anyOf(changed, settingsLine(LINE_IN_SLIT))) {
        followSlitSetting(wasInSlit);
        if (!live.stillLive()) return;
    }
    if (anyOf(changed, kTranslucencyLines)) {
        if (shouldBeLayered()) makeTranslucent();
        else makeOpaque();
    }
    if (anyOf(changed, settingsLine(LINE_ALWAYS_ON_TOP))) {
        restack();
        if (!live.stillLive()) return;
    }
    if (anyOf(changed, kSizeAndPlaceLines)) {
        fitToSettings();
        if (!live.stillLive()) return;
    }
    if (anyOf(changed, kFaceLines | kSizeAndPlaceLines | kTranslucencyLines |
                           settingsLine(LINE_IN_SLIT))) {
        InvalidateRect(hwnd, nullptr, TRUE);
    }
}
