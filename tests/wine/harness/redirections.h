// Every import of the plug-in that the tests redirect, listed by what it stands in
// for: the clock, files, GDI, windows, the heap, message boxes, the platform, and the
// host's own message loop. Each redirection records the call and passes it on to
// whatever the plug-in called before, unless a test asks for another answer.
//
// The fixture installs the common ones into every freshly loaded plug-in
// (fixtureRedirections); until a test configures a record, they only record. The
// others a test installs itself, on top of those, through PluginTest::redirectAll or
// the fixture's install helpers.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

// One entry of the plug-in's import table that the test program replaces.
struct Redirection {
    const char* dll;        // as the import table names it, compared without case
    const char* function;   // imported by this name
    void* replacement;
    void** original;        // receives the address the plug-in called before
};

// Every redirection the fixture installs into a freshly loaded plug-in: the clock,
// files, GDI's object counts, the window's set-up, the heap, message boxes and the
// platform.
std::vector<Redirection> fixtureRedirections();

// Clears every record and every requested failure of the fixture's redirections.
void resetRedirectionRecords();

// ---- The clock (installed by the fixture) ----------------------------------------
// GetLocalTime, which the plug-in imports from KERNEL32 for the face's time and for
// arming its timer: a fixed local time makes the face deterministic, a test that moves
// it on stands in for the system's clock, and an answer that is no time of day stands
// for a system that gives none.

struct ClockRecords {
    // Fixed until a test sets another time: at a second's start, so that the first
    // tick after a start comes a whole second later.
    bool fixed = true;
    SYSTEMTIME localTime = {2024, 6, 6, 1, 12, 0, 0, 0};  // what it answers while fixed
    bool noTimeOfDay = false;  // answers a record that holds no time of day
    int calls = 0;
};

extern ClockRecords g_clock;

// Fixes the local time the plug-in sees at hour:minute:second of 1 June 2024.
void fixLocalTime(int hour, int minute, int second);

std::vector<Redirection> clockRedirections();

// ---- Files (installed by the fixture) --------------------------------------------
// CreateFileA and WriteFile, the calls through which the plug-in writes its
// settings file: recorded and passed through, or failed on demand, in every folder or
// for new files in chosen ones.

struct FileOpen {
    std::string path;
    DWORD access;
    DWORD sharing;
    DWORD disposition;
    HANDLE result;
};

struct FileRecords {
    // CreateFileA fails for every path while set.
    bool failCreate = false;
    // CreateFileA fails with ERROR_ACCESS_DENIED for a file that does not exist yet in
    // these folders (each ending in a backslash), as Program Files does for a program
    // that runs without elevation.
    std::vector<std::string> foldersRefusingNewFiles;
    // WriteFile fails (writing nothing) on this call, counted from 1 over all
    // calls; 0 for none.
    int failWriteCall = 0;
    // WriteFile fails part-way on the first call whose data contains this text:
    // the bytes before the text are written, then the call fails as on a full
    // disk. Cleared once it has failed.
    std::string failWriteContaining;

    std::vector<FileOpen> opens;
    int writeCalls = 0;
    int failedWrites = 0;

    // The opens that may write: reads of the settings file are not writes.
    std::size_t writeOpens() const;
};

extern FileRecords g_files;

std::vector<Redirection> fileRedirections();

// ---- Files: disk faults (installed by a test) ------------------------------------
// File-system faults the settings writer must survive, injected on top of the
// recording file redirections: a write that stops part-way (the disk is full), a
// close that reports a lost delayed write, a replace that is refused, and a
// temporary file that cannot be made (the settings' name with '~' for its last
// character).

enum class DiskFault {
    None,
    HalfWrittenThenFull,   // WriteFile writes half its bytes, then fails: disk full
    ShortWrite,            // WriteFile writes half its bytes and reports that, no error
    CloseLosesTheData,     // CloseHandle closes, then reports a failed delayed write
    ReplaceRefused,        // MoveFileExA fails with ERROR_DISK_FULL
    ReplaceBusy,           // MoveFileExA fails with ERROR_ACCESS_DENIED, every time
    TemporaryRefused,      // no file may be made beside the settings: ERROR_ACCESS_DENIED
    TemporaryDiskFull,     // the temporary file cannot be made: ERROR_DISK_FULL
};

