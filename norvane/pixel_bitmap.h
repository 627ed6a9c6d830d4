// A 32-bit top-down DIB section: the surface the host draws gradients into and
// copies screenshots out of, with its pixels directly addressable.
#pragma once

#include <windows.h>

// Rows top first, four bytes a pixel (blue, green, red, unused). Null on failure.
HBITMAP createPixelBitmap(HDC dc, int width, int height, void** bits);
