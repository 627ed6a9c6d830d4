// Where the time of a completed move goes: Pipwick's file and host calls during a
// settings write, counted and timed through its own import table, beside a move of
// the bare floor window, which writes nothing.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace bench {

struct CallProfile {
    std::string function;
    double callsPerMove = 0;
    double microsecondsPerMove = 0;
};

struct WriteProfile {
    double moveMicroseconds = 0;       // mean of a profiled move of Pipwick's window
    double bareMoveMicroseconds = 0;   // median move of the floor window
    // Median time per move in the file calls of the settings write: the write alone,
    // without the window system's part of the move.
    double writeMicroseconds = 0;
    std::vector<CallProfile> calls;
};

WriteProfile profileSettingsWrite(HMODULE pipwick, HWND pipwickWindow, HWND floorWindow,
                                  int moves);
void printWriteProfile(const WriteProfile& profile);

// Completed drags of Pipwick's window, from WM_ENTERSIZEMOVE to WM_EXITSIZEMOVE, of
// kDragSteps moves each.
constexpr int kDragSteps = 30;

struct DragProfile {
    double writesPerDrag = 0;        // temporary files renamed: whole writes of the file
    double fileMicroseconds = 0;     // median time per drag in the file calls
    // Median bare durable write after each drag of the floor's window, which writes
    // nothing itself: a write as the drag's end finds the machine.
    double bareWriteMicroseconds = 0;
};

// Drags Pipwick's window and the floor's in turn.
DragProfile profileDrags(HMODULE pipwick, HWND pipwickWindow, HWND floorWindow,
                         const std::string& settingsFile, int drags);

}  // namespace bench
