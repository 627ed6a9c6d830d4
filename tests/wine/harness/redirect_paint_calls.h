// The calls a paint makes, in the order it makes them: the window, drawing, host
// and clock calls of the clock's paint, each recorded by name and passed on to
// whatever the plug-in called before. Installed by a test through
// PluginTest::redirect, on top of the common redirections.
#pragma once

#include <string>
#include <vector>

#include "redirection.h"

struct PaintCallRecords {
    bool recording = false;
    std::vector<std::string> names;
};

extern PaintCallRecords g_paintCalls;

std::vector<Redirection> paintCallRedirections();
