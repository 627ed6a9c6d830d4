#include "long_run.h"

#include "norvane/host_control.h"

SIZE_T privateBytes() {
    SIZE_T total = 0;
    MEMORY_BASIC_INFORMATION region;
    const char* address = nullptr;
    while (VirtualQuery(address, &region, sizeof region) == sizeof region) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            total += region.RegionSize;
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= address)
            break;
        address = next;
    }
    return total;
}

void LongRunTest::forgetRecords() {
    norvane::clearCalls();
    g_files.opens.clear();
    g_heap.freedSizes.clear();
}

void LongRunTest::expectGdiBalanced() {
    EXPECT_EQ(g_gdi.contextsCreated, g_gdi.contextsDeleted + 1);
    EXPECT_EQ(g_gdi.bitmapsCreated, g_gdi.objectsDeleted + 1);
    EXPECT_EQ(g_gdi.liveObjects.size(), 2u);
}