struct DiskFaultRecords {
    DiskFault fault = DiskFault::None;
    int faultsInjected = 0;
    int replaceAttempts = 0;
};

extern DiskFaultRecords g_diskFaults;

std::vector<Redirection> diskFaultRedirections();

// ---- Files: FAT's time steps (installed by a test) --------------------------------
// GetFileAttributesExA as on a FAT or exFAT volume, which keeps a file's last-write
// time in 2-second steps: the time it reports is rounded down to its step.

Redirection fatTimeStepsRedirection();

// ---- Files: the order of the calls (installed by a test) ------------------------
// The plug-in's file calls in the order it makes them: CreateFileA, WriteFile,
// FlushFileBuffers, CloseHandle, MoveFileExA and DeleteFileA, recorded and passed
// through. MoveFileExA can be refused as it is while another program holds the
// settings file open, FlushFileBuffers can fail as on a full disk, and every Sleep
// is counted.

struct FileCallRecords {
    // Each call as "function file" with the file's name only; MoveFileExA names both
    // files, e.g. "MoveFileExA Pipwick.r~ Pipwick.rc".
    std::vector<std::string> calls;
    bool replaceHeld = false;   // MoveFileExA fails with ERROR_SHARING_VIOLATION
    bool failFlush = false;     // FlushFileBuffers fails with ERROR_DISK_FULL
    int sleeps = 0;

    int count(const std::string& call) const;
};

extern FileCallRecords g_fileCalls;

// Imported by every build of the plug-in that writes its settings file.
std::vector<Redirection> fileCallRedirections();
// FlushFileBuffers and Sleep: a plug-in that does not import one never calls it, and
// its count stays 0.
void redirectFlushAndSleepWhereImported(HMODULE module);

// ---- GDI: the objects a paint makes (installed by the fixture) -------------------
// CreateCompatibleDC and CreateCompatibleBitmap are counted until DeleteDC or
// DeleteObject releases them.

struct GdiRecords {
    int contextsCreated = 0;
    int bitmapsCreated = 0;
    int contextsDeleted = 0;
    int objectsDeleted = 0;                // DeleteObject calls on counted objects
    std::set<HGDIOBJ> liveObjects;         // created here and not yet deleted
};

extern GdiRecords g_gdi;

std::vector<Redirection> gdiRedirections();

// ---- GDI: failures (installed by a test: PluginTest::installGdiFailures) ---------
// Fails the plug-in's off-screen drawing surface on demand: CreateCompatibleDC or
// CreateCompatibleBitmap answers null for a chosen number of calls. Installed on top
// of the counting GDI redirections, so every call that does go through is still
// counted there.

struct GdiFailures {
    int failNextContexts = 0;  // CreateCompatibleDC calls still to fail
    int failNextBitmaps = 0;   // CreateCompatibleBitmap calls still to fail
    int failedContexts = 0;
    int failedBitmaps = 0;
};

extern GdiFailures g_gdiFailures;

std::vector<Redirection> gdiFailureRedirections();

// ---- GDI: sizes (installed by a test: PluginTest::installGdiSizeRecords) ---------
// The sizes of the off-screen surfaces a paint asks for, and the ellipses it draws:
// CreateCompatibleBitmap and Ellipse recorded and passed through, on top of the
// counting GDI redirections.

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

// ---- GDI: the order of a paint's calls (installed by a test) ---------------------
// The calls a paint makes, in the order it makes them: the window, drawing, host
// and clock calls of the clock's paint, each recorded by name and passed on, on top
// of the common redirections.

struct PaintCallRecords {
    bool recording = false;
    std::vector<std::string> names;
};

extern PaintCallRecords g_paintCalls;

std::vector<Redirection> paintCallRedirections();

// ---- Windows: set-up (installed by the fixture) ----------------------------------
// The calls that bring the clock window up: RegisterClassA, CreateWindowExA and
// SetTimer, and KillTimer. Each is recorded and passed through, or fails on demand;
// a test that delivers the ticks itself holds the timers instead of arming them.

struct ClassRegistration {
    std::string className;
    HINSTANCE instance;
    WNDPROC procedure;
    ATOM result;            // 0 when it failed
};

struct WindowCreation {
    std::string className;
    DWORD exStyle;
    DWORD style;
    int x, y, width, height;
    HWND parent;
    HWND result;            // null when it failed
};

