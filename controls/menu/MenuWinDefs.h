// The Win32 names the menu component's portable code is written in. On Windows they come
// from <windows.h>; in the native build the few that the plain code needs are defined here
// with the platform's values.
#pragma once
#include "WinTypes.h"

#ifndef _WIN32
typedef void* HMENU;
typedef void* HWND;


#define MF_BITMAP 0x00000004L
#define MF_CHECKED 0x00000008L
#define MF_POPUP 0x00000010L
#define MF_MENUBARBREAK 0x00000020L
#define MF_MENUBREAK 0x00000040L
#define MF_OWNERDRAW 0x00000100L
#define MF_USECHECKBITMAPS 0x00000200L
#define MF_BYPOSITION 0x00000400L
#define MF_SEPARATOR 0x00000800L

#define ODS_SELECTED 0x0001
#define ODS_GRAYED 0x0002
#define ODS_DISABLED 0x0004
#define ODS_CHECKED 0x0008
#define ODS_DEFAULT 0x0020
#define ODS_HOTLIGHT 0x0040
#define ODS_INACTIVE 0x0080

#define COLOR_ACTIVECAPTION 2
#define COLOR_MENU 4
#define COLOR_WINDOW 5
#define COLOR_MENUTEXT 7
#define COLOR_WINDOWTEXT 8
#define COLOR_CAPTIONTEXT 9
#define COLOR_HIGHLIGHT 13
#define COLOR_HIGHLIGHTTEXT 14
#define COLOR_BTNFACE 15
#define COLOR_BTNSHADOW 16
#define COLOR_GRAYTEXT 17
#define COLOR_BTNTEXT 18
#define COLOR_BTNHIGHLIGHT 20
#define COLOR_MENUBAR 30

#define RGB(r, g, b) ((COLORREF)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))
#define GetRValue(c) ((BYTE)(c))
#define GetGValue(c) ((BYTE)(((WORD)(c)) >> 8))
#define GetBValue(c) ((BYTE)((c) >> 16))
#endif
