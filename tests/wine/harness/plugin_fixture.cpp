#include "plugin_fixture.h"

#include "host/norvane_api.h"
#include "import_redirect.h"
#include "norvane/host_control.h"
#include "test_files.h"

namespace {

const char kDefaultStyle[] =
    "toolbar: Raised Gradient Vertical Bevel1\n"
    "toolbar.color: #4a6078\n"
    "toolbar.colorTo: #b0c0d0\n"
    "borderColor: #202020\n"
    "borderWidth: 1\n"
    "bevelWidth: 2\n";

template <typename Function>
Function entryPoint(HMODULE module, const char* name) {
    return functionFrom<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

std::string classOf(HWND window) {
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

struct WindowSearch {
    std::string className;
    std::vector<HWND> found;
};

BOOL CALLBACK collectChild(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    if (classOf(window) == search->className)
        search->found.push_back(window);
    return TRUE;
}

BOOL CALLBACK collectTopLevel(HWND window, LPARAM parameter) {
    collectChild(window, parameter);
    EnumChildWindows(window, collectChild, parameter);
    return TRUE;
}

}  // namespace

void PluginTest::SetUp() {
    resetRedirectionRecords();

    root_ = makeTemporaryDirectory("pipwick-test");
    ASSERT_FALSE(root_.empty()) << "cannot create a temporary directory";
    moduleDirectory_ = makeSubdirectory(root_, "module");
    hostDirectory_ = makeSubdirectory(root_, "host");
    dataDirectory_ = makeSubdirectory(root_, "appdata");
    ASSERT_FALSE(moduleDirectory_.empty());
    ASSERT_FALSE(hostDirectory_.empty());
    ASSERT_FALSE(dataDirectory_.empty());
    // The user's application data folder is one of the test's own, as SHGetFolderPathW
    // reports it: without a trailing backslash.
    g_platform.applicationData = dataDirectory_.substr(0, dataDirectory_.size() - 1);

    std::string shipped = programDirectory() + "Pipwick.dll";
    ASSERT_TRUE(fileExists(shipped)) << "the plug-in is not beside the test program: " << shipped;
    ASSERT_TRUE(copyFileTo(shipped, modulePath("Pipwick.dll")));
    writeStyle(kDefaultStyle);

    norvane::HostOptions options;
    options.directory = hostDirectory_;
    options.styleFile = styleFile();
    options.logFile = logFile();
    options.record = true;
    ASSERT_TRUE(norvane::startHost(options));
    hostStarted_ = true;

    moduleFile_ = widePath(modulePath("Pipwick.dll"));
    module_ = LoadLibraryW(moduleFile_.c_str());
    ASSERT_NE(module_, nullptr) << "LoadLibraryW failed, error " << GetLastError();
    findEntryPoints();
    if (HasFatalFailure())
        return;

    // Tests rely on every one of these: without its redirection, a test that expects
    // nothing to be written, drawn or allocated would pass without looking, and a
    // message box that is really shown waits for a click that never comes.
    redirectAll(fixtureRedirections());
}

void PluginTest::TearDown() {
    if (running_)
        stopPlugin();
    bool windowsLeft = module_ != nullptr && !windowsOfClass("Pipwick").empty();
    EXPECT_FALSE(windowsLeft) << "a clock window outlived endPlugin or a failed start";
    // A window left behind still calls into the module: keep it loaded then.
    if (module_ != nullptr && !windowsLeft)
        FreeLibrary(module_);
    module_ = nullptr;
    // A module that kept itself loaded, because the host ended it inside one of its
    // calls, still holds its file; every call has returned by now.
    for (int reference = 0; reference < 4 && !windowsLeft; ++reference) {
        HMODULE kept = GetModuleHandleW(moduleFile_.c_str());
        if (kept == nullptr || !FreeLibrary(kept))
            break;
    }
    if (hostStarted_)
        norvane::stopHost();
    hostStarted_ = false;
    removeDirectoryTree(root_);
}

void PluginTest::findEntryPoints() {
    beginPlugin_ = entryPoint<BeginPlugin>(module_, "beginPlugin");
    beginSlitPlugin_ = entryPoint<BeginSlitPlugin>(module_, "beginSlitPlugin");
    beginPluginEx_ = entryPoint<BeginSlitPlugin>(module_, "beginPluginEx");
    endPlugin_ = entryPoint<EndPlugin>(module_, "endPlugin");
    pluginInfo_ = entryPoint<PluginInfo>(module_, "pluginInfo");
    ASSERT_NE(beginPlugin_, nullptr);
    ASSERT_NE(beginSlitPlugin_, nullptr);
    ASSERT_NE(beginPluginEx_, nullptr);
    ASSERT_NE(endPlugin_, nullptr);
    ASSERT_NE(pluginInfo_, nullptr);
}

void PluginTest::unloadModule() {
    FreeLibrary(module_);
    module_ = nullptr;
}

void PluginTest::loadModuleAgain() {
    const bool stillMapped = GetModuleHandleW(moduleFile_.c_str()) != nullptr;
    module_ = LoadLibraryW(moduleFile_.c_str());
    ASSERT_NE(module_, nullptr) << "LoadLibraryW failed, error " << GetLastError();
    findEntryPoints();
    if (!HasFatalFailure() && !stillMapped)
        redirectAll(fixtureRedirections());
}

void PluginTest::moveModuleOutsideCodePage() {
    const wchar_t folderName[] = L"\x0427\x0430\x0441\x044B";
    char bytes[64];
    BOOL usedDefault = FALSE;
    const bool written =
        GetACP() == CP_UTF8 || (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, folderName, -1,
                                                    bytes, sizeof bytes, nullptr, &usedDefault) > 0 &&
                                !usedDefault);
    ASSERT_FALSE(written) << "the ANSI code page (" << GetACP() << ") writes the folder's name";
    moveModuleTo(folderName);
}

void PluginTest::moveModuleTo(const std::wstring& folderName) {
    const std::wstring folder = widePath(root_) + folderName + L"\\";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    ASSERT_TRUE(CopyFileW(moduleFile_.c_str(), (folder + L"Pipwick.dll").c_str(), TRUE));
    FreeLibrary(module_);
    module_ = nullptr;
    DeleteFileW(moduleFile_.c_str());
    moduleFile_ = folder + L"Pipwick.dll";
    // The test reaches the folder's files through its short path.
    wchar_t shortFolder[MAX_PATH];
    const DWORD length = GetShortPathNameW(folder.c_str(), shortFolder, MAX_PATH);
    ASSERT_TRUE(length > 0 && length < MAX_PATH);
    char ansiFolder[MAX_PATH];
    BOOL usedDefault = FALSE;
    ASSERT_GT(WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, shortFolder, -1, ansiFolder,
                                  MAX_PATH, nullptr, &usedDefault), 0);
    ASSERT_FALSE(usedDefault) << "the short path is not plain ANSI";
    moduleDirectory_ = ansiFolder;
    loadModuleAgain();
}

