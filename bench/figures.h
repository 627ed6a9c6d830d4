// The figures of the benchmark, each measured for Pipwick and for its baseline in
// the same run.
#pragma once

#include <string>

#include "bench/plugins.h"

namespace bench {

struct Measured {
    double pipwick = 0;
    double baseline = 0;
};

struct BenchOptions {
    int repaints = 10000;   // repaints of each window
    int moves = 2000;       // completed moves, and as many bare writes
    int starts = 30;        // starts of each plug-in
    int idleSeconds = 60;   // for the host alone, the clock and the floor each
    int flipSeconds = 120;  // the flip latency of each plug-in
    bool flipOnly = false;  // measure the flip latency alone
    std::string runsAs;  // how this build's code ran, e.g. "32-bit, under qemu-i386"
};

struct RepaintFigures {
    Measured floor;         // Pipwick's repaint, and the floor's
    double copyOnly = 0;    // the repaint of a window whose paint only copies a kept bitmap
};

// Median microseconds of a full repaint (invalidate, then update the window). All
// three plug-ins must be running.
RepaintFigures measureRepaint(const LoadedPlugin& pipwick, const LoadedPlugin& floor,
                              const LoadedPlugin& copyOnly, int repaints);

struct WriteFigures {
    // A completed move of Pipwick's window, against a move of the floor's window
    // followed by a bare durable write.
    Measured move;
    // A bare durable write of as many bytes as the settings file holds, in its
    // directory: a temporary file created, written, flushed and closed, then renamed
    // over the target.
    double bareWrite = 0;
};

// Medians in microseconds, in alternating blocks. Both plug-ins must be running.
WriteFigures measureSettingsWrite(const LoadedPlugin& pipwick, const LoadedPlugin& floor,
                                  const std::string& settingsFile, int moves);

// Median microseconds from beginPlugin to the end of the first paint. Neither
// plug-in may be running.
Measured measureStartUp(LoadedPlugin& pipwick, LoadedPlugin& floor, int starts);

// CPU microseconds per second that each running plug-in adds to the host running
// alone; `hostAlone` receives the host's own figure. Neither may be running.
Measured measureIdle(LoadedPlugin& pipwick, LoadedPlugin& floor, int seconds, double* hostAlone);

struct MemoryAdded {
    Measured privateBytes;    // committed private memory, the GDI bitmaps held included
    Measured heapBytes;       // of which in use in the heaps
    Measured bitmapBytes;     // of which the pixels of the GDI bitmaps it holds
};

// The memory that loading and starting each DLL adds, each in a fresh process.
MemoryAdded measurePrivateMemory(const std::string& pipwickDll, const std::string& floorDll);
// The child side: loads and starts the DLL, writes the private, the heap and the
// bitmap bytes it added to the file.
int reportPrivateMemory(const std::string& dll, const std::string& resultFile);

double fileBytes(const std::string& path);

}  // namespace bench
