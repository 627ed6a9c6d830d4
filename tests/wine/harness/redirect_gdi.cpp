#include "redirections.h"

#include "host/norvane_api.h"
#include "import_redirect.h"

GdiRecords g_gdi;
GdiFailures g_gdiFailures;
GdiSizeRecords g_gdiSizes;
PaintCallRecords g_paintCalls;

namespace {

// The object counts the fixture installs.
namespace counted {

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

}  // namespace counted

// Failures of the off-screen surface, on top of the counts.
namespace failing {

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

}  // namespace failing

// The sizes a paint asks for, on top of the counts.
namespace sized {

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

}  // namespace sized

// The order of a paint's calls, on top of everything else.
namespace ordered {

enum PaintCall {
    GET_CLIENT_RECT,
    BEGIN_PAINT,
    END_PAINT,
    CREATE_COMPATIBLE_DC,
    CREATE_COMPATIBLE_BITMAP,
    SELECT_OBJECT,
    GET_STOCK_OBJECT,
    SET_DC_BRUSH_COLOR,
    MOVE_TO,
    LINE_TO,
    ELLIPSE,
    BIT_BLT,
    DELETE_DC,
    DELETE_OBJECT,
    MAKE_GRADIENT,
    GET_LOCAL_TIME,
    PAINT_CALL_COUNT
};

const char* const kNames[PAINT_CALL_COUNT] = {
    "GetClientRect", "BeginPaint",      "EndPaint", "CreateCompatibleDC", "CreateCompatibleBitmap",
    "SelectObject",  "GetStockObject",  "SetDCBrushColor", "MoveToEx",   "LineTo",
    "Ellipse",       "BitBlt",          "DeleteDC", "DeleteObject",       "MakeGradient",
    "GetLocalTime",
};

void* g_next[PAINT_CALL_COUNT];

template <typename Function>
Function next(PaintCall call) {
    if (g_paintCalls.recording)
        g_paintCalls.names.push_back(kNames[call]);
    return functionFrom<Function>(g_next[call]);
}

BOOL WINAPI getClientRect(HWND window, LPRECT rect) {
    return next<decltype(&GetClientRect)>(GET_CLIENT_RECT)(window, rect);
}
HDC WINAPI beginPaint(HWND window, LPPAINTSTRUCT paint) {
    return next<decltype(&BeginPaint)>(BEGIN_PAINT)(window, paint);
}
BOOL WINAPI endPaint(HWND window, const PAINTSTRUCT* paint) {
    return next<decltype(&EndPaint)>(END_PAINT)(window, paint);
}
HDC WINAPI createCompatibleDc(HDC dc) {
    return next<decltype(&CreateCompatibleDC)>(CREATE_COMPATIBLE_DC)(dc);
}
HBITMAP WINAPI createCompatibleBitmap(HDC dc, int width, int height) {
    return next<decltype(&CreateCompatibleBitmap)>(CREATE_COMPATIBLE_BITMAP)(dc, width, height);
}
HGDIOBJ WINAPI selectObject(HDC dc, HGDIOBJ object) {
    return next<decltype(&SelectObject)>(SELECT_OBJECT)(dc, object);
}
HGDIOBJ WINAPI getStockObject(int which) {
    return next<decltype(&GetStockObject)>(GET_STOCK_OBJECT)(which);
}
COLORREF WINAPI setDcBrushColor(HDC dc, COLORREF colour) {
    return next<decltype(&SetDCBrushColor)>(SET_DC_BRUSH_COLOR)(dc, colour);
}
BOOL WINAPI moveTo(HDC dc, int x, int y, LPPOINT previous) {
    return next<decltype(&MoveToEx)>(MOVE_TO)(dc, x, y, previous);
}
BOOL WINAPI lineTo(HDC dc, int x, int y) {
    return next<decltype(&LineTo)>(LINE_TO)(dc, x, y);
}
BOOL WINAPI ellipse(HDC dc, int left, int top, int right, int bottom) {
    return next<decltype(&Ellipse)>(ELLIPSE)(dc, left, top, right, bottom);
}
BOOL WINAPI bitBlt(HDC target, int x, int y, int width, int height, HDC source, int sourceX,
                   int sourceY, DWORD operation) {
    return next<decltype(&BitBlt)>(BIT_BLT)(target, x, y, width, height, source, sourceX,
                                            sourceY, operation);
}
BOOL WINAPI deleteDc(HDC dc) {
    return next<decltype(&DeleteDC)>(DELETE_DC)(dc);
}
BOOL WINAPI deleteObject(HGDIOBJ object) {
    return next<decltype(&DeleteObject)>(DELETE_OBJECT)(object);
}
void __cdecl makeGradient(HDC dc, RECT rect, int type, COLORREF from, COLORREF to,
                          bool interlaced, int bevelStyle, int bevelPosition, int bevelWidth,
                          COLORREF borderColour, int borderWidth) {
    next<decltype(&MakeGradient)>(MAKE_GRADIENT)(dc, rect, type, from, to, interlaced,
                                                 bevelStyle, bevelPosition, bevelWidth,
                                                 borderColour, borderWidth);
}
void WINAPI getLocalTime(SYSTEMTIME* time) {
    next<decltype(&GetLocalTime)>(GET_LOCAL_TIME)(time);
}

}  // namespace ordered

}  // namespace