int PluginTest::recordStart(int result) {
    running_ = result == 0;
    return result;
}

int PluginTest::startPlugin() {
    return recordStart(beginPlugin_(module_));
}

int PluginTest::startSlitPlugin(HWND slit) {
    return recordStart(beginSlitPlugin_(module_, slit));
}

int PluginTest::startPluginEx(HWND slit) {
    return recordStart(beginPluginEx_(module_, slit));
}

void PluginTest::stopPlugin() {
    endPlugin_(module_);
    running_ = false;
}

const char* PluginTest::pluginInfo(int index) {
    return pluginInfo_(index);
}

std::string PluginTest::redirectWhereImported(const std::vector<Redirection>& redirections) {
    std::string missing;
    for (const Redirection& redirection : redirections) {
        void* next = redirectImport(module_, redirection.dll, redirection.function,
                                    redirection.replacement);
        if (next == nullptr)
            missing += std::string(" ") + redirection.function;
        else
            *redirection.original = next;
    }
    return missing;
}

void PluginTest::redirectAll(const std::vector<Redirection>& redirections) {
    const std::string missing = redirectWhereImported(redirections);
    ASSERT_TRUE(missing.empty()) << "the plug-in does not import:" << missing;
}

void PluginTest::installGdiFailures() {
    g_gdiFailures = GdiFailures{};
    redirectAll(gdiFailureRedirections());
}

void PluginTest::installGdiSizeRecords() {
    g_gdiSizes = GdiSizeRecords{};
    redirectAll(gdiSizeRedirections());
}

void PluginTest::restartHost(const std::string& directory, const std::string& style) {
    norvane::HostOptions options;
    options.directory = directory;
    options.styleFile = style;
    options.logFile = logFile();
    options.record = true;
    ASSERT_TRUE(norvane::startHost(options));
}

void PluginTest::pumpMessages(DWORD milliseconds) {
    pumpUntil([] { return false; }, milliseconds);
}

bool PluginTest::pumpUntil(const std::function<bool()>& done, DWORD timeoutMilliseconds) {
    DWORD started = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (done())
            return true;
        DWORD elapsed = GetTickCount() - started;
        if (elapsed >= timeoutMilliseconds)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMilliseconds - elapsed, QS_ALLINPUT);
    }
}

HWND PluginTest::clockWindow() const {
    const auto& creations = g_windowSetup.creations;
    for (auto creation = creations.rbegin(); creation != creations.rend(); ++creation) {
        if (creation->className == "Pipwick" && creation->result != nullptr &&
            IsWindow(creation->result))
            return creation->result;
    }
    std::vector<HWND> windows = windowsOfClass("Pipwick");
    return windows.empty() ? nullptr : windows.back();
}

