// Whether the platform offers layered (translucent) windows, from its version.
#pragma once

constexpr unsigned long kPlatformWin32Nt = 2;

bool layeredWindowsAvailable(unsigned long platformId, unsigned long majorVersion);
