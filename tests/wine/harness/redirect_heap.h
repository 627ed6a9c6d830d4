// The plug-in's heap (malloc, calloc, realloc and free from msvcrt.dll, which its
// statically linked operator new uses too): every block it holds is counted, so a
// test can see what is alive and what was released.
#pragma once

#include <cstddef>
#include <map>
#include <vector>

#include "redirection.h"

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
