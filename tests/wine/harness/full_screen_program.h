// The full-screen program of another process that the tests start
// (full_screen_program.exe, beside the test program): its window covers the primary
// monitor and comes to the front. The test moves it or closes it from here.
#pragma once

#include <windows.h>

#include <string>

class FullScreenProgram {
public:
    FullScreenProgram() = default;
    FullScreenProgram(const FullScreenProgram&) = delete;
    FullScreenProgram& operator=(const FullScreenProgram&) = delete;
    ~FullScreenProgram() { close(); }

    // Starts the program and waits, handling this thread's messages, until its
    // window is the foreground window; false when it never gets there.
    bool start(const std::string& mode = "");  // the modes: full_screen_program_main.cpp
    // Its window covers the whole primary monitor, or all of it but the last column.
    void coverWholeMonitor(bool whole);
    // Closes its window and waits for the process to end.
    void close();

    HWND window() const { return window_; }

private:
    PROCESS_INFORMATION process_ = {};
    HWND window_ = nullptr;
};
