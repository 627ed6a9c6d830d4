// The sizes of the off-screen surfaces a paint asks for, and the ellipses it draws:
// CreateCompatibleBitmap and Ellipse recorded and passed through. Installed by a test
// through PluginTest::redirect on top of the counting GDI redirections.
#pragma once

#include <windows.h>

#include <vector>

#include "redirection.h"

struct BitmapRequest {
    int width;
    int height;
    bool created;
};

struct GdiSizeRecords {
    std::vector<BitmapRequest> bitmaps;
    int ellipses = 0;
    std::vector<int> ellipseLefts;  // the left edge of each ellipse, in drawing order
    // The widest and tallest ellipse rectangle asked for, as the plug-in passed it.
    long long widestEllipse = 0;
    long long tallestEllipse = 0;
};

extern GdiSizeRecords g_gdiSizes;

std::vector<Redirection> gdiSizeRedirections();
