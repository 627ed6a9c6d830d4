// The face as far as the second does not change it, kept between paints: the host's
// background (MakeGradient) with the separator lines over it, in a memory context and
// bitmap that also receives each second's dots. It is drawn again only when the style,
// the face's size, the dots' size, the line colour or the display changes.
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
    // Keeps a new, blank surface for `part` of the face, compatible with the paint
    // surface. Returns its context, addressed in face coordinates; null, and nothing
    // kept, when GDI cannot make it.
    HDC keepNew(HDC windowDc, const FaceKey& key, const RECT& part);
    HDC dc() const { return dc_; }
    // Copies `part` of the face to the window in one step.
    void copyTo(HDC windowDc, const RECT& part) const;

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ bitmapBefore_ = nullptr;  // the context's own bitmap, selected back on release
    FaceKey key_ = {};
    RECT part_ = {0, 0, 0, 0};
};

// The paint surface's bits per pixel, which the kept face must match.
int colourDepth(HDC dc);
