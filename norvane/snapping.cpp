// SnapWindowToEdge: pulls a window being moved flush with the work area's (or the
// screen's) edges when it comes close to them.
#include "norvane/host_internal.h"

#include "host/norvane_api.h"
#include "norvane/edge_snap.h"

namespace norvane {
namespace {

SnapArea snapArea(bool useScreenSize) {
    const SnapArea screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (useScreenSize) return screen;
    RECT work = {};
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) return screen;
    return SnapArea{work.left, work.top, work.right, work.bottom};
}

// A window docked inside another one is placed by its container, not by the
// screen's edges.
bool isChildWindow(HWND window) {
    return window != nullptr && (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) != 0;
}

}  // namespace
}  // namespace norvane

NORVANE_API void SnapWindowToEdge(WINDOWPOS* position, int snapDistance, bool useScreenSize) {
    if (norvane::recordingCalls()) {
        norvane::recordCall("SnapWindowToEdge",
                            {norvane::pointerText(position), norvane::numberArgument(snapDistance),
                             norvane::boolArgument(useScreenSize)});
    }
    if (position == nullptr || (position->flags & SWP_NOMOVE) != 0) return;
    if (norvane::isChildWindow(position->hwnd)) return;
    int width = position->cx;
    int height = position->cy;
    if ((position->flags & SWP_NOSIZE) != 0) {
        RECT rect = {};
        GetWindowRect(position->hwnd, &rect);
        width = rect.right - rect.left;
        height = rect.bottom - rect.top;
    }
    norvane::snapToEdges(norvane::snapArea(useScreenSize), snapDistance, width, height,
                         &position->x, &position->y);
}
