// How soon each second reaches the screen when every timer comes late: a plug-in's
// SetTimer calls are redirected to ask for 16 ms more than they say, as a 64 Hz system
// clock delivers them, and each of its paints is timed through its own BeginPaint and
// EndPaint imports while it runs undisturbed.
#pragma once

#include <string>

#include "bench/plugins.h"

namespace bench {

struct FlipLatency {
    int seconds = 0;         // whole seconds watched
    int skipped = 0;         // of those, never painted
    int twice = 0;           // painted more than once
    double medianMs = 0;     // from a second's start to the end of its first paint
    double largestMs = 0;
    int over30Ms = 0;        // seconds whose first paint ended more than 30 ms after its start
};

// Runs the loaded plug-in for `seconds`; it must not be running.
FlipLatency measureFlipLatency(LoadedPlugin& plugin, int seconds);

void printFlipLatency(const FlipLatency& pipwick, const FlipLatency& floor, int seconds);
// name=value pairs of both, for the summary line.
std::string flipLatencySummary(const FlipLatency& pipwick, const FlipLatency& floor);

}  // namespace bench