std::vector<Redirection> gdiRedirections() {
    using namespace counted;
    return {
        {"GDI32.dll", "CreateCompatibleDC", addressOf(&createCompatibleDC),
         &originalCreateCompatibleDC},
        {"GDI32.dll", "CreateCompatibleBitmap", addressOf(&createCompatibleBitmap),
         &originalCreateCompatibleBitmap},
        {"GDI32.dll", "DeleteDC", addressOf(&deleteDC), &originalDeleteDC},
        {"GDI32.dll", "DeleteObject", addressOf(&deleteObject), &originalDeleteObject},
    };
}

std::vector<Redirection> gdiFailureRedirections() {
    using namespace failing;
    return {
        {"GDI32.dll", "CreateCompatibleDC", addressOf(&createCompatibleDC),
         &nextCreateCompatibleDC},
        {"GDI32.dll", "CreateCompatibleBitmap", addressOf(&createCompatibleBitmap),
         &nextCreateCompatibleBitmap},
    };
}

std::vector<Redirection> gdiSizeRedirections() {
    using namespace sized;
    return {
        {"GDI32.dll", "CreateCompatibleBitmap", addressOf(&createCompatibleBitmap),
         &nextCreateCompatibleBitmap},
        {"GDI32.dll", "Ellipse", addressOf(&ellipse), &nextEllipse},
    };
}

std::vector<Redirection> paintCallRedirections() {
    using namespace ordered;
    return {
        {"USER32.dll", "GetClientRect", addressOf(&getClientRect), &g_next[GET_CLIENT_RECT]},
        {"USER32.dll", "BeginPaint", addressOf(&beginPaint), &g_next[BEGIN_PAINT]},
        {"USER32.dll", "EndPaint", addressOf(&endPaint), &g_next[END_PAINT]},
        {"GDI32.dll", "CreateCompatibleDC", addressOf(&createCompatibleDc),
         &g_next[CREATE_COMPATIBLE_DC]},
        {"GDI32.dll", "CreateCompatibleBitmap", addressOf(&createCompatibleBitmap),
         &g_next[CREATE_COMPATIBLE_BITMAP]},
        {"GDI32.dll", "SelectObject", addressOf(&selectObject), &g_next[SELECT_OBJECT]},
        {"GDI32.dll", "GetStockObject", addressOf(&getStockObject), &g_next[GET_STOCK_OBJECT]},
        {"GDI32.dll", "SetDCBrushColor", addressOf(&setDcBrushColor),
         &g_next[SET_DC_BRUSH_COLOR]},
        {"GDI32.dll", "MoveToEx", addressOf(&moveTo), &g_next[MOVE_TO]},
        {"GDI32.dll", "LineTo", addressOf(&lineTo), &g_next[LINE_TO]},
        {"GDI32.dll", "Ellipse", addressOf(&ellipse), &g_next[ELLIPSE]},
        {"GDI32.dll", "BitBlt", addressOf(&bitBlt), &g_next[BIT_BLT]},
        {"GDI32.dll", "DeleteDC", addressOf(&deleteDc), &g_next[DELETE_DC]},
        {"GDI32.dll", "DeleteObject", addressOf(&deleteObject), &g_next[DELETE_OBJECT]},
        {"norvane.exe", "MakeGradient", addressOf(&makeGradient), &g_next[MAKE_GRADIENT]},
        {"KERNEL32.dll", "GetLocalTime", addressOf(&getLocalTime), &g_next[GET_LOCAL_TIME]},
    };
}
