// The test program of the shipped plug-in. It is named norvane.exe and carries the
// stand-in host, so the DLL's host imports bind to it; each test starts that host
// in recording mode (see plugin_fixture.cpp).
#include <windows.h>

#include <gtest/gtest.h>

namespace {

// Under Wine without a window manager, hiding or destroying a window that the X11
// driver manages waits two seconds for a state change that never comes, and every
// window the plug-in shows is activated and so managed. Windows of this program are
// left unmanaged; the driver reads the setting when the first window is made.
void leaveWindowsUnmanagedUnderWine() {
    if (GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") == nullptr)
        return;
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\norvane.exe\\X11 Driver",
                        0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, "Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
    RegCloseKey(key);
}

}  // namespace

int main(int argc, char** argv) {
    // A fault must end the process and fail its test, never wait on a dialog.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    leaveWindowsUnmanagedUnderWine();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
