#include "window/message_text.h"

namespace {

constexpr DWORD kReadableProtection = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY |
                                      PAGE_EXECUTE_READ | PAGE_EXECUTE_READWRITE |
                                      PAGE_EXECUTE_WRITECOPY;

// How many bytes from address on lie in readable memory, as far as one region goes.
SIZE_T readableBytesAt(const char* address) {
    MEMORY_BASIC_INFORMATION region;
    if (VirtualQuery(address, &region, sizeof region) == 0) return 0;
    if (region.State != MEM_COMMIT) return 0;
    if ((region.Protect & kReadableProtection) == 0) return 0;
    if ((region.Protect & (PAGE_GUARD | PAGE_NOACCESS)) != 0) return 0;
    const char* regionEnd = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
    return static_cast<SIZE_T>(regionEnd - address);
}

}  // namespace

bool copyMessageText(LPARAM lParam, char* buffer) {
    buffer[0] = '\0';
    const char* text = reinterpret_cast<const char*>(lParam);
    if (text == nullptr) return false;

    int length = 0;
    SIZE_T readable = 0;
    while (length < kMessageTextSize - 1) {
        if (readable == 0) {
            readable = readableBytesAt(text + length);
            if (readable == 0) {
                buffer[0] = '\0';
                return false;
            }
        }
        const char c = text[length];
        if (c == '\0') break;
        buffer[length++] = c;
        --readable;
    }
    buffer[length] = '\0';
    return true;
}
