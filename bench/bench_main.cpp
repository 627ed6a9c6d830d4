// norvane.exe of the benchmark: runs Pipwick.dll in the stand-in host beside a floor
// plug-in (PipwickFloor.dll) that does only what any such face must, measures each
// figure for both in the same run, and prints a table and one summary line. The
// paint is also set against PipwickCopyOnly.dll, whose paint only copies a kept
// bitmap to the window: the least any paint costs.
// Nothing here judges a time: the goals are printed beside the figures.
//
//   norvane.exe [--repaints N] [--moves N] [--starts N] [--idle-seconds N]
//               [--flip-seconds N] [--flip-only] [--runs-as TEXT]
//
// --flip-only measures the flip latency alone.
// --runs-as says how the code ran (natively, or under an emulator) in the title and
// the summary line, so that figures taken under emulation are never read as native.
//
// Run from a folder of its own holding Pipwick.dll, PipwickFloor.dll,
// PipwickCopyOnly.dll and sample.style
// and no Pipwick.rc: the first start writes it there.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/figures.h"
#include "bench/flip_latency.h"
#include "bench/measure.h"
#include "bench/plugins.h"
#include "bench/report.h"
#include "bench/write_profile.h"
#include "norvane/host_control.h"

namespace {

constexpr double kKiB = 1024.0;

std::string programDirectory() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path) return ".\\";
    std::string directory(path, length);
    return directory.substr(0, directory.find_last_of("\\/") + 1);
}

bool parsePositive(const char* text, int* value) {
    char* end = nullptr;
    const long number = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || number <= 0 || number > 1000000) return false;
    *value = static_cast<int>(number);
    return true;
}

bool parseArguments(int argc, char** argv, bench::BenchOptions* options) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--runs-as" && i + 1 < argc) {
            options->runsAs = argv[++i];
            continue;
        }
        if (argument == "--flip-only") {
            options->flipOnly = true;
            continue;
        }
        int* target = argument == "--repaints"       ? &options->repaints
                      : argument == "--moves"        ? &options->moves
                      : argument == "--starts"       ? &options->starts
                      : argument == "--idle-seconds" ? &options->idleSeconds
                      : argument == "--flip-seconds" ? &options->flipSeconds
                                                     : nullptr;
        if (target == nullptr || i + 1 >= argc || !parsePositive(argv[++i], target)) {
            std::fprintf(stderr, "bench: bad argument %s\n", argv[i]);
            return false;
        }
    }
    return true;
}

bool startHostHere(const std::string& directory) {
    norvane::HostOptions host;
    host.directory = directory;
    host.styleFile = directory + "sample.style";
    return norvane::startHost(host);
}

void progress(const char* text) {
    std::printf("bench: %s\n", text);
    std::fflush(stdout);
}

// One word in the summary: "32-bit build, native" becomes "32-bit_build_native".
std::string runsAsPair(const std::string& runsAs) {
    std::string pair = "runs_as=";
    for (char c : runsAs)
        if (c != ',') pair += c == ' ' ? '_' : c;
    return pair;
}

struct FlipFigures {
    bench::FlipLatency pipwick;
    bench::FlipLatency floor;
};

FlipFigures measureFlips(bench::LoadedPlugin& pipwick, bench::LoadedPlugin& floor, int seconds) {
    progress("flip latency: the clock, then the floor");
    FlipFigures flips;
    flips.pipwick = bench::measureFlipLatency(pipwick, seconds);
    flips.floor = bench::measureFlipLatency(floor, seconds);
    return flips;
}

int runFlipsOnly(const bench::BenchOptions& options, bench::LoadedPlugin& pipwick,
                 bench::LoadedPlugin& floor) {
    const FlipFigures flips = measureFlips(pipwick, floor, options.flipSeconds);
    std::printf("\nPipwick against its floor%s%s\n", options.runsAs.empty() ? "" : ", ",
                options.runsAs.c_str());
    bench::printFlipLatency(flips.pipwick, flips.floor, options.flipSeconds);
    std::printf("\nbench: %s %s\n", bench::flipLatencySummary(flips.pipwick, flips.floor).c_str(),
                runsAsPair(options.runsAs).c_str());
    return 0;
}

