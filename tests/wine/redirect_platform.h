// What the plug-in learns about the platform: GetVersionExA (the Windows version),
// GetSystemMetrics (the screen size), MonitorFromRect (the monitors),
// GetModuleFileNameA (where it was loaded from) and GetProcAddress (which functions
// exist). Each passes through unless a test chooses the answer.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "redirection.h"

struct ReportedVersion {
    DWORD platformId;
    DWORD majorVersion;
    DWORD minorVersion;
};

struct PlatformRecords {
    // GetVersionExA: when set, reports this platform and version.
    bool reportVersion = false;
    ReportedVersion version{};
    std::vector<DWORD> versionInfoSizes;   // the size field of every call

    // GetSystemMetrics: when nonzero, the primary screen's width and height.
    int screenWidth = 0;
    int screenHeight = 0;

    // When not empty, the desktop's monitors, the primary one (at 0, 0) first:
    // MonitorFromRect answers from them, and GetSystemMetrics gives the primary
    // screen's size, the box around all of them and their number, as Windows does.
    // Installed by monitorRedirection().
    std::vector<RECT> monitors;

    // GetModuleFileNameA: when not empty, the path reported for every module.
    std::string modulePath;

    // GetProcAddress: the names asked for, and the names to report as missing.
    std::vector<std::string> procedureLookups;
    std::vector<std::string> missingProcedures;
};

extern PlatformRecords g_platform;

std::vector<Redirection> platformRedirections();

// MonitorFromRect, answering from g_platform.monitors when a test has set them.
Redirection monitorRedirection();
