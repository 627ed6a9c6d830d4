#include "face/face_background.h"

namespace {

bool contains(const RECT& outer, const RECT& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

}  // namespace

int colourDepth(HDC dc) {
    return GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
}

FaceBackground::~FaceBackground() {
    forget();
}

void FaceBackground::forget() {
    if (dc_ != nullptr) {
        if (bitmapBefore_ != nullptr) SelectObject(dc_, bitmapBefore_);
        DeleteDC(dc_);
    }
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
    dc_ = nullptr;
    bitmap_ = nullptr;
    bitmapBefore_ = nullptr;
}

bool FaceBackground::covers(const FaceKey& key, const RECT& part) const {
    return dc_ != nullptr && key.face.cx == key_.face.cx && key.face.cy == key_.face.cy &&
           key.circleSize == key_.circleSize && key.lines == key_.lines &&
           key.depth == key_.depth && contains(part_, part);
}

// Only the part a paint reaches is kept: a face far larger than the screen never asks
// GDI for a bitmap of its whole size. The surface's first pixel is the part's corner:
// drawing keeps the face's own coordinates.
HDC FaceBackground::keepNew(HDC windowDc, const FaceKey& key, const RECT& part) {
    forget();
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateCompatibleBitmap(windowDc, part.right - part.left, part.bottom - part.top);
    if (dc_ == nullptr || bitmap_ == nullptr) {
        forget();
        return nullptr;
    }
    bitmapBefore_ = SelectObject(dc_, bitmap_);
    SetWindowOrgEx(dc_, part.left, part.top, nullptr);
    key_ = key;
    part_ = part;
    return dc_;
}

void FaceBackground::copyTo(HDC windowDc, const RECT& part) const {
    BitBlt(windowDc, part.left, part.top, part.right - part.left, part.bottom - part.top, dc_,
           part.left, part.top, SRCCOPY);
}
