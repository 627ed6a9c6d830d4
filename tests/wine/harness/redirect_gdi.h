// The GDI objects a paint makes and releases: CreateCompatibleDC and
// CreateCompatibleBitmap are counted until DeleteDC or DeleteObject releases them.
#pragma once

#include <windows.h>

#include <set>
#include <vector>

#include "redirection.h"

struct GdiRecords {
    int contextsCreated = 0;
    int bitmapsCreated = 0;
    int contextsDeleted = 0;
    int objectsDeleted = 0;                // DeleteObject calls on counted objects
    std::set<HGDIOBJ> liveObjects;         // created here and not yet deleted
};

extern GdiRecords g_gdi;

std::vector<Redirection> gdiRedirections();
