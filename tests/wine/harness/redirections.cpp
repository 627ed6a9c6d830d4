#include "redirections.h"

std::vector<Redirection> fixtureRedirections() {
    std::vector<Redirection> all;
    for (auto group : {messageBoxRedirections, windowSetupRedirections, platformRedirections,
                       fileRedirections, clockRedirections, heapRedirections, gdiRedirections}) {
        std::vector<Redirection> redirections = group();
        all.insert(all.end(), redirections.begin(), redirections.end());
    }
    return all;
}

void resetRedirectionRecords() {
    g_messageBoxes = MessageBoxRecords{};
    g_windowSetup = WindowSetupRecords{};
    g_platform = PlatformRecords{};
    g_files = FileRecords{};
    g_clock = ClockRecords{};
    g_heap = HeapRecords{};
    g_gdi = GdiRecords{};
    g_systemColours = SystemColourRecords{};
}
