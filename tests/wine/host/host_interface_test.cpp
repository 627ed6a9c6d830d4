// The binary interface the plug-in and the host share, pinned from literals: both
// are built from one header, so a slip in it would otherwise pass every other test.
// The message numbers, the style item's layout, and every host function as a
// cdecl function whose bool arguments and results are one byte wide.
#include <cstddef>
#include <type_traits>

#include <gtest/gtest.h>

#include "host/norvane_api.h"

TEST(HostInterface, MessageNumbers) {
    EXPECT_EQ(HM_REGISTER_MESSAGES, 10001u);
    EXPECT_EQ(HM_UNREGISTER_MESSAGES, 10002u);
    EXPECT_EQ(HM_RECONFIGURE, 10103u);
    EXPECT_EQ(HM_SET_LABEL, 10304u);
    EXPECT_EQ(HM_BROADCAST, 10901u);
    EXPECT_EQ(HM_SLIT_ADD, 11001u);
    EXPECT_EQ(HM_SLIT_REMOVE, 11002u);
    EXPECT_EQ(HM_SLIT_UPDATE, 11003u);
}

TEST(HostInterface, StyleItemLayout) {
    EXPECT_EQ(offsetof(StyleItem, bevelStyle), 0u);
    EXPECT_EQ(offsetof(StyleItem, bevelPosition), 4u);
    EXPECT_EQ(offsetof(StyleItem, gradientType), 8u);
    EXPECT_EQ(offsetof(StyleItem, interlaced), 13u);
    EXPECT_EQ(sizeof(StyleItem), 300u);
}

// In the 32-bit build a function's calling convention is part of its type, so a
// function declared __stdcall, or with an int where a bool belongs, fails here. The
// 64-bit build has one convention; there the types pin the arguments alone.
#define EXPECT_HOST_FUNCTION(name, type) \
    EXPECT_TRUE((std::is_same<decltype(&name), type>::value)) << #name " is not " #type

TEST(HostInterface, FunctionsAreCdeclWithOneByteBools) {
    EXPECT_EQ(sizeof(bool), 1u);
    EXPECT_HOST_FUNCTION(GetNorvWnd, HWND(__cdecl*)(void));
    EXPECT_HOST_FUNCTION(GetNorvanePath, char*(__cdecl*)(char*, int));
    EXPECT_HOST_FUNCTION(FileExists, bool(__cdecl*)(const char*));
    EXPECT_HOST_FUNCTION(ReadInt, int(__cdecl*)(const char*, const char*, int));
    EXPECT_HOST_FUNCTION(ReadBool, bool(__cdecl*)(const char*, const char*, bool));
    EXPECT_HOST_FUNCTION(ReadString,
                         const char*(__cdecl*)(const char*, const char*, const char*));
    EXPECT_HOST_FUNCTION(ReadColor, COLORREF(__cdecl*)(const char*, const char*, const char*));
    EXPECT_HOST_FUNCTION(WriteBool, bool(__cdecl*)(const char*, const char*, bool));
    EXPECT_HOST_FUNCTION(stylePath, const char*(__cdecl*)(const char*));
    EXPECT_HOST_FUNCTION(ParseItem, void(__cdecl*)(const char*, StyleItem*));
    EXPECT_HOST_FUNCTION(MakeGradient,
                         void(__cdecl*)(HDC, RECT, int, COLORREF, COLORREF, bool, int, int, int,
                                        COLORREF, int));
    EXPECT_HOST_FUNCTION(SnapWindowToEdge, void(__cdecl*)(WINDOWPOS*, int, bool));
    EXPECT_HOST_FUNCTION(MakeSticky, void(__cdecl*)(HWND));
    EXPECT_HOST_FUNCTION(Log, void(__cdecl*)(const char*, const char*));
    EXPECT_HOST_FUNCTION(MakeMenu, Menu*(__cdecl*)(const char*));
    EXPECT_HOST_FUNCTION(MakeMenuItem, void(__cdecl*)(Menu*, const char*, const char*, bool));
    EXPECT_HOST_FUNCTION(MakeSubmenu, void(__cdecl*)(Menu*, Menu*, const char*));
    EXPECT_HOST_FUNCTION(ShowMenu, void(__cdecl*)(Menu*));
    EXPECT_HOST_FUNCTION(DelMenu, void(__cdecl*)(Menu*));
    EXPECT_HOST_FUNCTION(NorvTokenize, int(__cdecl*)(const char*, char**, unsigned, char*));
    EXPECT_HOST_FUNCTION(IsInString, bool(__cdecl*)(const char*, const char*));
    EXPECT_HOST_FUNCTION(NorvExecute, BOOL(__cdecl*)(HWND, const char*, const char*, const char*,
                                                     const char*, int, bool));
}
