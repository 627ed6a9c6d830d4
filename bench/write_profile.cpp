#include "bench/write_profile.h"

#include <cstdio>

#include "bench/bare_write.h"
#include "bench/measure.h"
#include "host/norvane_api.h"
#include "tests/wine/harness/import_redirect.h"

namespace bench {
namespace {

enum ProfiledCall {
    CALL_CREATE_FILE,
    CALL_WRITE_FILE,
    CALL_FLUSH_FILE,
    CALL_CLOSE_HANDLE,
    CALL_GET_FILE_ATTRIBUTES,
    CALL_GET_FILE_STAMP,
    CALL_MOVE_FILE,
    CALL_DELETE_FILE,
    CALL_SNAP_WINDOW,
    CALL_COUNT
};

struct Tally {
    int calls = 0;
    double microseconds = 0;
};

Tally g_tallies[CALL_COUNT];
void* g_originals[CALL_COUNT];
// Time spent in the file calls of the move or drag under way: the settings writes.
double g_fileMicrosecondsThisMove = 0;

// Times one call through to the original function.
class TimedCall {
public:
    explicit TimedCall(ProfiledCall call) : call_(call), start_(nowMicroseconds()) {}
    ~TimedCall() {
        const double elapsed = nowMicroseconds() - start_;
        ++g_tallies[call_].calls;
        g_tallies[call_].microseconds += elapsed;
        if (call_ != CALL_SNAP_WINDOW) g_fileMicrosecondsThisMove += elapsed;
    }

private:
    ProfiledCall call_;
    double start_;
};

HANDLE WINAPI timedCreateFile(LPCSTR name, DWORD access, DWORD share,
                              LPSECURITY_ATTRIBUTES security, DWORD disposition, DWORD flags,
                              HANDLE templateFile) {
    TimedCall timed(CALL_CREATE_FILE);
    return functionFrom<decltype(&CreateFileA)>(g_originals[CALL_CREATE_FILE])(
        name, access, share, security, disposition, flags, templateFile);
}

BOOL WINAPI timedWriteFile(HANDLE file, LPCVOID buffer, DWORD size, LPDWORD written,
                           LPOVERLAPPED overlapped) {
    TimedCall timed(CALL_WRITE_FILE);
    return functionFrom<decltype(&WriteFile)>(g_originals[CALL_WRITE_FILE])(file, buffer, size,
                                                                            written, overlapped);
}

BOOL WINAPI timedFlushFile(HANDLE file) {
    TimedCall timed(CALL_FLUSH_FILE);
    return functionFrom<decltype(&FlushFileBuffers)>(g_originals[CALL_FLUSH_FILE])(file);
}

BOOL WINAPI timedCloseHandle(HANDLE handle) {
    TimedCall timed(CALL_CLOSE_HANDLE);
    return functionFrom<decltype(&CloseHandle)>(g_originals[CALL_CLOSE_HANDLE])(handle);
}

DWORD WINAPI timedGetFileAttributes(LPCSTR name) {
    TimedCall timed(CALL_GET_FILE_ATTRIBUTES);
    return functionFrom<decltype(&GetFileAttributesA)>(g_originals[CALL_GET_FILE_ATTRIBUTES])(
        name);
}

BOOL WINAPI timedGetFileStamp(LPCSTR name, GET_FILEEX_INFO_LEVELS level, LPVOID data) {
    TimedCall timed(CALL_GET_FILE_STAMP);
    return functionFrom<decltype(&GetFileAttributesExA)>(g_originals[CALL_GET_FILE_STAMP])(
        name, level, data);
}

BOOL WINAPI timedMoveFile(LPCSTR from, LPCSTR to, DWORD flags) {
    TimedCall timed(CALL_MOVE_FILE);
    return functionFrom<decltype(&MoveFileExA)>(g_originals[CALL_MOVE_FILE])(from, to, flags);
}

BOOL WINAPI timedDeleteFile(LPCSTR name) {
    TimedCall timed(CALL_DELETE_FILE);
    return functionFrom<decltype(&DeleteFileA)>(g_originals[CALL_DELETE_FILE])(name);
}

void __cdecl timedSnapWindow(WINDOWPOS* position, int distance, bool screenSize) {
    TimedCall timed(CALL_SNAP_WINDOW);
    functionFrom<decltype(&SnapWindowToEdge)>(g_originals[CALL_SNAP_WINDOW])(position, distance,
                                                                             screenSize);
}

struct Wrapper {
    const char* dll;
    const char* function;
    void* replacement;
};

const Wrapper kWrappers[CALL_COUNT] = {
    {"KERNEL32.dll", "CreateFileA", addressOf(&timedCreateFile)},
    {"KERNEL32.dll", "WriteFile", addressOf(&timedWriteFile)},
    {"KERNEL32.dll", "FlushFileBuffers", addressOf(&timedFlushFile)},
    {"KERNEL32.dll", "CloseHandle", addressOf(&timedCloseHandle)},
    {"KERNEL32.dll", "GetFileAttributesA", addressOf(&timedGetFileAttributes)},
    {"KERNEL32.dll", "GetFileAttributesExA", addressOf(&timedGetFileStamp)},
    {"KERNEL32.dll", "MoveFileExA", addressOf(&timedMoveFile)},
    {"KERNEL32.dll", "DeleteFileA", addressOf(&timedDeleteFile)},
    {"norvane.exe", "SnapWindowToEdge", addressOf(&timedSnapWindow)},
};

void redirectAll(HMODULE module) {
    for (int call = 0; call < CALL_COUNT; ++call) {
        g_tallies[call] = Tally();
        g_originals[call] = redirectImport(module, kWrappers[call].dll, kWrappers[call].function,
                                           kWrappers[call].replacement);
    }
}

void restoreAll(HMODULE module) {
    for (int call = 0; call < CALL_COUNT; ++call) {
        if (g_originals[call] != nullptr) {
            redirectImport(module, kWrappers[call].dll, kWrappers[call].function,
                           g_originals[call]);
        }
    }
}

// Where each window moves: apart, so that neither uncovers the other.
constexpr int kPipwickMovesLeft = 120;
constexpr int kFloorMovesLeft = 520;

double moveOnce(HWND window, int left, int i) {
    const double start = nowMicroseconds();
    SetWindowPos(window, nullptr, left + i % 97, 240 + i % 89, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return nowMicroseconds() - start;
}

// A drag of the floor's window that writes nothing, then a bare durable write: the
// least a drag that saves its place at its end can cost in file calls.
double bareDragWrite(HWND floorWindow, const BareWrite& bare, int drag) {
    SendMessageA(floorWindow, WM_ENTERSIZEMOVE, 0, 0);
    for (int step = 1; step <= kDragSteps; ++step) {
        moveOnce(floorWindow, kFloorMovesLeft, drag * 7 + step);
    }
    SendMessageA(floorWindow, WM_EXITSIZEMOVE, 0, 0);
    return bare.timedWrite();
}

}  // namespace

WriteProfile profileSettingsWrite(HMODULE pipwick, HWND pipwickWindow, HWND floorWindow,
                                  int moves) {
    WriteProfile profile;
    std::vector<double> bareMoves;
    for (int i = 0; i < moves; ++i) bareMoves.push_back(moveOnce(floorWindow, kFloorMovesLeft, i + 1));
    profile.bareMoveMicroseconds = median(bareMoves);

    redirectAll(pipwick);
    double total = 0;
    std::vector<double> writes;
    for (int i = 0; i < moves; ++i) {
        g_fileMicrosecondsThisMove = 0;
        total += moveOnce(pipwickWindow, kPipwickMovesLeft, i + 1);
        writes.push_back(g_fileMicrosecondsThisMove);
    }
    restoreAll(pipwick);
    profile.writeMicroseconds = median(writes);
    runWaitingMessages();
    profile.moveMicroseconds = total / moves;
    for (int call = 0; call < CALL_COUNT; ++call) {
        if (g_originals[call] == nullptr) continue;
        profile.calls.push_back(CallProfile{kWrappers[call].function,
                                            static_cast<double>(g_tallies[call].calls) / moves,
                                            g_tallies[call].microseconds / moves});
    }
    return profile;
}

DragProfile profileDrags(HMODULE pipwick, HWND pipwickWindow, HWND floorWindow,
                         const std::string& settingsFile, int drags) {
    const BareWrite bare(settingsFile);
    std::vector<double> samples;
    std::vector<double> bareSamples;
    redirectAll(pipwick);
    for (int drag = 0; drag < drags; ++drag) {
        g_fileMicrosecondsThisMove = 0;
        SendMessageA(pipwickWindow, WM_ENTERSIZEMOVE, 0, 0);
        for (int step = 1; step <= kDragSteps; ++step) {
            moveOnce(pipwickWindow, kPipwickMovesLeft, drag * 7 + step);
        }
        SendMessageA(pipwickWindow, WM_EXITSIZEMOVE, 0, 0);
        samples.push_back(g_fileMicrosecondsThisMove);
        bareSamples.push_back(bareDragWrite(floorWindow, bare, drag));
    }
    restoreAll(pipwick);
    runWaitingMessages();
    DragProfile profile;
    // Each whole write ends in the rename of its temporary file; the settings file
    // is also opened to be read before it.
    profile.writesPerDrag = static_cast<double>(g_tallies[CALL_MOVE_FILE].calls) / drags;
    profile.fileMicroseconds = median(samples);
    profile.bareWriteMicroseconds = median(bareSamples);
    return profile;
}

void printWriteProfile(const WriteProfile& profile) {
    std::printf("\nwhere a completed move goes (mean of profiled moves: %.1f us)\n",
                profile.moveMicroseconds);
    double inCalls = 0;
    for (const CallProfile& call : profile.calls) {
        std::printf("  %-20s %5.1f calls %9.1f us\n", call.function.c_str(), call.callsPerMove,
                    call.microsecondsPerMove);
        inCalls += call.microsecondsPerMove;
    }
    std::printf("  %-20s %5s       %9.1f us\n", "the rest", "",
                profile.moveMicroseconds - inCalls);
    std::printf("  a bare window's move, writing nothing: %.1f us (median)\n",
                profile.bareMoveMicroseconds);
    std::printf("  the plug-in's own part, the profiled move less a bare move: %.1f us\n",
                profile.moveMicroseconds - profile.bareMoveMicroseconds);
}

}  // namespace bench
