// Paints the clock face: the toolbar background from the host, the two separator
// lines and the twenty dots, drawn off-screen and copied to the window in one step
// so that the repaint every second does not flicker.
#include "face/face_plan.h"
#include "plugin/clock_plugin.h"

namespace {

struct LocalTime {
    int hour;
    int minute;
    int second;
};

// A clock the runtime cannot convert gives no time; the face then shows every dot
// unmarked, as at midnight.
LocalTime takeLocalTime(std::tm** now) {
    const std::time_t seconds = std::time(nullptr);
    *now = std::localtime(&seconds);
    if (*now == nullptr) return LocalTime{0, 0, 0};
    return LocalTime{(*now)->tm_hour, (*now)->tm_min, (*now)->tm_sec};
}

void drawPlan(HDC dc, const FacePlan& plan, int height) {
    SelectObject(dc, GetStockObject(DC_BRUSH));
    for (const FaceOp& op : plan.ops) {
        if (op.kind == FaceOp::Line) {
            MoveToEx(dc, op.x, 0, nullptr);
            LineTo(dc, op.x, height);
        } else {
            SetDCBrushColor(dc, op.fill);
            Ellipse(dc, op.left, op.top, op.right, op.bottom);
        }
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

}  // namespace

void ClockPlugin::paintClock(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    PAINTSTRUCT paint;
    HDC windowDc = BeginPaint(window, &paint);

    HDC faceDc = CreateCompatibleDC(nullptr);
    HBITMAP faceBitmap = CreateCompatibleBitmap(windowDc, client.right, client.bottom);
    if (faceDc != nullptr && faceBitmap != nullptr) {
        SelectObject(faceDc, faceBitmap);
        const RECT face = {0, 0, width, height};
        if (styleItem != nullptr) {
            MakeGradient(faceDc, face, styleItem->gradientType, backColor, backColorTo,
                         styleItem->interlaced != 0, styleItem->bevelStyle,
                         styleItem->bevelPosition, bevelWidth, borderColor, borderWidth);
        } else {
            MakeGradient(faceDc, face, GRADIENT_VERTICAL, backColor, backColorTo, false, 0, 1,
                         bevelWidth, borderColor, borderWidth);
        }

        const LocalTime time = takeLocalTime(&now);
        const FacePlan plan = planClockFace(
            width, height, circleSize, faceColour(markedRed, markedGreen, markedBlue),
            faceColour(unmarkedRed, unmarkedGreen, unmarkedBlue), time.hour, time.minute,
            time.second);
        drawPlan(faceDc, plan, height);

        BitBlt(windowDc, 0, 0, width, height, faceDc, 0, 0, SRCCOPY);
        fillOutsideFace(windowDc, client, width, height, backColor);
    }
    if (faceDc != nullptr) DeleteDC(faceDc);
    if (faceBitmap != nullptr) DeleteObject(faceBitmap);
    EndPaint(window, &paint);
}
