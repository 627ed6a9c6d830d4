// The plug-in's file calls in the order it makes them: CreateFileA, WriteFile,
// FlushFileBuffers, CloseHandle, MoveFileExA and DeleteFileA, recorded and passed
// through. MoveFileExA can be refused as it is while another program holds the
// settings file open, FlushFileBuffers can fail as on a full disk, and every Sleep
// is counted.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/wine/redirection.h"

struct FileCallRecords {
    // Each call as "function file" with the file's name only; MoveFileExA names both
    // files, e.g. "MoveFileExA Pipwick.r~ Pipwick.rc".
    std::vector<std::string> calls;
    bool replaceHeld = false;   // MoveFileExA fails with ERROR_SHARING_VIOLATION
    bool failFlush = false;     // FlushFileBuffers fails with ERROR_DISK_FULL
    int sleeps = 0;

    int count(const std::string& call) const;
};

extern FileCallRecords g_fileCalls;

// Imported by every build of the plug-in that writes its settings file.
std::vector<Redirection> fileCallRedirections();
// FlushFileBuffers and Sleep: a plug-in that does not import one never calls it, and
// its count stays 0.
void redirectFlushAndSleepWhereImported(HMODULE module);
