#include "redirections.h"

#include "import_redirect.h"

MessageBoxRecords g_messageBoxes;

namespace {

void* originalMessageBox = nullptr;

std::string textOrEmpty(const char* text) {
    return text != nullptr ? text : "";
}

int WINAPI recordMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT style) {
    g_messageBoxes.calls.push_back({owner, textOrEmpty(text), textOrEmpty(caption), style});
    return IDOK;
}

}  // namespace

std::vector<Redirection> messageBoxRedirections() {
    return {{"USER32.dll", "MessageBoxA", addressOf(&recordMessageBox), &originalMessageBox}};
}
