#include "norvane/edge_snap.h"

#include <climits>

namespace norvane {
namespace {

long long distanceBetween(long long a, long long b) { return a > b ? a - b : b - a; }

int clampToInt(long long value) {
    if (value < INT_MIN) return INT_MIN;
    if (value > INT_MAX) return INT_MAX;
    return static_cast<int>(value);
}

// One axis: the window spans [*start, *start + size), the area [low, high).
void snapAxis(long long low, long long high, int distance, int size, int* start) {
    const long long toLow = distanceBetween(*start, low);
    const long long toHigh = distanceBetween(static_cast<long long>(*start) + size, high);
    if (toLow <= distance && toLow <= toHigh) {
        *start = clampToInt(low);
    } else if (toHigh <= distance) {
        *start = clampToInt(high - size);
    }
}

}  // namespace

void snapToEdges(const SnapArea& area, int distance, int width, int height, int* x, int* y) {
    if (distance < 1) return;
    if (x != nullptr) snapAxis(area.left, area.right, distance, width, x);
    if (y != nullptr) snapAxis(area.top, area.bottom, distance, height, y);
}

}  // namespace norvane
