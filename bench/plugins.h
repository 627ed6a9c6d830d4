// The two plug-ins the benchmark loads into the stand-in host: Pipwick.dll as it
// ships and the floor plug-in it is measured against.
#pragma once

#include <windows.h>

#include <string>

#include "bench/floor_face.h"

namespace bench {

class LoadedPlugin {
public:
    bool load(const std::string& path);
    void unload();
    bool loaded() const { return module_ != nullptr; }
    HMODULE module() const { return module_; }

    bool begin();
    void end();
    bool running() const { return running_; }
    // The window the plug-in shows while it runs.
    HWND window() const;
    // Paints whatever the window has to paint now, and returns when that is done.
    void finishPainting() const;
    // Only the floor plug-in takes a face; false for any other.
    bool setFloorFace(const FloorFace& face) const;

private:
    using BeginPlugin = int(__cdecl*)(HINSTANCE);
    using EndPlugin = void(__cdecl*)(HINSTANCE);
    using FloorWindow = HWND(__cdecl*)();
    using FloorSetFace = void(__cdecl*)(const FloorFace*);

    HMODULE module_ = nullptr;
    BeginPlugin begin_ = nullptr;
    EndPlugin end_ = nullptr;
    FloorWindow floorWindow_ = nullptr;
    FloorSetFace floorSetFace_ = nullptr;
    bool running_ = false;
};

// The face the floor paints: Pipwick's first-start rectangle beside Pipwick's own
// window, in the toolbar style of the given style file, read as Pipwick reads it.
FloorFace floorFaceFromStyle(const char* styleFile, int x, int y);

}  // namespace bench
