// Whether the platform offers layered (translucent) windows, from its version, and
// the opacity a layered window is given.
#pragma once

constexpr unsigned long kPlatformWin32Nt = 2;

bool layeredWindowsAvailable(unsigned long platformId, unsigned long majorVersion);

// The opacity for an alpha setting: 0 (clear) to 255 (solid). A value beyond either
// end gives that end, so that no number in the file wraps round to a clear window,
// which would also let every click through to the desktop below.
unsigned char layeredOpacityFor(int alpha);
