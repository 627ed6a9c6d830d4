#include "window_probes.h"

const norvane::RecordedMenuEntry* findMenuEntry(const norvane::RecordedMenu& menu,
                                                const std::string& caption) {
    for (const auto& entry : menu.entries) {
        if (entry.submenu != nullptr) {
            if (const auto* inner = findMenuEntry(*entry.submenu, caption))
                return inner;
        } else if (entry.caption == caption) {
            return &entry;
        }
    }
    return nullptr;
}

int menuMark(HWND window, const char* caption) {
    SendMessageA(window, WM_RBUTTONUP, 0, 0);
    const norvane::RecordedMenu* menu = norvane::shownMenu();
    if (menu == nullptr)
        return -1;
    const norvane::RecordedMenuEntry* entry = findMenuEntry(*menu, caption);
    if (entry == nullptr)
        return -1;
    return entry->checked ? 1 : 0;
}

RECT windowBounds(HWND window) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    return bounds;
}

bool sameRect(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}

bool isLayered(HWND window) {
    return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
}
