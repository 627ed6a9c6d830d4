#include "window/monitor_position.h"

#include <climits>

#include "window/auto_width.h"

namespace {

// The window's far edge, one pixel past its start at least and never past the end
// of the coordinates: a window of no width still stands at its position.
LONG farEdge(int start, int side) {
    const int covered = windowSideFor(side) > 0 ? windowSideFor(side) : 1;
    const long long edge = static_cast<long long>(start) + covered;
    return edge > INT_MAX ? INT_MAX : static_cast<LONG>(edge);
}

// One axis of the primary monitor, which starts at 0 on both.
int onPrimaryAxis(int position, int side, int primaryEnd) {
    if (position >= primaryEnd) return 0;
    return positionWithinReach(position, side, 0);
}

}  // namespace

bool liesOnAMonitor(int x, int y, int width, int height) {
    const RECT window = {x, y, farEdge(x, width), farEdge(y, height)};
    // A window that starts at the very end of the coordinates covers nothing.
    if (window.right <= window.left || window.bottom <= window.top) return false;
    return MonitorFromRect(&window, MONITOR_DEFAULTTONULL) != nullptr;
}

POINT startPositionFor(int x, int y, int width, int height) {
    if (liesOnAMonitor(x, y, width, height)) return POINT{x, y};
    return POINT{onPrimaryAxis(x, width, GetSystemMetrics(SM_CXSCREEN)),
                 onPrimaryAxis(y, height, GetSystemMetrics(SM_CYSCREEN))};
}
