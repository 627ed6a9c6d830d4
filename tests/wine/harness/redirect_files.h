// CreateFileA and WriteFile, the calls through which the plug-in writes its
// settings file: recorded and passed through, or failed on demand.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "redirection.h"

struct FileOpen {
    std::string path;
    DWORD access;
    DWORD sharing;
    DWORD disposition;
    HANDLE result;
};

struct FileRecords {
    // CreateFileA fails for every path while set.
    bool failCreate = false;
    // WriteFile fails (writing nothing) on this call, counted from 1 over all
    // calls; 0 for none.
    int failWriteCall = 0;
    // WriteFile fails part-way on the first call whose data contains this text:
    // the bytes before the text are written, then the call fails as on a full
    // disk. Cleared once it has failed.
    std::string failWriteContaining;

    std::vector<FileOpen> opens;
    int writeCalls = 0;
    int failedWrites = 0;
};

extern FileRecords g_files;

std::vector<Redirection> fileRedirections();
