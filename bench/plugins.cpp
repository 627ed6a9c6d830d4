#include "bench/plugins.h"

#include <vector>

#include "host/norvane_api.h"
#include "norvane/host_control.h"

namespace bench {
namespace {

template <typename Function>
Function entryPoint(HMODULE module, const char* name) {
    // Through void*: the entry points' types are not FARPROC's.
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

bool LoadedPlugin::load(const std::string& path) {
    module_ = LoadLibraryA(path.c_str());
    if (module_ == nullptr) return false;
    begin_ = entryPoint<BeginPlugin>(module_, "beginPlugin");
    end_ = entryPoint<EndPlugin>(module_, "endPlugin");
    floorWindow_ = entryPoint<FloorWindow>(module_, "floorWindow");
    if (begin_ == nullptr || end_ == nullptr) {
        unload();
        return false;
    }
    return true;
}

void LoadedPlugin::unload() {
    if (running_) end();
    if (module_ != nullptr) FreeLibrary(module_);
    module_ = nullptr;
}

bool LoadedPlugin::begin() {
    running_ = begin_(module_) == 0;
    return running_;
}

void LoadedPlugin::end() {
    end_(module_);
    running_ = false;
}

HWND LoadedPlugin::window() const {
    if (!running_) return nullptr;
    if (floorWindow_ != nullptr) return floorWindow_();
    // Pipwick's window is the one that registered for the host's broadcasts.
    const std::vector<HWND> registered = norvane::windowsRegisteredFor(HM_BROADCAST);
    return registered.empty() ? nullptr : registered.back();
}

void LoadedPlugin::finishPainting() const {
    const HWND shown = window();
    if (shown != nullptr) UpdateWindow(shown);
}

}  // namespace bench
