// MakeGradient: paints a style background (gradient, bevel, border) into a device
// context. The pixels are computed into a 32-bit DIB section and copied in one
// BitBlt; only the part of the rectangle that the context can show is computed.
#include "norvane/host_internal.h"

#include <algorithm>
#include <cstdint>

#include "host/norvane_api.h"
#include "norvane/gradient_pixels.h"
#include "norvane/pixel_bitmap.h"

namespace norvane {
namespace {

// The part of `rect` that drawing into `dc` can reach; empty when none.
RECT visiblePart(HDC dc, const RECT& rect) {
    RECT clip = {};
    RECT visible = {};
    const int kind = GetClipBox(dc, &clip);
    if (kind == ERROR || kind == NULLREGION) return visible;
    IntersectRect(&visible, &rect, &clip);
    return visible;
}

void copyPixels(HDC dc, const RECT& target, HBITMAP pixels) {
    HDC source = CreateCompatibleDC(dc);
    if (source == nullptr) return;
    HGDIOBJ previous = SelectObject(source, pixels);
    BitBlt(dc, target.left, target.top, target.right - target.left, target.bottom - target.top,
           source, 0, 0, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
}

void paintGradient(HDC dc, const RECT& rect, const GradientRequest& request) {
    const RECT visible = visiblePart(dc, rect);
    const int width = visible.right - visible.left;
    const int height = visible.bottom - visible.top;
    if (width <= 0 || height <= 0) return;

    void* bits = nullptr;
    HBITMAP pixels = createPixelBitmap(dc, width, height, &bits);
    if (pixels == nullptr) return;
    if (bits != nullptr) {
        fillGradientPixels(request, static_cast<long long>(visible.left) - rect.left,
                           static_cast<long long>(visible.top) - rect.top, width, height,
                           static_cast<std::uint32_t*>(bits));
        GdiFlush();
        copyPixels(dc, visible, pixels);
    }
    DeleteObject(pixels);
}

}  // namespace
}  // namespace norvane

NORVANE_API void MakeGradient(HDC dc, RECT rect, int gradientType, COLORREF colourFrom,
                              COLORREF colourTo, bool interlaced, int bevelStyle,
                              int bevelPosition, int bevelWidth, COLORREF borderColour,
                              int borderWidth) {
    if (norvane::recordingCalls()) {
        using norvane::colourArgument;
        using norvane::numberArgument;
        norvane::recordCall(
            "MakeGradient",
            {norvane::pointerText(dc), norvane::rectArgument(rect), numberArgument(gradientType),
             colourArgument(colourFrom), colourArgument(colourTo),
             norvane::boolArgument(interlaced), numberArgument(bevelStyle),
             numberArgument(bevelPosition), numberArgument(bevelWidth),
             colourArgument(borderColour), numberArgument(borderWidth)});
    }
    if (dc == nullptr) return;
    const long long width = static_cast<long long>(rect.right) - rect.left;
    const long long height = static_cast<long long>(rect.bottom) - rect.top;
    if (width <= 0 || height <= 0) return;

    norvane::GradientRequest request;
    request.width = width;
    request.height = height;
    request.gradientType = gradientType;
    request.from = colourFrom;
    request.to = colourTo;
    request.interlaced = interlaced;
    request.bevelStyle = bevelStyle;
    request.bevelPosition = bevelPosition;
    request.bevelWidth = bevelWidth;
    request.borderColour = borderColour;
    request.borderWidth = borderWidth;
    norvane::paintGradient(dc, rect, request);
}
