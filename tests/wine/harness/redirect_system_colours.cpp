#include "redirections.h"

#include "import_redirect.h"

SystemColourRecords g_systemColours;

namespace {

void* originalSystemParametersInfo = nullptr;
void* originalGetSysColor = nullptr;

BOOL WINAPI systemParametersInfo(UINT action, UINT size, PVOID value, UINT flags) {
    if (action != SPI_GETHIGHCONTRAST || value == nullptr)
        return functionFrom<BOOL(WINAPI*)(UINT, UINT, PVOID, UINT)>(originalSystemParametersInfo)(
            action, size, value, flags);
    ++g_systemColours.contrastQueries;
    auto* contrast = static_cast<HIGHCONTRASTA*>(value);
    if (contrast->cbSize != sizeof(HIGHCONTRASTA)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    contrast->dwFlags = HCF_AVAILABLE | (g_systemColours.highContrast ? HCF_HIGHCONTRASTON : 0);
    contrast->lpszDefaultScheme = nullptr;
    return TRUE;
}

DWORD WINAPI getSysColor(int index) {
    const auto chosen = g_systemColours.colours.find(index);
    if (chosen != g_systemColours.colours.end())
        return chosen->second;
    return functionFrom<DWORD(WINAPI*)(int)>(originalGetSysColor)(index);
}

}  // namespace

std::vector<Redirection> systemColourRedirections() {
    return {
        {"USER32.dll", "SystemParametersInfoA", addressOf(&systemParametersInfo),
         &originalSystemParametersInfo},
        {"USER32.dll", "GetSysColor", addressOf(&getSysColor), &originalGetSysColor},
    };
}
