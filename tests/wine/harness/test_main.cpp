// The test program of the shipped plug-in. It is named norvane.exe and carries the
// stand-in host, so the DLL's host imports bind to it; each test starts that host
// in recording mode (see plugin_fixture.cpp).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

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

// Another program holding a file: opened for writing, shared for reading only, and
// locked whole, until the test that started it sets the release event.
//   norvane.exe --hold-file PATH READY_EVENT RELEASE_EVENT
int holdFile(const char* path, const char* readyName, const char* releaseName) {
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, readyName);
    HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, releaseName);
    HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (ready == nullptr || release == nullptr || file == INVALID_HANDLE_VALUE)
        return 1;
    const DWORD size = GetFileSize(file, nullptr);
    if (!LockFile(file, 0, 0, size, 0))
        return 1;
    SetEvent(ready);
    WaitForSingleObject(release, 60000);
    UnlockFile(file, 0, 0, size, 0);
    CloseHandle(file);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::strcmp(argv[1], "--hold-file") == 0)
        return holdFile(argv[2], argv[3], argv[4]);
    // A fault must end the process and fail its test, never wait on a dialog.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    leaveWindowsUnmanagedUnderWine();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