struct TimerStart {
    HWND window;
    UINT_PTR id;
    UINT period;
    TIMERPROC procedure;
    UINT_PTR result;        // 0 when it failed
};

struct TimerStop {
    HWND window;
    UINT_PTR id;
};

struct WindowSetupRecords {
    bool failRegisterClass = false;
    bool failCreateWindow = false;
    std::string failClassName;  // CreateWindowExA fails for windows of this class alone
    bool failSetTimer = false;
    bool holdTimers = false;  // SetTimer succeeds without arming a timer
    std::vector<ClassRegistration> registrations;
    std::vector<WindowCreation> creations;
    std::vector<TimerStart> timers;
    std::vector<TimerStop> timerStops;
};

extern WindowSetupRecords g_windowSetup;

std::vector<Redirection> windowSetupRedirections();

// ---- Windows: placement (installed by a test) ------------------------------------
// SetWindowPos, through which the plug-in restacks and resizes its window: every
// call is recorded with its arguments and passed through. A test installs it itself
// when it wants to see how the window was placed.

struct WindowPosCall {
    HWND window;
    HWND insertAfter;
    int x, y, width, height;
    UINT flags;
    // How many messages the slit had received when the call was made, so that a
    // test can tell which slit messages followed it.
    std::size_t slitMessagesBefore;
};

struct WindowPosRecords {
    std::vector<WindowPosCall> calls;
    // Called before the call is passed on, when set.
    std::function<void(const WindowPosCall&)> onCall;
};

extern WindowPosRecords g_windowPos;

void resetWindowPosRecords();

// The redirection of USER32's SetWindowPos; its `original` receives the address to
// pass the calls to.
Redirection windowPosRedirection();

// ---- Windows: the procedure's own calls (installed by a test) --------------------
// Two USER32 calls of the clock's window procedure that the common redirections
// leave alone: DefWindowProcA, recorded and passed through (its answer to one
// chosen message can be replaced, so a test sees whether the procedure hands it
// on), and GetAsyncKeyState, which answers a chosen state for the Ctrl key.

struct DefaultProcCall {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result;  // what the plug-in got back
};

struct WindowProcRecords {
    std::vector<DefaultProcCall> defaultCalls;
    // When nonzero, DefWindowProcA answers `replacementResult` for this message,
    // after the real default processing has run.
    UINT replacedMessage = 0;
    LRESULT replacementResult = 0;

    // What GetAsyncKeyState answers for VK_CONTROL; other keys pass through.
    SHORT controlKeyState = 0;
    std::vector<int> keysAsked;

    int defaultCallsFor(UINT message) const;
};

extern WindowProcRecords g_windowProc;

std::vector<Redirection> windowProcRedirections();

// ---- The heap (installed by the fixture) -----------------------------------------
// The plug-in's heap (malloc, calloc, realloc and free from msvcrt.dll, which its
// statically linked operator new uses too): every block it holds is counted, so a
// test can see what is alive and what was released.

struct HeapRecords {
    std::map<void*, std::size_t> liveBlocks;   // address to size
    std::vector<std::size_t> freedSizes;       // sizes of the counted blocks freed

    // malloc answers null, as when memory runs out: on the call with this number,
    // counted from 1 over all calls (0 for none), and for every request of this
    // size (0 for none).
    int failMallocCall = 0;
    std::size_t failMallocOfSize = 0;
    int mallocCalls = 0;
    int failedMallocs = 0;

    // Every block allocated while this is set gets pages of its own, and freeing it
    // takes the pages away for good: any later use of a freed block faults at once.
    bool faultOnUseAfterFree = false;

    int liveBlocksOfSize(std::size_t size) const;
    int freedBlocksOfSize(std::size_t size) const;
    bool isLive(const void* block) const;
};

extern HeapRecords g_heap;

std::vector<Redirection> heapRedirections();

// ---- Message boxes (installed by the fixture) ------------------------------------
// MessageBoxA: every box the plug-in asks for is recorded and never shown, so
// nothing waits for a click; each one answers IDOK.

struct MessageBoxCall {
    HWND owner;
    std::string text;
    std::string caption;
    UINT style;
};

struct MessageBoxRecords {
    std::vector<MessageBoxCall> calls;
};

