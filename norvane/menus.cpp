// Host menus. Plug-ins hold handles that the host hands out once and never reuses,
// so a stale or foreign handle is recognised and ignored instead of followed.
// Shown menus become Win32 pop-up menus tracked at the cursor, or, in recording
// mode, snapshots that a test chooses from.
#include "norvane/host_internal.h"

#include <cstdint>
#include <deque>
#include <map>
#include <set>

#include "host/norvane_api.h"

namespace norvane {
namespace {

using MenuHandle = std::uintptr_t;

struct MenuEntry {
    std::string caption;
    std::string command;
    bool checked = false;
    MenuHandle submenu = 0;  // 0 for a command entry
};

struct MenuData {
    std::string title;
    std::vector<MenuEntry> entries;
};

// Handles look like aligned addresses but point at nothing.
const MenuHandle kFirstHandle = 0x4E000;
const MenuHandle kHandleStep = 0x10;
// Pop-up menus nest no deeper than this.
const int kDeepestSubmenu = 16;

std::map<MenuHandle, MenuData> s_menus;
MenuHandle s_nextHandle = kFirstHandle;
std::deque<RecordedMenu> s_shown;  // the first element is the shown menu's root

MenuHandle handleOf(const Menu* menu) { return reinterpret_cast<MenuHandle>(menu); }

MenuData* liveMenu(const Menu* menu) {
    auto found = s_menus.find(handleOf(menu));
    return found != s_menus.end() ? &found->second : nullptr;
}

std::string textOrEmpty(const char* text) { return text != nullptr ? text : ""; }

// True when `target` is `from` or lies somewhere under it.
bool reaches(MenuHandle from, MenuHandle target, int depth = 0) {
    if (from == target) return true;
    auto found = s_menus.find(from);
    if (found == s_menus.end() || depth > kDeepestSubmenu) return false;
    for (const MenuEntry& entry : found->second.entries) {
        if (entry.submenu != 0 && reaches(entry.submenu, target, depth + 1)) return true;
    }
    return false;
}

void collectTree(MenuHandle handle, std::set<MenuHandle>* tree) {
    auto found = s_menus.find(handle);
    if (found == s_menus.end() || !tree->insert(handle).second) return;
    for (const MenuEntry& entry : found->second.entries) {
        if (entry.submenu != 0) collectTree(entry.submenu, tree);
    }
}

// Menus still alive lose their entries for the freed ones.
void dropEntriesFor(const std::set<MenuHandle>& freed) {
    for (auto& [handle, menu] : s_menus) {
        std::vector<MenuEntry>& entries = menu.entries;
        for (size_t i = entries.size(); i-- > 0;) {
            if (entries[i].submenu != 0 && freed.count(entries[i].submenu) != 0) {
                entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(i));
            }
        }
    }
}

const RecordedMenu* snapshotOf(const MenuData& menu, int depth) {
    s_shown.emplace_back();
    RecordedMenu& recorded = s_shown.back();
    recorded.title = menu.title;
    for (const MenuEntry& entry : menu.entries) {
        RecordedMenuEntry copy;
        copy.caption = entry.caption;
        copy.command = entry.command;
        copy.checked = entry.checked;
        auto submenu = s_menus.find(entry.submenu);
        if (entry.submenu != 0) {
            if (submenu == s_menus.end() || depth >= kDeepestSubmenu) continue;
            copy.submenu = snapshotOf(submenu->second, depth + 1);
        }
        recorded.entries.push_back(std::move(copy));
    }
    return &recorded;
}

const RecordedMenuEntry* findEntry(const RecordedMenu& menu, const std::string& caption) {
    for (const RecordedMenuEntry& entry : menu.entries) {
        if (entry.submenu != nullptr) {
            if (const RecordedMenuEntry* inner = findEntry(*entry.submenu, caption)) return inner;
        } else if (entry.caption == caption) {
            return &entry;
        }
    }
    return nullptr;
}

// A Win32 pop-up menu for the host menu; the commands of its entries go to
// `commands`, and entry n has the identifier n + 1.
HMENU buildPopup(const MenuData& menu, std::vector<std::string>* commands, int depth) {
    HMENU popup = CreatePopupMenu();
    if (popup == nullptr) return nullptr;
    for (const MenuEntry& entry : menu.entries) {
        if (entry.submenu != 0) {
            auto submenu = s_menus.find(entry.submenu);
            if (submenu == s_menus.end() || depth >= kDeepestSubmenu) continue;
            HMENU inner = buildPopup(submenu->second, commands, depth + 1);
            if (inner == nullptr) continue;
            AppendMenuA(popup, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(inner),
                        entry.caption.c_str());
        } else {
            commands->push_back(entry.command);
            AppendMenuA(popup, MF_STRING | (entry.checked ? MF_CHECKED : MF_UNCHECKED),
                        commands->size(), entry.caption.c_str());
        }
    }
    return popup;
}

void addTitle(HMENU popup, const std::string& title) {
    if (title.empty()) return;
    InsertMenuA(popup, 0, MF_BYPOSITION | MF_STRING | MF_GRAYED, 0, title.c_str());
    InsertMenuA(popup, 1, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
}

}  // namespace

void trackMenuNow(Menu* menu) {
    // The plug-in may have freed the menu since it asked for it to be shown.
    const MenuData* data = liveMenu(menu);
    if (data == nullptr) return;
    std::vector<std::string> commands;
    HMENU popup = buildPopup(*data, &commands, 0);
    if (popup == nullptr) return;
    addTitle(popup, data->title);

    POINT cursor = {};
    GetCursorPos(&cursor);
    // Without the foreground the pop-up would not close when the user clicks away.
    SetForegroundWindow(hostWindow());
    const UINT chosen = TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                       cursor.x, cursor.y, 0, hostWindow(), nullptr);
    PostMessageA(hostWindow(), WM_NULL, 0, 0);
    DestroyMenu(popup);
    if (chosen >= 1 && chosen <= commands.size()) broadcast(commands[chosen - 1].c_str());
}

