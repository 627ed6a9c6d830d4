// The tooltip: while the pointer rests on the clock it shows the time the face shows
// in digits, and below it the date in the user's long date format, and it follows
// the face's seconds while it is shown. It is the system's tooltip control, which
// lives in COMCTL32. The plug-in loads COMCTL32 as it starts instead of importing
// it, so that the DLL needs nothing beyond KERNEL32, USER32, GDI32 and the C runtime
// to load; a system where the control cannot be made has a clock without a tooltip.
#include <windows.h>

#include <commctrl.h>

#include <cstring>

#include "plugin/clock_plugin.h"
#include "plugin/text_copy.h"
#include "window/spoken_time.h"

namespace {

const char kCommonControls[] = "COMCTL32.DLL";
// A tip as wide as this breaks its text at its line breaks only.
constexpr LPARAM kWidestTip = 600;
// The longest a tip can stay while the pointer rests; the default is a few seconds.
constexpr WORD kLongestShowMilliseconds = 32767;

using InitCommonControlsExFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
using InitCommonControlsFunction = void(WINAPI*)();

template <typename Function>
Function lookUp(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// COMCTL32 stays loaded for the rest of the process once it is, as it does in almost
// every shell: a window of its classes must never outlive the code behind it. Its
// classes are registered through InitCommonControlsEx, or InitCommonControls where an
// old version lacks the former.
void registerTooltipClass() {
    HMODULE controls = GetModuleHandleA(kCommonControls);
    if (controls == nullptr) controls = LoadLibraryA(kCommonControls);
    if (controls == nullptr) return;
    const auto initEx = lookUp<InitCommonControlsExFunction>(controls, "InitCommonControlsEx");
    if (initEx != nullptr) {
        INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_BAR_CLASSES};
        initEx(&classes);
        return;
    }
    const auto init = lookUp<InitCommonControlsFunction>(controls, "InitCommonControls");
    if (init != nullptr) init();
}

// The whole clock window is the one tool. The first version's record is the one every
// version of the control reads.
TOOLINFOA clockTool(HWND clock, char* text) {
    TOOLINFOA tool;
    std::memset(&tool, 0, sizeof tool);
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = clock;
    tool.uId = reinterpret_cast<UINT_PTR>(clock);
    tool.lpszText = text;
    return tool;
}

// "hh:mm:ss", a line break, and the long date of the same reading; the time alone
// when the reading has no date the system can write.
void tooltipTextFor(const ClockPlugin& plugin, char (&text)[kTooltipTextSize]) {
    char time[kFaceTimeTextSize];
    faceTimeText(plugin, time);
    char date[kTooltipTextSize - kFaceTimeTextSize - 2];
    if (GetDateFormatA(LOCALE_USER_DEFAULT, DATE_LONGDATE, &plugin.now, nullptr, date,
                       sizeof date) == 0) {
        copyCut(text, kTooltipTextSize, time);
        return;
    }
    std::memcpy(text, time, kFaceTimeTextSize - 1);
    std::memcpy(text + kFaceTimeTextSize - 1, "\r\n", 2);
    copyCut(text + kFaceTimeTextSize + 1, sizeof date, date);
}

}  // namespace

// The tip is a top-level window of its own, never a child of the slit, above a clock
// that stays on top; it shows whether or not the clock is active, which the clock
// never is, and it never takes the focus.
void ClockPlugin::addTooltip() {
    registerTooltipClass();
    tooltipText[0] = '\0';
    tooltip = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, TOOLTIPS_CLASSA, nullptr,
                              WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd, nullptr,
                              hInstance, nullptr);
    if (tooltip == nullptr) return;
    TOOLINFOA tool = clockTool(hwnd, tooltipText);
    if (!SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool))) {
        DestroyWindow(tooltip);
        tooltip = nullptr;
        return;
    }
    SendMessageA(tooltip, TTM_SETMAXTIPWIDTH, 0, kWidestTip);
    SendMessageA(tooltip, TTM_SETDELAYTIME, TTDT_AUTOPOP,
                 MAKELPARAM(kLongestShowMilliseconds, 0));
}

void ClockPlugin::removeTooltip() {
    if (tooltip == nullptr) return;
    TOOLINFOA tool = clockTool(hwnd, nullptr);
    SendMessageA(tooltip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    DestroyWindow(tooltip);
    tooltip = nullptr;
}

// The control learns where the pointer rests, and that a button was pressed, which
// puts the tip away, from the clock's own mouse messages, handed on here rather than
// through a procedure of the control's put in front of the clock's.
void ClockPlugin::relayMouseToTooltip(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (tooltip == nullptr || message < WM_MOUSEFIRST || message > WM_MBUTTONUP) return;
    MSG relayed;
    std::memset(&relayed, 0, sizeof relayed);
    relayed.hwnd = window;
    relayed.message = message;
    relayed.wParam = wParam;
    relayed.lParam = lParam;
    SendMessageA(tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

// Called after each paint. A tip on screen redraws itself with the new text.
void ClockPlugin::showFaceTimeInTooltip() {
    if (tooltip == nullptr) return;
    char text[kTooltipTextSize];
    tooltipTextFor(*this, text);
    if (std::strcmp(text, tooltipText) == 0) return;
    copyCut(tooltipText, kTooltipTextSize, text);
    TOOLINFOA tool = clockTool(hwnd, tooltipText);
    SendMessageA(tooltip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}
