#include "redirections.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <set>

#include "import_redirect.h"

HeapRecords g_heap;

namespace {

void* originalMalloc = nullptr;
void* originalCalloc = nullptr;
void* originalRealloc = nullptr;
void* originalFree = nullptr;

// Blocks on pages of their own: freed, their pages are decommitted but stay
// reserved, so that no later block can take their addresses.
std::set<void*> g_pagedBlocks;

void* pagedAlloc(std::size_t size) {
    void* block = VirtualAlloc(nullptr, size == 0 ? 1 : size, MEM_RESERVE | MEM_COMMIT,
                               PAGE_READWRITE);
    if (block != nullptr)
        g_pagedBlocks.insert(block);
    return block;
}

bool pagedFree(void* block) {
    if (g_pagedBlocks.erase(block) == 0)
        return false;
    VirtualFree(block, 0, MEM_DECOMMIT);
    return true;
}

// The records' own allocations come from the test program's runtime imports, not
// through the plug-in's table, so counting here does not recurse.
void forget(void* block) {
    auto found = g_heap.liveBlocks.find(block);
    if (found == g_heap.liveBlocks.end())
        return;
    g_heap.freedSizes.push_back(found->second);
    g_heap.liveBlocks.erase(found);
}

void* __cdecl countedMalloc(std::size_t size) {
    ++g_heap.mallocCalls;
    if (g_heap.mallocCalls == g_heap.failMallocCall || size == g_heap.failMallocOfSize) {
        ++g_heap.failedMallocs;
        return nullptr;
    }
    void* block = g_heap.faultOnUseAfterFree
                      ? pagedAlloc(size)
                      : functionFrom<void*(__cdecl*)(std::size_t)>(originalMalloc)(size);
    if (block != nullptr)
        g_heap.liveBlocks[block] = size;
    return block;
}

void* __cdecl countedCalloc(std::size_t count, std::size_t size) {
    void* block = g_heap.faultOnUseAfterFree  // pages come zeroed
                      ? pagedAlloc(count * size)
                      : functionFrom<void*(__cdecl*)(std::size_t, std::size_t)>(originalCalloc)(
                            count, size);
    if (block != nullptr)
        g_heap.liveBlocks[block] = count * size;
    return block;
}

void* movePaged(void* block, std::size_t size) {
    void* moved = pagedAlloc(size);
    if (moved == nullptr)
        return nullptr;
    const std::size_t kept = std::min(size, g_heap.liveBlocks[block]);
    std::memcpy(moved, block, kept);
    pagedFree(block);
    return moved;
}

void* __cdecl countedRealloc(void* block, std::size_t size) {
    void* moved = g_pagedBlocks.count(block) != 0
                      ? movePaged(block, size)
                      : functionFrom<void*(__cdecl*)(void*, std::size_t)>(originalRealloc)(block, size);
    if (moved == nullptr)
        return nullptr;   // on failure the old block stays as it was
    if (block != nullptr)
        g_heap.liveBlocks.erase(block);
    g_heap.liveBlocks[moved] = size;
    return moved;
}

void __cdecl countedFree(void* block) {
    if (block != nullptr)
        forget(block);
    if (!pagedFree(block))
        functionFrom<void(__cdecl*)(void*)>(originalFree)(block);
}

}  // namespace

int HeapRecords::liveBlocksOfSize(std::size_t size) const {
    return static_cast<int>(std::count_if(liveBlocks.begin(), liveBlocks.end(),
                                          [size](const auto& block) { return block.second == size; }));
}

int HeapRecords::freedBlocksOfSize(std::size_t size) const {
    return static_cast<int>(std::count(freedSizes.begin(), freedSizes.end(), size));
}

bool HeapRecords::isLive(const void* block) const {
    return liveBlocks.count(const_cast<void*>(block)) != 0;
}

std::vector<Redirection> heapRedirections() {
    return {
        {"msvcrt.dll", "malloc", addressOf(&countedMalloc), &originalMalloc},
        {"msvcrt.dll", "calloc", addressOf(&countedCalloc), &originalCalloc},
        {"msvcrt.dll", "realloc", addressOf(&countedRealloc), &originalRealloc},
        {"msvcrt.dll", "free", addressOf(&countedFree), &originalFree},
    };
}