void freeAllMenus() {
    s_menus.clear();
    s_shown.clear();
}

const RecordedMenu* shownMenu() { return s_shown.empty() ? nullptr : &s_shown.front(); }

bool chooseMenuEntry(const char* caption) {
    if (caption == nullptr || s_shown.empty()) return false;
    const RecordedMenuEntry* entry = findEntry(s_shown.front(), caption);
    if (entry == nullptr) return false;
    broadcast(entry->command.c_str());
    return true;
}

int liveMenuCount() { return static_cast<int>(s_menus.size()); }

}  // namespace norvane

using norvane::recordingCalls;
using norvane::recordCall;
using norvane::pointerText;
using norvane::textArgument;

NORVANE_API Menu* MakeMenu(const char* title) {
    if (recordingCalls()) recordCall("MakeMenu", {textArgument(title)});
    const norvane::MenuHandle handle = norvane::s_nextHandle;
    norvane::s_nextHandle += norvane::kHandleStep;
    norvane::s_menus[handle].title = norvane::textOrEmpty(title);
    return reinterpret_cast<Menu*>(handle);
}

NORVANE_API void MakeMenuItem(Menu* menu, const char* caption, const char* command, bool checked) {
    if (recordingCalls()) {
        recordCall("MakeMenuItem", {pointerText(menu), textArgument(caption),
                                    textArgument(command), norvane::boolArgument(checked)});
    }
    norvane::MenuData* data = norvane::liveMenu(menu);
    if (data == nullptr) return;
    norvane::MenuEntry entry;
    entry.caption = norvane::textOrEmpty(caption);
    entry.command = norvane::textOrEmpty(command);
    entry.checked = checked;
    data->entries.push_back(std::move(entry));
}

NORVANE_API void MakeSubmenu(Menu* parent, Menu* child, const char* title) {
    if (recordingCalls()) {
        recordCall("MakeSubmenu", {pointerText(parent), pointerText(child), textArgument(title)});
    }
    norvane::MenuData* parentData = norvane::liveMenu(parent);
    norvane::MenuData* childData = norvane::liveMenu(child);
    if (parentData == nullptr || childData == nullptr) return;
    // A menu under itself would make an endless tree.
    if (norvane::reaches(norvane::handleOf(child), norvane::handleOf(parent))) return;
    norvane::MenuEntry entry;
    entry.caption = title != nullptr ? title : childData->title;
    entry.submenu = norvane::handleOf(child);
    parentData->entries.push_back(std::move(entry));
}

NORVANE_API void ShowMenu(Menu* menu) {
    if (recordingCalls()) {
        recordCall("ShowMenu", {pointerText(menu)});
        const norvane::MenuData* data = norvane::liveMenu(menu);
        if (data == nullptr) return;
        norvane::s_shown.clear();
        norvane::snapshotOf(*data, 0);
        return;
    }
    if (norvane::liveMenu(menu) != nullptr) norvane::requestMenuTracking(menu);
}

NORVANE_API void DelMenu(Menu* menu) {
    if (recordingCalls()) recordCall("DelMenu", {pointerText(menu)});
    if (norvane::liveMenu(menu) == nullptr) return;
    std::set<norvane::MenuHandle> tree;
    norvane::collectTree(norvane::handleOf(menu), &tree);
    for (norvane::MenuHandle handle : tree) norvane::s_menus.erase(handle);
    norvane::dropEntriesFor(tree);
}