extern MessageBoxRecords g_messageBoxes;

std::vector<Redirection> messageBoxRedirections();

// ---- The platform (installed by the fixture) -------------------------------------
// What the plug-in learns about the platform: GetVersionExA (the Windows version),
// GetSystemMetrics (the screen size), MonitorFromRect (the monitors),
// GetModuleFileNameW (where it was loaded from), GetProcAddress (which functions
// exist, and the user's application data folder that SHGetFolderPathW gives), and
// GetShortPathNameW (whether the volume keeps short names). Each passes through
// unless a test chooses the answer.

struct ReportedVersion {
    DWORD platformId;
    DWORD majorVersion;
    DWORD minorVersion;
};

struct PlatformRecords {
    // GetVersionExA: when set, reports this platform and version.
    bool reportVersion = false;
    ReportedVersion version{};
    std::vector<DWORD> versionInfoSizes;   // the size field of every call

    // GetSystemMetrics: when nonzero, the primary screen's width and height.
    int screenWidth = 0;
    int screenHeight = 0;

    // When not empty, the desktop's monitors, the primary one (at 0, 0) first:
    // MonitorFromRect answers from them, and GetSystemMetrics gives the primary
    // screen's size, the box around all of them and their number, as Windows does.
    // Installed by monitorRedirection().
    std::vector<RECT> monitors;

    // GetModuleFileNameW: when not empty, the path reported for every module.
    std::string modulePath;

    // SHGetFolderPathW, when the plug-in looks it up: when not empty, the user's
    // application data folder it reports. The fixture sets a folder of the test's own.
    std::string applicationData;

    HWND shellWindow = nullptr;  // another shell's, beside the host
    LCID userFormats = 0;        // the user's formats, for the dates

    // GetProcAddress: the names asked for, and the names to report as missing.
    std::vector<std::string> procedureLookups;
    std::vector<std::string> missingProcedures;
};

extern PlatformRecords g_platform;

std::vector<Redirection> platformRedirections();

// MonitorFromRect, answering from g_platform.monitors when a test has set them.
Redirection monitorRedirection();

// GetShortPathNameW as on a volume that keeps no short names (the default for other
// volumes than the system's from Windows 8 on): every path comes back as it stands.
Redirection noShortNamesRedirection();

// Installed by a test: GetWindowRect gives a maximized window Windows' rectangle (the
// monitor and the frame past its edges), GetShellWindow answers shellWindow, each where
// the DLL imports it; GetDateFormatW writes in userFormats.
std::vector<Redirection> desktopRedirections();
Redirection userFormatsRedirection();

// ---- The system's colours (installed by a test) ----------------------------------
// SystemParametersInfoA with SPI_GETHIGHCONTRAST, which tells whether Windows'
// high-contrast mode is on, and GetSysColor: answered as a test chooses, so that the
// plug-in sees a high-contrast scheme that Wine cannot switch on. Other queries and
// colours pass through.

struct SystemColourRecords {
    bool highContrast = false;          // HCF_HIGHCONTRASTON is set in the answer
    std::map<int, COLORREF> colours;    // GetSysColor's answer for these indexes
    int contrastQueries = 0;
};

extern SystemColourRecords g_systemColours;

std::vector<Redirection> systemColourRedirections();

// ---- The host's own message loop (installed by a test) ---------------------------
// The calls during which the host runs its own message loop, and so may end the
// plug-in before they return: modal boxes, NorvExecute, ShowMenu, the messages sent
// to the slit and to the host, SetWindowPos and ShowWindow. Each is passed through;
// then, on the chosen call, the test's `end` runs as the host's loop would run
// endPlugin, before the call returns to the plug-in.

enum class LentCall {
    MessageBox,
    NorvExecute,
    ShowMenu,
    SlitAdd,
    SlitRemove,
    SlitUpdate,
    HostRegister,
    SetWindowPos,
    ShowWindow,
};

struct LentControlRecords {
    LentCall endInside = LentCall::MessageBox;
    int onCall = 0;                  // ends inside this call of that kind, from 1; 0 never
    std::function<void()> end;       // what the host does inside it
    int calls = 0;                   // calls of that kind so far
    bool ended = false;
};

extern LentControlRecords g_lentControl;

std::vector<Redirection> lentControlRedirections();