std::vector<HWND> PluginTest::windowsOfClass(const char* className) const {
    WindowSearch search{className, {}};
    EnumThreadWindows(GetCurrentThreadId(), collectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool PluginTest::pipwickClassRegistered() const {
    WNDCLASSA windowClass;
    return GetClassInfoA(module_, "Pipwick", &windowClass) != 0;
}

void PluginTest::moveClockWindow(int x, int y) {
    HWND window = clockWindow();
    ASSERT_NE(window, nullptr) << "no clock window to move";
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PluginTest::widenClockWindow(int pixels) {
    HWND window = clockWindow();
    ASSERT_NE(window, nullptr) << "no clock window to resize";
    RECT bounds;
    GetWindowRect(window, &bounds);
    SetWindowPos(window, nullptr, 0, 0, bounds.right - bounds.left + pixels,
                 bounds.bottom - bounds.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PluginTest::writeModuleSettings(const std::string& text, const char* name) {
    ASSERT_TRUE(writeWholeFile(modulePath(name), text));
}

void PluginTest::writeHostSettings(const std::string& text, const char* name) {
    ASSERT_TRUE(writeWholeFile(hostPath(name), text));
}

std::string PluginTest::moduleSettings(const char* name) const {
    return fileContent(modulePath(name));
}

void PluginTest::writeStyle(const std::string& text) {
    ASSERT_TRUE(writeWholeFile(styleFile(), text));
}

std::string PluginTest::hostLog() const {
    return fileContent(logFile());
}

std::string settingsLines(const std::vector<std::pair<std::string, std::string>>& lines) {
    std::string text;
    for (const auto& line : lines)
        text += line.first + " " + line.second + "\n";
    return text;
}

std::vector<std::pair<std::string, std::string>> floatingSettings() {
    return {
        {"Pipwick.position.x:", "120"},
        {"Pipwick.position.y:", "80"},
        {"Pipwick.position.width:", "200"},
        {"Pipwick.position.height:", "200"},
        {"Pipwick.size.circlesize:", "4"},
        {"Pipwick.color.unmarked.red:", "255"},
        {"Pipwick.color.unmarked.green:", "255"},
        {"Pipwick.color.unmarked.blue:", "255"},
        {"Pipwick.color.marked.red:", "0"},
        {"Pipwick.color.marked.green:", "0"},
        {"Pipwick.color.marked.blue:", "0"},
        {"Pipwick.alwaysOnTop:", "false"},
        {"Pipwick.snapWindow:", "false"},
        {"Pipwick.transparency:", "false"},
        {"Pipwick.transparency.alpha:", "200"},
        {"Pipwick.inSlit:", "false"},
        {"Pipwick.autoResize:", "false"},
        {"Pipwick.timerInterval:", "5"},
    };
}

std::vector<std::pair<std::string, std::string>> floatingSettingsAt(int x, int y) {
    auto settings = withSetting(floatingSettings(), "Pipwick.position.x:", std::to_string(x));
    return withSetting(settings, "Pipwick.position.y:", std::to_string(y));
}

std::vector<std::pair<std::string, std::string>> withSetting(
    std::vector<std::pair<std::string, std::string>> settings, const std::string& key,
    const std::string& value) {
    for (auto& line : settings) {
        if (line.first == key) {
            line.second = value;
            return settings;
        }
    }
    settings.emplace_back(key, value);
    return settings;
}

void PluginTest::startFrom(const std::vector<std::pair<std::string, std::string>>& settings) {
    writeModuleSettings(settingsLines(settings));
    ASSERT_EQ(startPlugin(), 0);
    pumpMessages();
    ASSERT_NE(clockWindow(), nullptr);
    g_windowPos.calls.clear();
}

void PluginTest::startInSlitFrom(
    const std::vector<std::pair<std::string, std::string>>& settings) {
    writeModuleSettings(settingsLines(settings));
    ASSERT_EQ(startSlitPlugin(norvane::slitWindow()), 0);
    pumpMessages();
    ASSERT_NE(clockWindow(), nullptr);
    g_windowPos.calls.clear();
}

void PluginTest::paintNow() {
    InvalidateRect(clockWindow(), nullptr, TRUE);
    UpdateWindow(clockWindow());
}

bool PluginTest::paintPending() const {
    return GetUpdateRect(clockWindow(), nullptr, FALSE) != FALSE;
}

void PluginTest::reportWindowsVersion(DWORD platformId, DWORD major, DWORD minor) {
    g_platform.reportVersion = true;
    g_platform.version = {platformId, major, minor};
}

void PluginTest::recordFileCalls() {
    g_fileCalls = FileCallRecords{};
    redirectAll(fileCallRedirections());
    redirectFlushAndSleepWhereImported(module());
}

void PluginTest::useMonitors(const std::vector<RECT>& monitors) {
    g_platform.monitors = monitors;
    redirectAll({monitorRedirection()});
}

bool PluginTest::broadcastInvalidates(const char* text) {
    HWND window = clockWindow();
    ValidateRect(window, nullptr);
    norvane::broadcast(text);
    return GetUpdateRect(window, nullptr, FALSE) != FALSE;
}
