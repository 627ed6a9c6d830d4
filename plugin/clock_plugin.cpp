#include "plugin/clock_plugin.h"

#include <cstdlib>
#include <cstring>

#include "plugin/layered_rule.h"

ClockPlugin* g_plugin = nullptr;
bool g_inSlit = false;
HWND g_hSlit = nullptr;

namespace {

bool platformOffersLayeredWindows() {
    OSVERSIONINFOA version;
    std::memset(&version, 0, sizeof version);
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);  // on failure the zeroed record answers "no"
    return layeredWindowsAvailable(version.dwPlatformId, version.dwMajorVersion);
}

}  // namespace

ClockPlugin::ClockPlugin(HINSTANCE module)
    : hInstance(module),
      hwnd(nullptr),
      hwndHost(GetNorvWnd()),
      xpos(10),
      ypos(10),
      width(200),
      height(200),
      alwaysOnTop(true),
      snapWindow(true),
      transparency(false),
      alpha(200),
      autoResize(false),
      layeredCapable(platformOffersLayeredWindows()),
      backColor(0),
      backColorTo(0),
      borderColor(0),
      bevelWidth(0),
      borderWidth(0),
      styleItem(nullptr),
      labelText(),
      fontHeight(12),
      timerInterval(5),
      markedRed(0),
      markedGreen(0),
      markedBlue(0),
      unmarkedRed(255),
      unmarkedGreen(255),
      unmarkedBlue(255),
      circleSize(4),
      rcFile(),
      styleFile(),
      now(),
      background(),
      menuMain(nullptr),
      menuConfig(nullptr),
      menuSettings(nullptr),
      ending(false),
      dragging(false),
      placeBeforeDrag(),
      settingsFile(),
      settingsNotKeptReported(false),
      steppedBack(false),
      textTime(),
      tooltipTried(false),
      tooltip(nullptr),
      tooltipText() {
    locateSettingsFile();
    readSettings();
    readStyle();
}

// The last place of a drag still under way reaches the file, and no temporary file is
// left beside it.
ClockPlugin::~ClockPlugin() {
    KillTimer(hwnd, kUpdateTimerId);
    finishDrag();
    settlePendingReplace();
    if (styleItem != nullptr) std::free(styleItem);
    if (menuMain != nullptr) DelMenu(menuMain);
}

void ClockPlugin::setFirstRunValues() {
    xpos = 10;
    ypos = 10;
    alwaysOnTop = true;
    snapWindow = true;
    transparency = false;
    g_inSlit = false;
    autoResize = false;
    alpha = 200;
}
