// The rule by which the host snaps a window being moved to the edges of an area
// (the work area or the whole screen). Platform-free, so it builds natively.
#pragma once

namespace norvane {

struct SnapArea {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// On each axis on its own, moves a window of `width` by `height` at (*x, *y) flush
// with the nearer edge of `area` when that edge is at most `distance` pixels away;
// a tie goes to the left or top edge. A distance below 1 snaps nothing.
void snapToEdges(const SnapArea& area, int distance, int width, int height, int* x, int* y);

}  // namespace norvane
