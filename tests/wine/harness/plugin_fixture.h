// The fixture every test of the shipped DLL starts from: fresh module and host
// directories, the stand-in host running in recording mode, and a freshly loaded
// copy of Pipwick.dll with its observed imports redirected, not yet started.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "redirections.h"

class PluginTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The entry points. Each start returns what the plug-in returned.
    int startPlugin();                      // beginPlugin
    int startSlitPlugin(HWND slit);         // beginSlitPlugin
    int startPluginEx(HWND slit);           // beginPluginEx
    void stopPlugin();                      // endPlugin
    const char* pluginInfo(int index);
    bool running() const { return running_; }

    // The fixture's own redirections (redirections.h) are all installed, or the test
    // has already failed. Redirects each of these imports on top of the fixture's, keeping the address
    // each replaced for it to call through; a fatal failure names any the DLL does
    // not import, so that no test runs without the redirection it relies on.
    void redirectAll(const std::vector<Redirection>& redirections);
    // The same for those of them the DLL imports; answers the names of the others.
    std::string redirectWhereImported(const std::vector<Redirection>& redirections);

    // Runs the message loop for a bounded time, or until `done` holds.
    void pumpMessages(DWORD milliseconds = 30);
    bool pumpUntil(const std::function<bool()>& done, DWORD timeoutMilliseconds = 1000);

    // The clock window: the last one the plug-in created, while it exists.
    HWND clockWindow() const;
    // Windows of this thread with that class, top-level or inside another window.
    std::vector<HWND> windowsOfClass(const char* className) const;
    bool pipwickClassRegistered() const;

    // Start from these settings, floating (beginPlugin) or in the host's slit
    // (beginSlitPlugin), and check the window; the window moves of the start itself
    // are forgotten, so that a test recording them sees only its own.
    void startFrom(const std::vector<std::pair<std::string, std::string>>& settings);
    void startInSlitFrom(const std::vector<std::pair<std::string, std::string>>& settings);
    // One paint, as the timer's invalidation causes it, carried out at once; and
    // whether the clock window has something left to repaint.
    void paintNow();
    bool paintPending() const;
    // Makes the paint's GDI calls fail on request, or records the sizes they ask for
    // (the GDI failures and sizes of redirections.h), from a clean record.
    void installGdiFailures();
    void installGdiSizeRecords();
    // Restarts the stand-in host, recording, in this directory with this style file.
    void restartHost(const std::string& directory, const std::string& style);
    // Makes GetVersionExA report this platform and version to the plug-in.
    void reportWindowsVersion(DWORD platformId, DWORD major, DWORD minor);
    // Makes the plug-in see a desktop of these monitors, the primary one first
    // (redirect_platform.h).
    void useMonitors(const std::vector<RECT>& monitors);
    // Records the plug-in's file calls in order (g_fileCalls), Sleep and the flush
    // included.
    void recordFileCalls();
    // Sends the broadcast to a window with nothing left to paint, and tells whether
    // the window had something to repaint right after it, before any message ran.
    bool broadcastInvalidates(const char* text);

    // Moves the clock window, or changes its width in place; either completes a
    // change of position state and so makes the plug-in rewrite its settings.
    void moveClockWindow(int x, int y);
    void widenClockWindow(int pixels);

    // Paths; the directories end in a backslash.
    const std::string& moduleDirectory() const { return moduleDirectory_; }
    const std::string& hostDirectory() const { return hostDirectory_; }
    std::string modulePath(const std::string& name) const { return moduleDirectory_ + name; }
    std::string hostPath(const std::string& name) const { return hostDirectory_ + name; }
    std::string rcFile() const { return modulePath("Pipwick.rc"); }
    std::string styleFile() const { return hostPath("test.style"); }
    std::string logFile() const { return hostPath("norvane.log"); }
    // Pipwick's folder in the user's application data folder, which the fixture gives
    // the plug-in; it does not exist until the plug-in makes it.
    std::string dataPath(const std::string& name) const {
        return dataDirectory_ + "Pipwick\\" + name;
    }

    void writeModuleSettings(const std::string& text, const char* name = "Pipwick.rc");
    void writeHostSettings(const std::string& text, const char* name = "Pipwick.rc");
    std::string moduleSettings(const char* name = "Pipwick.rc") const;
    void writeStyle(const std::string& text);
    std::string hostLog() const;

    HMODULE module() const { return module_; }
    const std::wstring& moduleFile() const { return moduleFile_; }
    // The host's FreeLibrary of the module, and its LoadLibraryA of the same file
    // later: the entry points are looked up again, and a module mapped afresh gets the
    // fixture's redirections.
    void unloadModule();
    void loadModuleAgain();
    // Moves the DLL, not yet started, into a new folder of this name beside the
    // module directory and loads it from there; moduleDirectory() becomes that
    // folder's short path.
    void moveModuleTo(const std::wstring& folderName);
    // The same into "Часы", a Cyrillic name that the ANSI code page lacks (as code
    // page 1252 and the other Western ones do), so that no ANSI path names the DLL.
    void moveModuleOutsideCodePage();

private:
    using BeginPlugin = int(__cdecl*)(HINSTANCE);
    using BeginSlitPlugin = int(__cdecl*)(HINSTANCE, HWND);
    using EndPlugin = void(__cdecl*)(HINSTANCE);
    using PluginInfo = const char*(__cdecl*)(int);

    int recordStart(int result);
    void findEntryPoints();

    std::string root_;
    std::string moduleDirectory_;
    std::string hostDirectory_;
    std::string dataDirectory_;
    std::wstring moduleFile_;  // the DLL the test loaded
    HMODULE module_ = nullptr;
    BeginPlugin beginPlugin_ = nullptr;
    BeginSlitPlugin beginSlitPlugin_ = nullptr;
    BeginSlitPlugin beginPluginEx_ = nullptr;
    EndPlugin endPlugin_ = nullptr;
    PluginInfo pluginInfo_ = nullptr;
    bool hostStarted_ = false;
    bool running_ = false;
};

// Settings text of "key: value" lines, each ending in LF.
std::string settingsLines(const std::vector<std::pair<std::string, std::string>>& lines);

// The settings a test usually starts from: a window at (120, 80), 200 by 200,
// floating, not topmost, no snapping, not translucent.
std::vector<std::pair<std::string, std::string>> floatingSettings();
// The same, at (x, y).
std::vector<std::pair<std::string, std::string>> floatingSettingsAt(int x, int y);
// `settings` with one key's value replaced, or the key added.
std::vector<std::pair<std::string, std::string>> withSetting(
    std::vector<std::pair<std::string, std::string>> settings, const std::string& key,
    const std::string& value);
