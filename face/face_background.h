// The face as far as the second does not change it, kept between paints: the host's
// background (MakeGradient) with the separator lines over it, in a memory context and
// bitmap that also receives each second's dots, and beside it a clean copy of the
// band the dots lie in. A second's paint restores the band, draws the dots and copies
// the face to the window; the background is drawn again only when the style, the
// face's size, the dots' size, the line colour or the display changes.
#pragma once

#include <windows.h>

// What the kept face was drawn for.
struct FaceKey {
    SIZE face;
    int circleSize;
    COLORREF lines;
    int depth;  // the paint surface's bits per pixel
};

class FaceBackground {
public:
    FaceBackground() = default;
    ~FaceBackground();
    FaceBackground(const FaceBackground&) = delete;
    FaceBackground& operator=(const FaceBackground&) = delete;

    // Releases what is kept: the style or the display changed, or the record ends.
    void forget();
    // Whether the kept face was drawn for `key` and covers `part` of it (face
    // coordinates).
    bool covers(const FaceKey& key, const RECT& part) const;
    // Keeps new, blank surfaces for `part` of the face and for the dots' band within
    // it, compatible with the paint surface. Returns the face's context, addressed in
    // face coordinates, for the background and the lines; null, and nothing kept,
    // when GDI cannot make them.
    HDC keepNew(HDC windowDc, const FaceKey& key, const RECT& part, const RECT& dotBand);
    // Takes the clean copy of the dots' band from the face just drawn.
    void keepDotBand();
    // The face's context with the band restored: ready for this second's dots.
    HDC withoutDots() const;
    // Copies `part` of the face to the window in one step.
    void copyTo(HDC windowDc, const RECT& part) const;

private:
    struct Surface {
        HDC dc = nullptr;
        HBITMAP bitmap = nullptr;
        HGDIOBJ bitmapBefore = nullptr;  // selected back before the context goes
    };
    static bool make(HDC windowDc, const RECT& area, Surface* surface);
    static void release(Surface* surface);

    Surface face_;
    Surface band_;  // empty when the part reaches no dot
    RECT bandRect_ = {0, 0, 0, 0};
    FaceKey key_ = {};
    RECT part_ = {0, 0, 0, 0};
};

// The paint surface's bits per pixel, which the kept face must match.
int colourDepth(HDC dc);
