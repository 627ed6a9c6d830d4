// Fails the plug-in's off-screen drawing surface on demand: CreateCompatibleDC or
// CreateCompatibleBitmap answers null for a chosen number of calls. Installed by a
// test through PluginTest::redirect on top of the counting GDI redirections, so
// every call that does go through is still counted there.
#pragma once

#include <vector>

#include "redirection.h"

struct GdiFailures {
    int failNextContexts = 0;  // CreateCompatibleDC calls still to fail
    int failNextBitmaps = 0;   // CreateCompatibleBitmap calls still to fail
    int failedContexts = 0;
    int failedBitmaps = 0;
};

extern GdiFailures g_gdiFailures;

std::vector<Redirection> gdiFailureRedirections();
