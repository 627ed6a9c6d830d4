#include "plugin/layered_rule.h"

bool layeredWindowsAvailable(unsigned long platformId, unsigned long majorVersion) {
    // Layered windows came with Windows 2000, the NT line's version 5.
    return platformId == kPlatformWin32Nt && majorVersion > 4;
}
