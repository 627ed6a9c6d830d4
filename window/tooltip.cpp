// The tooltip: while the pointer rests on the clock it shows the time the face shows
// in digits, and below it the date in the user's long date format, and it follows
// the face's seconds while it is shown. It is the system's tooltip control, which
// lives in COMCTL32. The plug-in loads COMCTL32 instead of importing it, so that the
// DLL needs nothing beyond KERNEL32, USER32, GDI32 and the C runtime to load, and
// only when the pointer first moves over the clock: most runs of a shell end without
// a hover, and the library costs the process more memory than the whole clock. A
// system where the control cannot be made has a clock without a tooltip.
//
// The control is a Unicode window fed wide text: the user's date formats may be in
// another script than the system's ANSI code page.
#include <windows.h>

#include <commctrl.h>

#include <cstring>

#include "plugin/clock_plugin.h"
#include "window/spoken_time.h"

namespace {

const char kCommonControls[] = "COMCTL32.DLL";
// A tip as wide as this breaks its text at its line breaks only.
constexpr LPARAM kWidestTip = 600;
// The longest a tip can stay while the pointer rests; the default is a few seconds.
constexpr WORD kLongestShowMilliseconds = 32767;
constexpr UINT kRestackFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE;

using InitCommonControlsExFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
using InitCommonControlsFunction = void(WINAPI*)();

template <typename Function>
Function lookUp(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// COMCTL32 stays loaded for the rest of the process once it is, as it does in almost
// every shell: a window of its classes must never outlive the code behind it. Its
// classes are registered through InitCommonControlsEx, or InitCommonControls where an
// old version lacks the former; a library with neither makes no control.
bool registerTooltipClass() {
    HMODULE controls = GetModuleHandleA(kCommonControls);
    if (controls == nullptr) controls = LoadLibraryA(kCommonControls);
    if (controls == nullptr) return false;
    const auto initEx = lookUp<InitCommonControlsExFunction>(controls, "InitCommonControlsEx");
    if (initEx != nullptr) {
        INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_BAR_CLASSES};
        return initEx(&classes) != FALSE;
    }
    const auto init = lookUp<InitCommonControlsFunction>(controls, "InitCommonControls");
    if (init != nullptr) init();
    return init != nullptr;
}

// The whole clock window is the one tool. The first version's record is the one every
// version of the control reads.
TOOLINFOW clockTool(HWND clock, WCHAR* text) {
    TOOLINFOW tool;
    std::memset(&tool, 0, sizeof tool);
    tool.cbSize = TTTOOLINFOW_V1_SIZE;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = clock;
    tool.uId = reinterpret_cast<UINT_PTR>(clock);
    tool.lpszText = text;
    return tool;
}

LRESULT sendToTooltip(HWND tooltip, UINT message, WPARAM wParam, const void* record) {
    return SendMessageW(tooltip, message, wParam, reinterpret_cast<LPARAM>(record));
}

// "hh:mm:ss", a line break, and the long date of the same reading; the time alone
// when the reading has no date the system can write.
void tooltipTextFor(const ClockPlugin& plugin, WCHAR (&text)[kTooltipTextSize]) {
    char time[kFaceTimeTextSize];
    faceTimeText(plugin, time);
    for (int i = 0; i < kFaceTimeTextSize; ++i) text[i] = static_cast<unsigned char>(time[i]);
    WCHAR* const date = text + kFaceTimeTextSize + 1;
    const int dateSize = kTooltipTextSize - kFaceTimeTextSize - 1;
    if (GetDateFormatW(LOCALE_USER_DEFAULT, DATE_LONGDATE, &plugin.now, nullptr, date,
                       dateSize) == 0) {
        return;
    }
    text[kFaceTimeTextSize - 1] = L'\r';
    text[kFaceTimeTextSize] = L'\n';
}

}  // namespace

// The tip is a top-level window of its own, never a child of the slit, above a clock
// that stays on top; it shows whether or not the clock is active, which the clock
// never is, and it never takes the focus. It is made once, on the first mouse move
// over the clock; a control that could not be made is not tried again.
void ClockPlugin::addTooltip() {
    tooltipTried = true;
    if (!registerTooltipClass()) return;
    tooltip = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, TOOLTIPS_CLASSW, nullptr,
                              WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd, nullptr,
                              hInstance, nullptr);
    if (tooltip == nullptr) return;
    tooltipTextFor(*this, tooltipText);
    TOOLINFOW tool = clockTool(hwnd, tooltipText);
    if (!sendToTooltip(tooltip, TTM_ADDTOOLW, 0, &tool)) {
        DestroyWindow(tooltip);
        tooltip = nullptr;
        return;
    }
    SendMessageW(tooltip, TTM_SETMAXTIPWIDTH, 0, kWidestTip);
    SendMessageW(tooltip, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(kLongestShowMilliseconds, 0));
}

void ClockPlugin::removeTooltip() {
    if (tooltip == nullptr) return;
    TOOLINFOW tool = clockTool(hwnd, nullptr);
    sendToTooltip(tooltip, TTM_DELTOOLW, 0, &tool);
    DestroyWindow(tooltip);
    tooltip = nullptr;
}

// The control learns where the pointer rests, and that a button was pressed, which
// puts the tip away, from the clock's own mouse messages, handed on here rather than
// through a procedure of the control's put in front of the clock's. The move that
// makes the control is handed on too, so the tip shows after the usual delay.
void ClockPlugin::relayMouseToTooltip(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message < WM_MOUSEFIRST || message > WM_MBUTTONUP) return;
    if (message == WM_MOUSEMOVE && !tooltipTried) addTooltip();
    if (tooltip == nullptr) return;
    MSG relayed;
    std::memset(&relayed, 0, sizeof relayed);
    relayed.hwnd = window;
    relayed.message = message;
    relayed.wParam = wParam;
    relayed.lParam = lParam;
    sendToTooltip(tooltip, TTM_RELAYEVENT, 0, &relayed);
}

// Called when the face shows a new second. A tip on screen redraws itself with the
// new text.
void ClockPlugin::showFaceTimeInTooltip() {
    if (tooltip == nullptr) return;
    tooltipTextFor(*this, tooltipText);
    TOOLINFOW tool = clockTool(hwnd, tooltipText);
    sendToTooltip(tooltip, TTM_UPDATETIPTEXTW, 0, &tool);
}

// The tip is always on top, above the clock that owns it. Under Wine a window made
// topmost stays below an owned window that is not, and an owner made not topmost
// takes its owned windows down with it: the tip is made topmost again before the
// clock goes on top, and after it leaves the top.
void ClockPlugin::keepTooltipOnTop() {
    if (tooltip != nullptr) SetWindowPos(tooltip, HWND_TOPMOST, 0, 0, 0, 0, kRestackFlags);
}
