// The binary interface between the Norvane shell (norvane.exe) and its plug-ins:
// the functions the host exports, the window messages both sides exchange, and the
// part of the host's style record that plug-ins read.
//
// Every function is extern "C" and __cdecl: the caller pops the arguments.
#pragma once

#include <windows.h>

#ifdef NORVANE_HOST_BUILD
#define NORVANE_API extern "C" __declspec(dllexport)
#else
#define NORVANE_API extern "C" __declspec(dllimport)
#endif

// Host to plug-in and plug-in to host window messages, all sent with SendMessageA.
enum : UINT {
    HM_REGISTER_MESSAGES = 10001,   // wParam: window, lParam: UINT list ending in 0
    HM_UNREGISTER_MESSAGES = 10002, // same parameters
    HM_RECONFIGURE = 10103,         // the style has changed
    HM_SET_LABEL = 10304,           // lParam: NUL-terminated label text
    HM_BROADCAST = 10901,           // lParam: NUL-terminated command text
    HM_SLIT_ADD = 11001,            // lParam: the window to take in
    HM_SLIT_REMOVE = 11002,         // lParam: the window to give back
    HM_SLIT_UPDATE = 11003,         // a window in the slit changed its size
};

// Opaque host menu.
struct Menu;

// The host's parsed style item. Its layout belongs to the host; plug-ins read the
// first fourteen bytes and hand them back to MakeGradient unchanged.
struct StyleItem {
    int bevelStyle;       // 0 flat, 1 raised, 2 sunken
    int bevelPosition;    // 1 or 2: how far inside the edge the bevel lies
    int gradientType;     // one of the StyleGradient values
    unsigned char solid;  // no gradient: colourFrom only
    unsigned char interlaced;
    unsigned char reserved[300 - 14];
};
static_assert(sizeof(StyleItem) == 300, "StyleItem is 300 bytes");

enum StyleGradient : int {
    GRADIENT_HORIZONTAL = 0,
    GRADIENT_VERTICAL,
    GRADIENT_DIAGONAL,
    GRADIENT_CROSSDIAGONAL,
    GRADIENT_PIPECROSS,
    GRADIENT_ELLIPTIC,
    GRADIENT_RECTANGLE,
    GRADIENT_PYRAMID,
    GRADIENT_SOLID,
};

NORVANE_API HWND GetNorvWnd(void);
NORVANE_API char* GetNorvanePath(char* buffer, int size);
NORVANE_API bool FileExists(const char* path);
NORVANE_API int ReadInt(const char* file, const char* key, int defaultValue);
NORVANE_API bool ReadBool(const char* file, const char* key, bool defaultValue);
#ifndef NORVANE_HOST_BUILD
// ReadBool as a plug-in calls it: the one byte the host answers, whatever its value.
// The import library binds this name to the host's ReadBool (norvane.def).
NORVANE_API unsigned char ReadBoolByte(const char* file, const char* key, bool defaultValue);
#endif
NORVANE_API const char* ReadString(const char* file, const char* key, const char* defaultValue);
NORVANE_API COLORREF ReadColor(const char* file, const char* key, const char* defaultText);
NORVANE_API bool WriteBool(const char* file, const char* key, bool value);
NORVANE_API const char* stylePath(const char* other);
NORVANE_API void ParseItem(const char* description, StyleItem* item);
NORVANE_API void MakeGradient(HDC dc, RECT rect, int gradientType, COLORREF colourFrom,
                              COLORREF colourTo, bool interlaced, int bevelStyle,
                              int bevelPosition, int bevelWidth, COLORREF borderColour,
                              int borderWidth);
NORVANE_API void SnapWindowToEdge(WINDOWPOS* position, int snapDistance, bool useScreenSize);
NORVANE_API void MakeSticky(HWND window);
NORVANE_API void Log(const char* text, const char* detail);
NORVANE_API Menu* MakeMenu(const char* title);
NORVANE_API void MakeMenuItem(Menu* menu, const char* caption, const char* command, bool checked);
NORVANE_API void MakeSubmenu(Menu* parent, Menu* child, const char* title);
NORVANE_API void ShowMenu(Menu* menu);
NORVANE_API void DelMenu(Menu* menu);
NORVANE_API int NorvTokenize(const char* text, char** tokens, unsigned count, char* rest);
NORVANE_API bool IsInString(const char* text, const char* part);
NORVANE_API BOOL NorvExecute(HWND owner, const char* operation, const char* file,
                             const char* arguments, const char* directory, int showCommand,
                             bool noErrors);
