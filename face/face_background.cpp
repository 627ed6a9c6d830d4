#include "face/face_background.h"

namespace {

int colourDepth(HDC dc) {
    return GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
}

bool contains(const RECT& outer, const RECT& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

}  // namespace

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

bool FaceBackground::covers(HDC windowDc, SIZE face, const RECT& part) const {
    return dc_ != nullptr && face.cx == face_.cx && face.cy == face_.cy &&
           contains(part_, part) && colourDepth(windowDc) == depth_;
}

// Only the part a paint reaches is kept: a face far larger than the screen never asks
// GDI for a bitmap of its whole size.
HDC FaceBackground::keepNew(HDC windowDc, SIZE face, const RECT& part) {
    forget();
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateCompatibleBitmap(windowDc, part.right - part.left, part.bottom - part.top);
    if (dc_ == nullptr || bitmap_ == nullptr) {
        forget();
        return nullptr;
    }
    bitmapBefore_ = SelectObject(dc_, bitmap_);
    SetWindowOrgEx(dc_, part.left, part.top, nullptr);
    face_ = face;
    part_ = part;
    depth_ = colourDepth(windowDc);
    return dc_;
}

void FaceBackground::copyTo(HDC target, const RECT& part) const {
    BitBlt(target, part.left, part.top, part.right - part.left, part.bottom - part.top, dc_,
           part.left, part.top, SRCCOPY);
}
