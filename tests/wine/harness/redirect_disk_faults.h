// File-system faults the settings writer must survive, injected on top of the
// recording file redirections: a write that stops part-way (the disk is full), a
// close that reports a lost delayed write, a replace that is refused, and a
// temporary file that cannot be made (the settings' name with '~' for its last
// character). Installed
// by a test through PluginTest::redirect.
#pragma once

#include <windows.h>

#include <vector>

#include "redirection.h"

enum class DiskFault {
    None,
    HalfWrittenThenFull,   // WriteFile writes half its bytes, then fails: disk full
    ShortWrite,            // WriteFile writes half its bytes and reports that, no error
    CloseLosesTheData,     // CloseHandle closes, then reports a failed delayed write
    ReplaceRefused,        // MoveFileExA fails with ERROR_DISK_FULL
    ReplaceBusy,           // MoveFileExA fails with ERROR_ACCESS_DENIED, every time
    TemporaryRefused,      // no file may be made beside the settings: ERROR_ACCESS_DENIED
    TemporaryDiskFull,     // the temporary file cannot be made: ERROR_DISK_FULL
};

struct DiskFaultRecords {
    DiskFault fault = DiskFault::None;
    int faultsInjected = 0;
    int replaceAttempts = 0;
};

extern DiskFaultRecords g_diskFaults;

std::vector<Redirection> diskFaultRedirections();
