// The two plug-ins the benchmark loads into the stand-in host: Pipwick.dll as it
// ships and the floor plug-in it is measured against.
#pragma once

#include <windows.h>

#include <string>

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

private:
    using BeginPlugin = int(__cdecl*)(HINSTANCE);
    using EndPlugin = void(__cdecl*)(HINSTANCE);
    using FloorWindow = HWND(__cdecl*)();

    HMODULE module_ = nullptr;
    BeginPlugin begin_ = nullptr;
    EndPlugin end_ = nullptr;
    FloorWindow floorWindow_ = nullptr;
    bool running_ = false;
};

}  // namespace bench
