// The face's background as the host's MakeGradient draws it, kept between paints in
// a memory context and bitmap: it changes only with the style, the face's size and
// the display, so a second's paint copies it instead of having it drawn again.
#pragma once

#include <windows.h>

class FaceBackground {
public:
    FaceBackground() = default;
    ~FaceBackground();
    FaceBackground(const FaceBackground&) = delete;
    FaceBackground& operator=(const FaceBackground&) = delete;

    // Releases what is kept: the style or the display changed, or the record ends.
    void forget();
    // Whether the kept background is that of a face of this size (width, height), in
    // the paint surface's colour depth, and covers `part` of it (face coordinates).
    bool covers(HDC windowDc, SIZE face, const RECT& part) const;
    // Keeps a new, blank surface for `part` of a face of this size, compatible with
    // the paint surface and addressed in face coordinates. Null when GDI cannot make
    // it; nothing is kept then.
    HDC keepNew(HDC windowDc, SIZE face, const RECT& part);
    // Copies `part` of the kept background into `target`, at the same face coordinates.
    void copyTo(HDC target, const RECT& part) const;

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ bitmapBefore_ = nullptr;  // the context's own bitmap, selected back on release
    SIZE face_ = {0, 0};
    RECT part_ = {0, 0, 0, 0};
    int depth_ = 0;
};
