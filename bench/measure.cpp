#include "bench/measure.h"

#include <algorithm>

namespace bench {

double nowMicroseconds() {
    static LARGE_INTEGER frequency = {};
    if (frequency.QuadPart == 0) QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
}

namespace {

double fileTimeMicroseconds(const FILETIME& time) {
    ULARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    return static_cast<double>(value.QuadPart) / 10.0;  // 100-nanosecond units
}

}  // namespace

double processCpuMicroseconds() {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
    return fileTimeMicroseconds(kernel) + fileTimeMicroseconds(user);
}

double cpuClockStepMicroseconds() {
    const double deadline = nowMicroseconds() + 2e6;
    double last = processCpuMicroseconds();
    double smallest = 0;
    for (int steps = 0; steps < 5 && nowMicroseconds() < deadline;) {
        const double current = processCpuMicroseconds();
        if (current == last) continue;
        if (smallest == 0 || current - last < smallest) smallest = current - last;
        last = current;
        ++steps;
    }
    return smallest;
}

// Committed memory that belongs to this process alone: private allocations (heaps,
// stacks) and the writable pages of loaded images, which become private copies.
double privateBytes() {
    const DWORD writable =
        PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
    double bytes = 0;
    MEMORY_BASIC_INFORMATION region;
    const char* address = nullptr;
    while (VirtualQuery(address, &region, sizeof region) == sizeof region) {
        if (region.State == MEM_COMMIT &&
            (region.Type == MEM_PRIVATE || (region.Type == MEM_IMAGE && (region.Protect & writable)))) {
            bytes += static_cast<double>(region.RegionSize);
        }
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= address) break;
        address = next;
    }
    return bytes;
}

// Bytes in use in every heap of this process, block by block: what the process
// asked for, without the heaps' reserve.
double heapBytesInUse() {
    HANDLE heaps[64];
    const DWORD count = GetProcessHeaps(64, heaps);
    double bytes = 0;
    for (DWORD i = 0; i < count && i < 64; ++i) {
        if (!HeapLock(heaps[i])) continue;
        PROCESS_HEAP_ENTRY entry = {};
        while (HeapWalk(heaps[i], &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) bytes += entry.cbData;
        }
        HeapUnlock(heaps[i]);
    }
    return bytes;
}

double median(std::vector<double> samples) {
    if (samples.empty()) return 0;
    const std::size_t middle = samples.size() / 2;
    std::nth_element(samples.begin(), samples.begin() + middle, samples.end());
    if (samples.size() % 2 != 0) return samples[middle];
    const double upper = samples[middle];
    const double lower = *std::max_element(samples.begin(), samples.begin() + middle);
    return (lower + upper) / 2;
}

void runWaitingMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void runMessagesFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        runWaitingMessages();
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= milliseconds) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
    }
}

}  // namespace bench
