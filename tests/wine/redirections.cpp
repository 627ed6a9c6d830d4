#include "redirections.h"

#include "import_redirect.h"

namespace {

std::vector<Redirection> allRedirections() {
    std::vector<Redirection> all;
    for (auto group : {messageBoxRedirections, windowSetupRedirections, platformRedirections,
                       fileRedirections, clockRedirections, heapRedirections, gdiRedirections}) {
        std::vector<Redirection> redirections = group();
        all.insert(all.end(), redirections.begin(), redirections.end());
    }
    return all;
}

}  // namespace

std::vector<std::string> installRedirections(HMODULE module) {
    std::vector<std::string> missing;
    for (const Redirection& redirection : allRedirections()) {
        void* original = redirectImport(module, redirection.dll, redirection.function,
                                        redirection.replacement);
        if (original == nullptr) {
            missing.push_back(redirection.function);
            continue;
        }
        *redirection.original = original;
    }
    return missing;
}

void resetRedirectionRecords() {
    g_messageBoxes = MessageBoxRecords{};
    g_windowSetup = WindowSetupRecords{};
    g_platform = PlatformRecords{};
    g_files = FileRecords{};
    g_clock = ClockRecords{};
    g_heap = HeapRecords{};
    g_gdi = GdiRecords{};
}