int runBenchmark(const bench::BenchOptions& options) {
    const std::string directory = programDirectory();
    const std::string pipwickDll = directory + "Pipwick.dll";
    const std::string floorDll = directory + "PipwickFloor.dll";
    const std::string copyOnlyDll = directory + "PipwickCopyOnly.dll";
    const std::string settingsFile = directory + "Pipwick.rc";
    if (!startHostHere(directory)) {
        std::fputs("bench: cannot start the host\n", stderr);
        return 1;
    }

    bench::LoadedPlugin pipwick;
    bench::LoadedPlugin floor;
    bench::LoadedPlugin copyOnly;
    if (!pipwick.load(pipwickDll) || !floor.load(floorDll) || !copyOnly.load(copyOnlyDll)) {
        std::fputs("bench: cannot load Pipwick.dll, PipwickFloor.dll or PipwickCopyOnly.dll\n",
                   stderr);
        return 1;
    }
    if (options.flipOnly) {
        const int result = runFlipsOnly(options, pipwick, floor);
        pipwick.unload();
        floor.unload();
        copyOnly.unload();
        norvane::stopHost();
        return result;
    }

    progress("private memory, each DLL in a process of its own");
    const bench::MemoryAdded memory = bench::measurePrivateMemory(pipwickDll, floorDll);

    progress("start-up");
    const bench::Measured startUp = bench::measureStartUp(pipwick, floor, options.starts);

    if (!pipwick.begin() || !floor.begin() || !copyOnly.begin()) {
        std::fputs("bench: a plug-in did not start\n", stderr);
        return 1;
    }
    bench::runMessagesFor(300);
    progress("repaints");
    const bench::RepaintFigures repaint =
        bench::measureRepaint(pipwick, floor, copyOnly, options.repaints);
    copyOnly.end();
    progress("settings writes");
    const bench::WriteFigures write =
        bench::measureSettingsWrite(pipwick, floor, settingsFile, options.moves);
    progress("profile of the settings write");
    const bench::WriteProfile writeProfile = bench::profileSettingsWrite(
        pipwick.module(), pipwick.window(), floor.window(), options.moves / 4 + 1);
    progress("completed drags");
    const bench::DragProfile drag = bench::profileDrags(
        pipwick.module(), pipwick.window(), floor.window(), settingsFile,
        std::max(5, options.moves / 100));
    pipwick.end();
    floor.end();

    progress("idle: the host alone, then with the clock, then with the floor");
    double hostAlone = 0;
    const bench::Measured idle = bench::measureIdle(pipwick, floor, options.idleSeconds, &hostAlone);
    const FlipFigures flips = measureFlips(pipwick, floor, options.flipSeconds);

    const double cpuStep = bench::cpuClockStepMicroseconds();
    const double pipwickBytes = bench::fileBytes(pipwickDll);
    const double floorBytes = bench::fileBytes(floorDll);
    pipwick.unload();
    floor.unload();
    copyOnly.unload();
    norvane::stopHost();

    using bench::Goal;
    const char* const kBareWrite = "a bare durable write";
    const std::vector<bench::Row> rows = {
        {"paint (median of repaints)", "paint_us", "us", repaint.floor.pipwick,
         repaint.floor.baseline, Goal::Ratio, 0.5, "the floor's repaint"},
        {"  against the copy-only paint", "paint_copy_us", "us", repaint.floor.pipwick,
         repaint.copyOnly, Goal::Ratio, 2.0, "a repaint that only copies a kept bitmap"},
        {"settings write (median of moves)", "write_us", "us", write.move.pipwick,
         write.move.baseline, Goal::Ratio, 1.3, "the floor's move, then a bare durable write"},
        {"  the write alone (its file calls)", "write_calls_us", "us",
         writeProfile.writeMicroseconds, write.bareWrite, Goal::Ratio, 1.3, kBareWrite},
        {"30-step drag (its file calls)", "drag_calls_us", "us", drag.fileMicroseconds,
         drag.bareWriteMicroseconds, Goal::Ratio, 1.3,
         "a bare durable write after the floor's drag"},
        {"idle CPU added per second", "idle_us_per_s", "us/s", idle.pipwick, idle.baseline,
         Goal::Ratio, 0.5, "the floor's"},
        {"start-up to first paint (median)", "startup_us", "us", startUp.pipwick,
         startUp.baseline, Goal::Ratio, 1.3,
         "the floor's, reading the same 18 settings and the style through the host"},
        {"DLL size", "dll_kib", "KiB", pipwickBytes / kKiB, floorBytes / kKiB, Goal::AtMost, 48,
         ""},
        {"private memory added", "private_kib", "KiB", memory.privateBytes.pipwick / kKiB,
         memory.privateBytes.baseline / kKiB, Goal::Ratio, 1.1, "the floor's"},
        {"  of which heap in use", "heap_kib", "KiB", memory.heapBytes.pipwick / kKiB,
         memory.heapBytes.baseline / kKiB, Goal::None, 0, "a part of the row above"},
        {"  of which GDI bitmaps held", "bitmap_kib", "KiB", memory.bitmapBytes.pipwick / kKiB,
         memory.bitmapBytes.baseline / kKiB, Goal::None, 0, "a part of the row above"},
    };
    std::printf("\nPipwick against its floor%s%s (%d repaints, %d moves, %d starts, %d s idle each)\n",
                options.runsAs.empty() ? "" : ", ", options.runsAs.c_str(), options.repaints,
                options.moves, options.starts, options.idleSeconds);
    bench::printTable(rows);
    char hostIdle[64];
    std::snprintf(hostIdle, sizeof hostIdle, "host_idle_us_per_s=%.1f", hostAlone);
    char dllBytes[64];
    std::snprintf(dllBytes, sizeof dllBytes, "dll_bytes=%.0f", pipwickBytes);
    bench::printWriteProfile(writeProfile);
    std::printf("  a completed %d-step drag: %.1f whole writes of the file, %.1f us in file "
                "calls (median), a bare durable write after the floor's drag %.1f us\n",
                bench::kDragSteps, drag.writesPerDrag, drag.fileMicroseconds,
                drag.bareWriteMicroseconds);
    char dragWrites[64];
    std::snprintf(dragWrites, sizeof dragWrites, "drag_writes=%.1f", drag.writesPerDrag);
    std::printf("\nidle: the host alone used %.1f us/s; the process CPU clock moves in steps of "
                "%.0f us, %.0f us/s over %d s\n",
                hostAlone, cpuStep, cpuStep / options.idleSeconds, options.idleSeconds);
    bench::printFlipLatency(flips.pipwick, flips.floor, options.flipSeconds);
    std::printf("\n");
    bench::printSummary(rows, {hostIdle, dllBytes, dragWrites,
                               bench::flipLatencySummary(flips.pipwick, flips.floor),
                               runsAsPair(options.runsAs)});
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--private-memory-of") {
        if (!startHostHere(programDirectory())) return 1;
        const int result = bench::reportPrivateMemory(argv[2], argv[3]);
        norvane::stopHost();
        return result;
    }
    bench::BenchOptions options;
    if (!parseArguments(argc, argv, &options)) return 2;
    return runBenchmark(options);
}
