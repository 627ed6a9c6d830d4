// norvane.exe: runs a plug-in in the stand-in host so that a person can see it.
//
//   norvane.exe [--plugin PATH] [--style PATH] [--slit] [--seconds N]
//               [--screenshot PATH.png] [--broadcast TEXT]... [--hover]
//
// Loads the plug-in (Pipwick.dll beside the program unless told otherwise), starts
// it floating or in the slit, sends the broadcasts one second after the start, with
// --hover rests the pointer on the middle of the plug-in's window, runs for N seconds
// (5 unless told otherwise), optionally saves a screenshot of the plug-in's window
// with what it shows beside it (a tooltip), and stops the plug-in again.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "host/norvane_api.h"
#include "norvane/host_control.h"
#include "norvane/settings_lookup.h"

namespace {

const DWORD kBroadcastDelayMilliseconds = 1000;
const int kScreenshotAttempts = 5;
// Time for the window system to put a finished paint on the screen.
const DWORD kPaintSettleMilliseconds = 150;

struct RunOptions {
    std::string plugin;
    std::string style;
    bool slit = false;
    bool hover = false;
    int seconds = 5;
    std::string screenshot;
    std::vector<std::string> broadcasts;
};

using BeginPlugin = int(__cdecl*)(HINSTANCE);
using BeginSlitPlugin = int(__cdecl*)(HINSTANCE, HWND);
using EndPlugin = void(__cdecl*)(HINSTANCE);

struct LoadedPlugin {
    HMODULE module = nullptr;
    BeginPlugin begin = nullptr;
    BeginSlitPlugin beginSlit = nullptr;
    EndPlugin end = nullptr;
};

void printUsage() {
    std::fputs("usage: norvane.exe [--plugin PATH] [--style PATH] [--slit] [--seconds N]\n"
               "                   [--screenshot PATH.png] [--broadcast TEXT]... [--hover]\n",
               stderr);
}

bool parseArguments(int argc, char** argv, RunOptions* options) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "--slit") {
            options->slit = true;
        } else if (argument == "--hover") {
            options->hover = true;
        } else if (argument == "--plugin" && hasValue) {
            options->plugin = argv[++i];
        } else if (argument == "--style" && hasValue) {
            options->style = argv[++i];
        } else if (argument == "--screenshot" && hasValue) {
            options->screenshot = argv[++i];
        } else if (argument == "--broadcast" && hasValue) {
            options->broadcasts.push_back(argv[++i]);
        } else if (argument == "--seconds" && hasValue) {
            options->seconds = norvane::integerOr(argv[++i], -1);
            if (options->seconds < 0) {
                std::fprintf(stderr, "norvane: --seconds wants a whole number, not %s\n", argv[i]);
                return false;
            }
        } else {
            std::fprintf(stderr, "norvane: unknown or incomplete argument %s\n", argv[i]);
            return false;
        }
    }
    return true;
}

std::string programDirectory() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path) return std::string();
    std::string directory(path, length);
    const size_t slash = directory.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : directory.substr(0, slash + 1);
}

// Dispatches messages until the time is up; false when the loop was told to quit.
bool runMessagesFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) return false;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= milliseconds) return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
    }
}

