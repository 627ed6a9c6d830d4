// Starting and stopping the host, and the options the other parts read.
#include "norvane/host_internal.h"

namespace norvane {
namespace {

struct Session {
    bool started = false;
    bool record = false;
    std::string directory;
    std::string styleFile;
    std::string logFile;
};

Session s_session;

std::string executableDirectory() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path) return ".\\";
    std::string directory(path, length);
    const size_t slash = directory.find_last_of("\\/");
    directory.erase(slash == std::string::npos ? 0 : slash + 1);
    return directory.empty() ? ".\\" : directory;
}

std::string withTrailingBackslash(std::string directory) {
    if (directory.empty() || directory.back() != '\\') directory.push_back('\\');
    return directory;
}

}  // namespace

const std::string& hostDirectory() { return s_session.directory; }
const std::string& hostStyleFile() { return s_session.styleFile; }
const std::string& hostLogFile() { return s_session.logFile; }
bool recordingCalls() { return s_session.record; }

bool startHost(const HostOptions& options) {
    // A second start begins a fresh session rather than mixing two.
    if (s_session.started) stopHost();

    s_session.directory = options.directory.empty() ? executableDirectory()
                                                    : withTrailingBackslash(options.directory);
    s_session.styleFile =
        options.styleFile.empty() ? s_session.directory + "sample.style" : options.styleFile;
    s_session.logFile =
        options.logFile.empty() ? s_session.directory + "norvane.log" : options.logFile;
    s_session.record = options.record;
    s_session.started = true;

    if (!createHostWindow() || !createSlitWindow()) {
        stopHost();
        return false;
    }
    return true;
}

void stopHost() {
    destroySlitWindow();
    destroyHostWindow();
    freeAllMenus();
    forgetRegistrations();
    forgetStickyWindows();
    forgetCalls();
    s_session = Session();
}

}  // namespace norvane
