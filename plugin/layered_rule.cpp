#include "plugin/layered_rule.h"

bool layeredWindowsAvailable(unsigned long platformId, unsigned long majorVersion) {
    // Layered windows came with Windows 2000, the NT line's version 5.
    return platformId == kPlatformWin32Nt && majorVersion > 4;
}

unsigned char layeredOpacityFor(int alpha) {
    if (alpha < 0) return 0;
    return static_cast<unsigned char>(alpha > 255 ? 255 : alpha);
}
