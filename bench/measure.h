// Clocks and meters of the benchmark: wall time from the performance counter, the
// process's CPU time, its private memory, and the median of a set of samples.
#pragma once

#include <windows.h>

#include <vector>

namespace bench {

// Microseconds since an arbitrary start, from the performance counter.
double nowMicroseconds();
// User and kernel CPU time of this process so far, in microseconds.
double processCpuMicroseconds();
// The smallest step in which that CPU time moves, found by spinning.
double cpuClockStepMicroseconds();
// Committed private memory of this process, in bytes.
double privateBytes();
// Bytes in use in the process's heaps.
double heapBytesInUse();

double median(std::vector<double> samples);

// Dispatches this thread's messages for the given time.
void runMessagesFor(DWORD milliseconds);
// Dispatches the messages that are waiting, without waiting for more.
void runWaitingMessages();

}  // namespace bench
