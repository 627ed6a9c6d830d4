// Paints the clock face: the toolbar background from the host, the two separator
// lines and the twenty dots, drawn off-screen and copied to the window in one step
// so that the repaint every second does not flicker.
#include "face/face_ink.h"
#include "face/face_plan.h"
#include "face/face_time.h"
#include "plugin/clock_plugin.h"

namespace {

// The system's local time as it is now, in the time zone and under the clock
// settings in force at this moment: a change of either shows at the next paint.
FaceTime takeLocalTime(SYSTEMTIME* now) {
    GetLocalTime(now);
    return faceTimeOf(now->wHour, now->wMinute, now->wSecond);
}

// The lines and every dot's outline are drawn with the DC pen in the face's ink.
void usePenColour(HDC dc, COLORREF colour) {
    SelectObject(dc, GetStockObject(DC_PEN));
    SetDCPenColor(dc, colour);
}

// The separator lines do not depend on the time, so they are drawn before it is
// taken.
void drawSeparatorLines(HDC dc, int width, int height) {
    for (int line = 0; line < kFaceLineCount; ++line) {
        const int x = separatorLineX(width, line);
        MoveToEx(dc, x, 0, nullptr);
        LineTo(dc, x, height);
    }
}

void drawDots(HDC dc, const FacePlan& plan) {
    SelectObject(dc, GetStockObject(DC_BRUSH));
    for (const FaceOp& op : plan.ops) {
        if (op.kind != FaceOp::Dot || !drawnOnPaint(op)) continue;  // see face_plan.h
        SetDCBrushColor(dc, op.fill);
        Ellipse(dc, op.left, op.top, op.right, op.bottom);
    }
}

// A client area larger than the face (the window resized by someone else) shows the
// toolbar's own colour around it instead of whatever was on screen before.
void fillOutsideFace(HDC dc, const RECT& client, int width, int height, COLORREF colour) {
    if (client.right <= width && client.bottom <= height) return;
    SelectObject(dc, GetStockObject(DC_BRUSH));
    SetDCBrushColor(dc, colour);
    const HBRUSH brush = static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
    const RECT right = {width, 0, client.right, client.bottom};
    const RECT below = {0, height, width, client.bottom};
    if (right.left < right.right) FillRect(dc, &right, brush);
    if (below.top < below.bottom) FillRect(dc, &below, brush);
}

// The part of the client area that this paint can change: the paint surface's clip
// box leaves out what lies off every screen and what need not be redrawn. The off-screen surface covers only that
// part, so a window far larger than the screen never asks GDI for a bitmap of its
// whole client area on every paint. Empty when nothing can be drawn.
RECT reachablePart(HDC windowDc, const RECT& client) {
    RECT reachable = {0, 0, 0, 0};
    RECT clip;
    if (windowDc == nullptr || GetClipBox(windowDc, &clip) == ERROR) return reachable;
    IntersectRect(&reachable, &client, &clip);
    return reachable;
}

}  // namespace

void ClockPlugin::paintClock(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    PAINTSTRUCT paint;
    HDC windowDc = BeginPaint(window, &paint);
    const RECT reach = reachablePart(windowDc, client);
    if (IsRectEmpty(&reach)) {
        EndPaint(window, &paint);
        return;
    }

    HDC faceDc = CreateCompatibleDC(nullptr);
    HBITMAP faceBitmap = CreateCompatibleBitmap(windowDc, reach.right - reach.left,
                                                reach.bottom - reach.top);
    if (faceDc != nullptr && faceBitmap != nullptr) {
        SelectObject(faceDc, faceBitmap);
        // The surface's first pixel is the reachable part's corner: drawing keeps the
        // face's own coordinates.
        SetWindowOrgEx(faceDc, reach.left, reach.top, nullptr);
        const int faceWide = faceWidth();
        const int faceTall = faceHeight();
        const RECT face = {0, 0, faceWide, faceTall};
        if (styleItem != nullptr) {
            MakeGradient(faceDc, face, styleItem->gradientType, backColor, backColorTo,
                         styleItem->interlaced != 0, styleItem->bevelStyle,
                         styleItem->bevelPosition, bevelWidth, borderColor, borderWidth);
        } else {
            MakeGradient(faceDc, face, GRADIENT_VERTICAL, backColor, backColorTo, false, 0, 1,
                         bevelWidth, borderColor, borderWidth);
        }

        const FaceInk ink = faceInkNow(faceColour(markedRed, markedGreen, markedBlue),
                                       faceColour(unmarkedRed, unmarkedGreen, unmarkedBlue));
        usePenColour(faceDc, ink.lines);
        drawSeparatorLines(faceDc, faceWide, faceTall);
        const FaceTime time = takeLocalTime(&now);
        const FacePlan plan = planClockFace(faceWide, faceTall, circleSize, ink.marked,
                                            ink.unmarked, time.hour, time.minute, time.second);
        drawDots(faceDc, plan);

        // Only the face is copied, as far as this paint reaches.
        RECT copied;
        if (IntersectRect(&copied, &reach, &face)) {
            BitBlt(windowDc, copied.left, copied.top, copied.right - copied.left,
                   copied.bottom - copied.top, faceDc, copied.left, copied.top, SRCCOPY);
        }
        fillOutsideFace(windowDc, client, faceWide, faceTall, backColor);
    }
    if (faceDc != nullptr) DeleteDC(faceDc);
    if (faceBitmap != nullptr) DeleteObject(faceBitmap);
    EndPaint(window, &paint);
}