template <typename Function>
Function entryPoint(HMODULE module, const char* name) {
    // Through void*: the entry points' types are not FARPROC's.
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

bool loadPlugin(const std::string& path, LoadedPlugin* plugin) {
    plugin->module = LoadLibraryA(path.c_str());
    if (plugin->module == nullptr) {
        std::fprintf(stderr, "norvane: cannot load %s (error %lu)\n", path.c_str(),
                     static_cast<unsigned long>(GetLastError()));
        return false;
    }
    plugin->begin = entryPoint<BeginPlugin>(plugin->module, "beginPlugin");
    plugin->beginSlit = entryPoint<BeginSlitPlugin>(plugin->module, "beginSlitPlugin");
    if (plugin->beginSlit == nullptr) {
        plugin->beginSlit = entryPoint<BeginSlitPlugin>(plugin->module, "beginPluginEx");
    }
    plugin->end = entryPoint<EndPlugin>(plugin->module, "endPlugin");
    if (plugin->begin == nullptr || plugin->beginSlit == nullptr || plugin->end == nullptr) {
        std::fprintf(stderr, "norvane: %s lacks beginPlugin, beginSlitPlugin or endPlugin\n",
                     path.c_str());
        FreeLibrary(plugin->module);
        plugin->module = nullptr;
        return false;
    }
    return true;
}

// The plug-in's window, or the slit when that window sits in it.
HWND screenshotTarget() {
    const std::vector<HWND> registered = norvane::windowsRegisteredFor(HM_BROADCAST);
    if (registered.empty()) return nullptr;
    for (HWND child : norvane::slitChildren()) {
        if (child == registered.front()) return norvane::slitWindow();
    }
    return registered.front();
}

// Puts the pointer on the middle of the plug-in's window, as a user resting it there.
void restPointerOnPlugin() {
    const std::vector<HWND> registered = norvane::windowsRegisteredFor(HM_BROADCAST);
    RECT bounds;
    if (registered.empty() || !GetWindowRect(registered.front(), &bounds)) return;
    SetCursorPos((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
}

bool sameSecond(const std::tm& a, const std::tm& b) {
    return a.tm_sec == b.tm_sec && a.tm_min == b.tm_min && a.tm_hour == b.tm_hour;
}

std::tm localTimeNow() {
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    return local != nullptr ? *local : std::tm{};
}

void waitForNextSecond() {
    const std::tm start = localTimeNow();
    for (int i = 0; i < 120 && sameSecond(start, localTimeNow()); ++i) runMessagesFor(10);
}

// Repaints the target and captures it within one second of the clock, so the
// time printed is the time the face shows.
bool takeScreenshot(const std::string& path) {
    const HWND target = screenshotTarget();
    if (target == nullptr) {
        std::fputs("norvane: the plug-in registered no window to capture\n", stderr);
        return false;
    }
    for (int attempt = 0; attempt < kScreenshotAttempts; ++attempt) {
        waitForNextSecond();
        const std::tm before = localTimeNow();
        RedrawWindow(target, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        runMessagesFor(kPaintSettleMilliseconds);
        if (!norvane::saveScreenshot(target, path.c_str())) {
            std::fprintf(stderr, "norvane: cannot write the screenshot %s\n", path.c_str());
            return false;
        }
        const std::tm after = localTimeNow();
        if (sameSecond(before, after)) {
            std::printf("painted %02d:%02d:%02d screenshot %s\n", before.tm_hour, before.tm_min,
                        before.tm_sec, path.c_str());
            std::fflush(stdout);
            return true;
        }
    }
    std::fputs("norvane: the clock kept changing its second during the capture\n", stderr);
    return false;
}

int runPlugin(const RunOptions& options) {
    const std::string directory = programDirectory();
    norvane::HostOptions hostOptions;
    hostOptions.styleFile = options.style;
    if (!norvane::startHost(hostOptions)) {
        std::fputs("norvane: cannot create the host windows\n", stderr);
        return 1;
    }
    LoadedPlugin plugin;
    const std::string path = options.plugin.empty() ? directory + "Pipwick.dll" : options.plugin;
    if (!loadPlugin(path, &plugin)) {
        norvane::stopHost();
        return 1;
    }
    const int started = options.slit ? plugin.beginSlit(plugin.module, norvane::slitWindow())
                                     : plugin.begin(plugin.module);
    if (started != 0) {
        std::fprintf(stderr, "norvane: %s did not start (result %d)\n", path.c_str(), started);
        FreeLibrary(plugin.module);
        norvane::stopHost();
        return 1;
    }

    // Kept below the wrap-around of GetTickCount differences.
    const DWORD total =
        static_cast<DWORD>(std::min<long long>(options.seconds * 1000LL, 0x7FFFFFFFLL));
    const DWORD beforeBroadcasts = std::min(total, kBroadcastDelayMilliseconds);
    bool running = runMessagesFor(beforeBroadcasts);
    for (const std::string& text : options.broadcasts) norvane::broadcast(text.c_str());
    if (options.hover) restPointerOnPlugin();
    if (running) running = runMessagesFor(total - beforeBroadcasts);

    const bool captured = options.screenshot.empty() || takeScreenshot(options.screenshot);
    plugin.end(plugin.module);
    FreeLibrary(plugin.module);
    norvane::stopHost();
    return captured ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    RunOptions options;
    if (!parseArguments(argc, argv, &options)) {
        printUsage();
        return 2;
    }
    return runPlugin(options);
}
