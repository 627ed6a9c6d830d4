#include "redirect_gdi.h"

#include "import_redirect.h"

GdiRecords g_gdi;

namespace {

void* originalCreateCompatibleDC = nullptr;
void* originalCreateCompatibleBitmap = nullptr;
void* originalDeleteDC = nullptr;
void* originalDeleteObject = nullptr;

HDC WINAPI createCompatibleDC(HDC reference) {
    HDC context = functionFrom<HDC(WINAPI*)(HDC)>(originalCreateCompatibleDC)(reference);
    if (context != nullptr) {
        ++g_gdi.contextsCreated;
        g_gdi.liveObjects.insert(context);
    }
    return context;
}

HBITMAP WINAPI createCompatibleBitmap(HDC reference, int width, int height) {
    HBITMAP bitmap = functionFrom<HBITMAP(WINAPI*)(HDC, int, int)>(originalCreateCompatibleBitmap)(
        reference, width, height);
    if (bitmap != nullptr) {
        ++g_gdi.bitmapsCreated;
        g_gdi.liveObjects.insert(bitmap);
    }
    return bitmap;
}

BOOL WINAPI deleteDC(HDC context) {
    BOOL result = functionFrom<BOOL(WINAPI*)(HDC)>(originalDeleteDC)(context);
    if (result && g_gdi.liveObjects.erase(context) != 0)
        ++g_gdi.contextsDeleted;
    return result;
}

BOOL WINAPI deleteObject(HGDIOBJ object) {
    BOOL result = functionFrom<BOOL(WINAPI*)(HGDIOBJ)>(originalDeleteObject)(object);
    if (result && g_gdi.liveObjects.erase(object) != 0)
        ++g_gdi.objectsDeleted;
    return result;
}

}  // namespace

std::vector<Redirection> gdiRedirections() {
    return {
        {"GDI32.dll", "CreateCompatibleDC", addressOf(&createCompatibleDC),
         &originalCreateCompatibleDC},
        {"GDI32.dll", "CreateCompatibleBitmap", addressOf(&createCompatibleBitmap),
         &originalCreateCompatibleBitmap},
        {"GDI32.dll", "DeleteDC", addressOf(&deleteDC), &originalDeleteDC},
        {"GDI32.dll", "DeleteObject", addressOf(&deleteObject), &originalDeleteObject},
    };
}
