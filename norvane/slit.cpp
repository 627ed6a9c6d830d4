// The slit: a dock at the right edge of the screen that takes plug-in windows in
// as its children and stacks them one under the other.
#include "norvane/host_internal.h"

#include <algorithm>

#include "host/norvane_api.h"

namespace norvane {
namespace {

const char kSlitClass[] = "NorvaneSlit";
const int kSlitMargin = 4;
const COLORREF kSlitColour = RGB(38, 42, 50);
// Posted when a child is being destroyed: it is gone once the message arrives.
const UINT kLayoutRequest = WM_APP + 2;

struct Slit {
    HWND window = nullptr;
    std::vector<HWND> children;
    std::vector<HostMessage> messages;
    std::function<void(const HostMessage&)> hook;
    bool layingOut = false;
    bool layoutAgain = false;
};

Slit s_slit;

bool holds(HWND window) {
    return std::find(s_slit.children.begin(), s_slit.children.end(), window) !=
           s_slit.children.end();
}

// Children that were destroyed, or taken away by someone else, no longer count.
void forgetLostChildren() {
    auto lost = [](HWND child) { return !IsWindow(child) || GetParent(child) != s_slit.window; };
    s_slit.children.erase(std::remove_if(s_slit.children.begin(), s_slit.children.end(), lost),
                          s_slit.children.end());
}

SIZE windowSize(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

RECT workArea() {
    RECT area = {};
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0)) {
        area = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    return area;
}

void arrangeChildren() {
    forgetLostChildren();
    if (s_slit.children.empty()) {
        ShowWindow(s_slit.window, SW_HIDE);
        return;
    }
    int width = 0;
    int height = kSlitMargin;
    for (HWND child : s_slit.children) {
        const SIZE size = windowSize(child);
        width = std::max(width, static_cast<int>(size.cx));
        height += size.cy + kSlitMargin;
    }
    width += 2 * kSlitMargin;

    const RECT area = workArea();
    const int left = area.right - width;
    const int top = std::max(area.top, area.top + (area.bottom - area.top - height) / 2);
    SetWindowPos(s_slit.window, HWND_TOPMOST, left, top, width, height,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);

    int y = kSlitMargin;
    for (HWND child : std::vector<HWND>(s_slit.children)) {
        SetWindowPos(child, nullptr, kSlitMargin, y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        y += windowSize(child).cy + kSlitMargin;
    }
    InvalidateRect(s_slit.window, nullptr, TRUE);
}

// Moving a child tells the plug-in, which may answer with a message to the slit:
// a layout asked for during a layout runs once the current one is done.
void layOut() {
    if (s_slit.layingOut) {
        s_slit.layoutAgain = true;
        return;
    }
    s_slit.layingOut = true;
    do {
        s_slit.layoutAgain = false;
        arrangeChildren();
    } while (s_slit.layoutAgain);
    s_slit.layingOut = false;
}

void takeIn(HWND child) {
    if (!IsWindow(child) || child == s_slit.window || holds(child)) {
        layOut();
        return;
    }
    // A window becomes a child before it gets its new parent.
    const LONG style = GetWindowLongA(child, GWL_STYLE);
    SetWindowLongA(child, GWL_STYLE, (style & ~WS_POPUP) | WS_CHILD);
    SetParent(child, s_slit.window);
    s_slit.children.push_back(child);
    layOut();
}

void detach(HWND child, bool show) {
    RECT onScreen = {};
    GetWindowRect(child, &onScreen);
    s_slit.children.erase(std::remove(s_slit.children.begin(), s_slit.children.end(), child),
                          s_slit.children.end());
    // A window leaves its parent before it becomes a pop-up again.
    SetParent(child, nullptr);
    const LONG style = GetWindowLongA(child, GWL_STYLE);
    SetWindowLongA(child, GWL_STYLE, (style & ~WS_CHILD) | WS_POPUP);
    SetWindowPos(child, nullptr, onScreen.left, onScreen.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED |
                     (show ? SWP_SHOWWINDOW : 0));
}

void giveBack(HWND child) {
    if (IsWindow(child) && holds(child)) detach(child, true);
    layOut();
}

LRESULT onSlitRequest(UINT message, WPARAM wParam, LPARAM lParam) {
    const HostMessage record{message, wParam, lParam, {}};
    s_slit.messages.push_back(record);
    // A copy: the hook may replace itself.
    const std::function<void(const HostMessage&)> hook = s_slit.hook;
    if (hook) hook(record);

    const HWND window = reinterpret_cast<HWND>(lParam);
    if (message == HM_SLIT_ADD) takeIn(window);
    else if (message == HM_SLIT_REMOVE) giveBack(window);
    else layOut();
    return 0;
}

void paintSlit(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    HBRUSH brush = CreateSolidBrush(kSlitColour);
    FillRect(dc, &paint.rcPaint, brush);
    DeleteObject(brush);
    EndPaint(window, &paint);
}

LRESULT CALLBACK slitWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case HM_SLIT_ADD:
        case HM_SLIT_REMOVE:
        case HM_SLIT_UPDATE:
            return onSlitRequest(message, wParam, lParam);
        case WM_PARENTNOTIFY:
            if (LOWORD(wParam) == WM_DESTROY) PostMessageA(window, kLayoutRequest, 0, 0);
            return 0;
        case kLayoutRequest:
            layOut();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT fills the whole slit
        case WM_PAINT:
            paintSlit(window);
            return 0;
        case WM_CLOSE:
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

bool registerSlitClass(HINSTANCE instance) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = slitWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kSlitClass;
    return RegisterClassA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

bool createSlitWindow() {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!registerSlitClass(instance)) return false;
    s_slit.window = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kSlitClass, "Slit",
                                    WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0, 0, nullptr, nullptr,
                                    instance, nullptr);
    return s_slit.window != nullptr;
}

void destroySlitWindow() {
    if (s_slit.window != nullptr) {
        // Windows still held belong to their plug-ins: they must not die with the slit.
        forgetLostChildren();
        for (HWND child : std::vector<HWND>(s_slit.children)) detach(child, false);
        DestroyWindow(s_slit.window);
    }
    s_slit = Slit();
}

HWND slitWindow() { return s_slit.window; }

const std::vector<HostMessage>& slitMessages() { return s_slit.messages; }

void onSlitMessage(std::function<void(const HostMessage&)> hook) { s_slit.hook = std::move(hook); }

std::vector<HWND> slitChildren() {
    forgetLostChildren();
    return s_slit.children;
}

}  // namespace norvane
