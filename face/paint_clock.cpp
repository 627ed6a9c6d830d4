// Paints the clock face: the toolbar background, drawn by the host, and the two
// separator lines, both kept between paints, and the twenty dots, drawn off-screen
// and copied to the window in one step so that the repaint every second does not
// flicker.
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

// The separator lines do not depend on the time: they are kept with the background.
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

// The host's background for the whole face; the surface keeps the part it covers.
void drawHostBackground(const ClockPlugin& plugin, HDC dc, SIZE face) {
    const RECT whole = {0, 0, face.cx, face.cy};
    const StyleItem* style = plugin.styleItem;
    if (style != nullptr) {
        MakeGradient(dc, whole, style->gradientType, plugin.backColor, plugin.backColorTo,
                     style->interlaced != 0, style->bevelStyle, style->bevelPosition,
                     plugin.bevelWidth, plugin.borderColor, plugin.borderWidth);
    } else {
        MakeGradient(dc, whole, GRADIENT_VERTICAL, plugin.backColor, plugin.backColorTo, false, 0,
                     1, plugin.bevelWidth, plugin.borderColor, plugin.borderWidth);
    }
}

}  // namespace

// The face without its dots is drawn anew only when the kept one was drawn for
// something else, or does not reach as far as this paint: the background from the
// host and the separator lines over it, in the pen the dots' outlines take.
bool ClockPlugin::faceReady(HDC windowDc, const FaceKey& key, const RECT& part) {
    if (background.covers(key, part)) return true;
    HDC dc = background.keepNew(windowDc, key, part);
    if (dc == nullptr) return false;
    drawHostBackground(*this, dc, key.face);
    usePenColour(dc, key.lines);
    drawSeparatorLines(dc, key.face.cx, key.face.cy);
    return true;
}

// The face as far as this paint reaches it: this second's dots drawn over the kept
// face and copied to the window in one step. Every dot is an opaque outlined ellipse
// in the same rectangle every second, drawn in the same order, so drawing them over
// the last second's dots leaves the very pixels that drawing them over the clean
// background would. False when nothing could be drawn.
bool ClockPlugin::drawFacePart(HDC windowDc, SIZE face, const RECT& part) {
    const FaceInk ink = faceInkNow(faceColour(markedRed, markedGreen, markedBlue),
                                   faceColour(unmarkedRed, unmarkedGreen, unmarkedBlue));
    const FaceKey key = {face, circleSize, ink.lines, colourDepth(windowDc)};
    if (!faceReady(windowDc, key, part)) return false;
    HDC faceDc = background.dc();
    const FaceTime time = takeLocalTime(&now);
    const FacePlan plan = planClockFace(face.cx, face.cy, circleSize, ink.marked, ink.unmarked,
                                        time.hour, time.minute, time.second);
    drawDots(faceDc, plan);
    background.copyTo(windowDc, part);
    return true;
}

void ClockPlugin::paintClock(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    PAINTSTRUCT paint;
    HDC windowDc = BeginPaint(window, &paint);
    const RECT reach = reachablePart(windowDc, client);
    const SIZE face = {faceWidth(), faceHeight()};
    const RECT faceRect = {0, 0, face.cx, face.cy};
    // Only the face is drawn off-screen, as far as this paint reaches; what it does
    // not cover of the client area is filled on the window.
    RECT part;
    const bool reachesFace = IntersectRect(&part, &reach, &faceRect) != FALSE;
    if (!IsRectEmpty(&reach) && (!reachesFace || drawFacePart(windowDc, face, part))) {
        fillOutsideFace(windowDc, client, face.cx, face.cy, backColor);
    }
    EndPaint(window, &paint);
}
