#include "face/face_background.h"

namespace {

bool contains(const RECT& outer, const RECT& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

void copyArea(HDC target, HDC source, const RECT& area) {
    BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, source,
           area.left, area.top, SRCCOPY);
}

}  // namespace

int colourDepth(HDC dc) {
    return GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
}

FaceBackground::~FaceBackground() {
    forget();
}

void FaceBackground::forget() {
    release(&band_);
    release(&face_);
}

bool FaceBackground::covers(const FaceKey& key, const RECT& part) const {
    return face_.dc != nullptr && key.face.cx == key_.face.cx && key.face.cy == key_.face.cy &&
           key.circleSize == key_.circleSize && key.lines == key_.lines &&
           key.depth == key_.depth && contains(part_, part);
}

// Only the part a paint reaches is kept: a face far larger than the screen never asks
// GDI for a bitmap of its whole size. The band's surface is made first, so that the
// face's bitmap is the last one asked for.
HDC FaceBackground::keepNew(HDC windowDc, const FaceKey& key, const RECT& part,
                            const RECT& dotBand) {
    forget();
    RECT band;
    const bool reachesDots = IntersectRect(&band, &part, &dotBand) != FALSE;
    if ((reachesDots && !make(windowDc, band, &band_)) || !make(windowDc, part, &face_)) {
        forget();
        return nullptr;
    }
    bandRect_ = reachesDots ? band : RECT{0, 0, 0, 0};
    key_ = key;
    part_ = part;
    return face_.dc;
}

void FaceBackground::keepDotBand() {
    if (band_.dc != nullptr) copyArea(band_.dc, face_.dc, bandRect_);
}

HDC FaceBackground::withoutDots() const {
    if (band_.dc != nullptr) copyArea(face_.dc, band_.dc, bandRect_);
    return face_.dc;
}

void FaceBackground::copyTo(HDC windowDc, const RECT& part) const {
    copyArea(windowDc, face_.dc, part);
}

// The surface's first pixel is the area's corner: drawing keeps the face's own
// coordinates.
bool FaceBackground::make(HDC windowDc, const RECT& area, Surface* surface) {
    surface->dc = CreateCompatibleDC(nullptr);
    surface->bitmap =
        CreateCompatibleBitmap(windowDc, area.right - area.left, area.bottom - area.top);
    if (surface->dc == nullptr || surface->bitmap == nullptr) return false;
    surface->bitmapBefore = SelectObject(surface->dc, surface->bitmap);
    SetWindowOrgEx(surface->dc, area.left, area.top, nullptr);
    return true;
}

void FaceBackground::release(Surface* surface) {
    if (surface->dc != nullptr) {
        if (surface->bitmapBefore != nullptr) SelectObject(surface->dc, surface->bitmapBefore);
        DeleteDC(surface->dc);
    }
    if (surface->bitmap != nullptr) DeleteObject(surface->bitmap);
    *surface = Surface();
}
