#include "redirect_gdi_failure.h"

#include <windows.h>

#include "import_redirect.h"

GdiFailures g_gdiFailures;

namespace {

void* nextCreateCompatibleDC = nullptr;
void* nextCreateCompatibleBitmap = nullptr;

HDC WINAPI createCompatibleDC(HDC reference) {
    if (g_gdiFailures.failNextContexts > 0) {
        --g_gdiFailures.failNextContexts;
        ++g_gdiFailures.failedContexts;
        return nullptr;
    }
    return functionFrom<HDC(WINAPI*)(HDC)>(nextCreateCompatibleDC)(reference);
}

HBITMAP WINAPI createCompatibleBitmap(HDC reference, int width, int height) {
    if (g_gdiFailures.failNextBitmaps > 0) {
        --g_gdiFailures.failNextBitmaps;
        ++g_gdiFailures.failedBitmaps;
        return nullptr;
    }
    return functionFrom<HBITMAP(WINAPI*)(HDC, int, int)>(nextCreateCompatibleBitmap)(
        reference, width, height);
}

}  // namespace

std::vector<Redirection> gdiFailureRedirections() {
    return {
        {"GDI32.dll", "CreateCompatibleDC", addressOf(&createCompatibleDC),
         &nextCreateCompatibleDC},
        {"GDI32.dll", "CreateCompatibleBitmap", addressOf(&createCompatibleBitmap),
         &nextCreateCompatibleBitmap},
    };
}
