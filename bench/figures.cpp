#include "bench/figures.h"

#include <cstdio>
#include <map>
#include <vector>

#include "bench/bare_write.h"
#include "bench/measure.h"
#include "tests/wine/harness/import_redirect.h"

namespace bench {
namespace {

// Samples are taken in alternating blocks so that both sides see the same machine.
constexpr int kBlocks = 10;
// Time for the window system to settle after a start or a stop.
constexpr DWORD kSettleMilliseconds = 200;

void repaintBlock(HWND window, int count, std::vector<double>* samples) {
    for (int i = 0; i < count; ++i) {
        const double start = nowMicroseconds();
        InvalidateRect(window, nullptr, TRUE);
        UpdateWindow(window);
        samples->push_back(nowMicroseconds() - start);
    }
    // Timer ticks that came meanwhile run here, outside the timed repaints.
    runWaitingMessages();
}

// Where the floor's window moves, clear of Pipwick's so that neither uncovers the other.
constexpr int kPipwickMovesLeft = 120;
constexpr int kFloorMovesLeft = 520;

// A new position for every step, away from the screen's edges so that no snap applies.
void moveToStep(HWND window, int left, int step) {
    SetWindowPos(window, nullptr, left + step % 97, 240 + step % 89, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void moveBlock(HWND window, int first, int count, std::vector<double>* samples) {
    for (int i = first; i < first + count; ++i) {
        const double start = nowMicroseconds();
        moveToStep(window, kPipwickMovesLeft, i);
        samples->push_back(nowMicroseconds() - start);
    }
    runWaitingMessages();
}

void bareWriteBlock(const BareWrite& bare, int count, std::vector<double>* samples) {
    for (int i = 0; i < count; ++i) samples->push_back(bare.timedWrite());
}

// A bare window's move that then writes the file as a bare durable write: the least a
// completed move that saves its place can cost.
void bareMoveAndWriteBlock(HWND window, const BareWrite& bare, int first, int count,
                           std::vector<double>* samples) {
    for (int i = first; i < first + count; ++i) {
        const double start = nowMicroseconds();
        moveToStep(window, kFloorMovesLeft, i);
        bare.timedWrite();
        samples->push_back(nowMicroseconds() - start);
    }
    runWaitingMessages();
}

std::string directoryOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

double startOnce(LoadedPlugin& plugin) {
    const double start = nowMicroseconds();
    if (!plugin.begin()) return -1;
    plugin.finishPainting();
    const double elapsed = nowMicroseconds() - start;
    plugin.end();
    runMessagesFor(20);
    return elapsed;
}

double idleCpuPerSecond(int seconds) {
    runMessagesFor(kSettleMilliseconds);
    const double before = processCpuMicroseconds();
    runMessagesFor(static_cast<DWORD>(seconds) * 1000);
    return (processCpuMicroseconds() - before) / seconds;
}

std::string executablePath() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    return length > 0 && length < sizeof path ? std::string(path, length) : std::string();
}

struct ChildMemory {
    double privateBytes = -1;
    double heapBytes = -1;
    double bitmapBytes = -1;
};

// The GDI bitmaps a plug-in holds, counted through its import table. Wine 8 keeps
// their pixels outside the memory that VirtualQuery sees, as Windows keeps them in
// the window system's, so their bytes are added to the private memory a plug-in adds.
std::map<HGDIOBJ, double> g_bitmapBytes;
void* g_createBitmap = nullptr;
void* g_deleteObject = nullptr;

HBITMAP WINAPI countedCreateBitmap(HDC dc, int width, int height) {
    const HBITMAP bitmap =
        functionFrom<decltype(&CreateCompatibleBitmap)>(g_createBitmap)(dc, width, height);
    BITMAP shape;
    if (bitmap != nullptr && GetObjectA(bitmap, sizeof shape, &shape) == sizeof shape) {
        g_bitmapBytes[bitmap] = static_cast<double>(shape.bmWidthBytes) * shape.bmHeight;
    }
    return bitmap;
}

BOOL WINAPI countedDeleteObject(HGDIOBJ object) {
    g_bitmapBytes.erase(object);
    return functionFrom<decltype(&DeleteObject)>(g_deleteObject)(object);
}

void countBitmapsOf(HMODULE module) {
    g_createBitmap = redirectImport(module, "GDI32.dll", "CreateCompatibleBitmap",
                                    addressOf(&countedCreateBitmap));
    g_deleteObject =
        redirectImport(module, "GDI32.dll", "DeleteObject", addressOf(&countedDeleteObject));
}

double bitmapBytesHeld() {
    double bytes = 0;
    for (const auto& bitmap : g_bitmapBytes) bytes += bitmap.second;
    return bytes;
}

// Runs this program again to load and start one DLL in a process of its own.
ChildMemory memoryInChild(const std::string& dll) {
    const std::string resultFile = directoryOf(executablePath()) + "memory-result.txt";
    DeleteFileA(resultFile.c_str());
    std::string command = "\"" + executablePath() + "\" --private-memory-of \"" + dll + "\" \"" +
                          resultFile + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return ChildMemory();
    }
    WaitForSingleObject(process.hProcess, 60000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ChildMemory memory;
    FILE* file = std::fopen(resultFile.c_str(), "r");
    if (file != nullptr) {
        if (std::fscanf(file, "%lf %lf %lf", &memory.privateBytes, &memory.heapBytes,
                        &memory.bitmapBytes) != 3) {
            memory = ChildMemory();
        }
        std::fclose(file);
    }
    DeleteFileA(resultFile.c_str());
    return memory;
}

}  // namespace

RepaintFigures measureRepaint(const LoadedPlugin& pipwick, const LoadedPlugin& floor,
                              const LoadedPlugin& copyOnly, int repaints) {
    const LoadedPlugin* const plugins[] = {&pipwick, &floor, &copyOnly};
    std::vector<double> samples[3];
    const int perBlock = (repaints + kBlocks - 1) / kBlocks;
    // A first block of each, not counted: caches and lazily made objects settle.
    for (int i = 0; i < 3; ++i) {
        repaintBlock(plugins[i]->window(), perBlock / 10, &samples[i]);
        samples[i].clear();
    }
    for (int block = 0; block < kBlocks; ++block) {
        for (int i = 0; i < 3; ++i) repaintBlock(plugins[i]->window(), perBlock, &samples[i]);
    }
    RepaintFigures figures;
    figures.floor = Measured{median(samples[0]), median(samples[1])};
    figures.copyOnly = median(samples[2]);
    return figures;
}

WriteFigures measureSettingsWrite(const LoadedPlugin& pipwick, const LoadedPlugin& floor,
                                  const std::string& settingsFile, int moves) {
    const BareWrite bare(settingsFile);
    std::vector<double> moveSamples;
    std::vector<double> bareMoveSamples;
    std::vector<double> writeSamples;
    const int perBlock = (moves + kBlocks - 1) / kBlocks;
    for (int block = 0; block < kBlocks; ++block) {
        moveBlock(pipwick.window(), block * perBlock, perBlock, &moveSamples);
        bareMoveAndWriteBlock(floor.window(), bare, block * perBlock, perBlock, &bareMoveSamples);
        bareWriteBlock(bare, perBlock, &writeSamples);
    }
    WriteFigures figures;
    figures.move = Measured{median(moveSamples), median(bareMoveSamples)};
    figures.bareWrite = median(writeSamples);
    return figures;
}

Measured measureStartUp(LoadedPlugin& pipwick, LoadedPlugin& floor, int starts) {
    std::vector<double> pipwickSamples;
    std::vector<double> floorSamples;
    for (int i = 0; i < starts; ++i) {
        pipwickSamples.push_back(startOnce(pipwick));
        floorSamples.push_back(startOnce(floor));
    }
    return Measured{median(pipwickSamples), median(floorSamples)};
}

Measured measureIdle(LoadedPlugin& pipwick, LoadedPlugin& floor, int seconds, double* hostAlone) {
    *hostAlone = idleCpuPerSecond(seconds);
    Measured added;
    if (pipwick.begin()) {
        added.pipwick = idleCpuPerSecond(seconds) - *hostAlone;
        pipwick.end();
    }
    if (floor.begin()) {
        added.baseline = idleCpuPerSecond(seconds) - *hostAlone;
        floor.end();
    }
    runMessagesFor(kSettleMilliseconds);
    return added;
}

MemoryAdded measurePrivateMemory(const std::string& pipwickDll, const std::string& floorDll) {
    const ChildMemory pipwick = memoryInChild(pipwickDll);
    const ChildMemory floor = memoryInChild(floorDll);
    MemoryAdded added;
    added.privateBytes = Measured{pipwick.privateBytes, floor.privateBytes};
    added.heapBytes = Measured{pipwick.heapBytes, floor.heapBytes};
    added.bitmapBytes = Measured{pipwick.bitmapBytes, floor.bitmapBytes};
    return added;
}

int reportPrivateMemory(const std::string& dll, const std::string& resultFile) {
    runMessagesFor(kSettleMilliseconds);
    const double before = privateBytes();
    const double heapBefore = heapBytesInUse();
    LoadedPlugin plugin;
    if (!plugin.load(dll)) return 1;
    countBitmapsOf(plugin.module());
    if (!plugin.begin()) return 1;
    plugin.finishPainting();
    runMessagesFor(kSettleMilliseconds);
    const double bitmaps = bitmapBytesHeld();
    const double added = privateBytes() - before + bitmaps;
    const double heapAdded = heapBytesInUse() - heapBefore;
    plugin.unload();
    FILE* file = std::fopen(resultFile.c_str(), "w");
    if (file == nullptr) return 1;
    std::fprintf(file, "%.0f %.0f %.0f\n", added, heapAdded, bitmaps);
    return std::fclose(file) == 0 ? 0 : 1;
}

double fileBytes(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return static_cast<double>(data.nFileSizeLow) +
           static_cast<double>(data.nFileSizeHigh) * 4294967296.0;
}

}  // namespace bench
