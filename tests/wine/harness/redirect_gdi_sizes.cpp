#include "redirect_gdi_sizes.h"

#include "import_redirect.h"

GdiSizeRecords g_gdiSizes;

namespace {

void* nextCreateCompatibleBitmap = nullptr;
void* nextEllipse = nullptr;

long long spanOf(int from, int to) {
    const long long span = static_cast<long long>(to) - from;
    return span < 0 ? -span : span;
}

HBITMAP WINAPI createCompatibleBitmap(HDC reference, int width, int height) {
    HBITMAP bitmap = functionFrom<HBITMAP(WINAPI*)(HDC, int, int)>(nextCreateCompatibleBitmap)(
        reference, width, height);
    g_gdiSizes.bitmaps.push_back({width, height, bitmap != nullptr});
    return bitmap;
}

BOOL WINAPI ellipse(HDC dc, int left, int top, int right, int bottom) {
    ++g_gdiSizes.ellipses;
    g_gdiSizes.ellipseLefts.push_back(left);
    if (spanOf(left, right) > g_gdiSizes.widestEllipse)
        g_gdiSizes.widestEllipse = spanOf(left, right);
    if (spanOf(top, bottom) > g_gdiSizes.tallestEllipse)
        g_gdiSizes.tallestEllipse = spanOf(top, bottom);
    return functionFrom<BOOL(WINAPI*)(HDC, int, int, int, int)>(nextEllipse)(dc, left, top, right,
                                                                             bottom);
}

}  // namespace

std::vector<Redirection> gdiSizeRedirections() {
    return {
        {"GDI32.dll", "CreateCompatibleBitmap", addressOf(&createCompatibleBitmap),
         &nextCreateCompatibleBitmap},
        {"GDI32.dll", "Ellipse", addressOf(&ellipse), &nextEllipse},
    };
}
