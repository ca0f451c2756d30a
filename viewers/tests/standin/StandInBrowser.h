// The stand-in browser of the web viewer's tests: what a test needs to know of it.
#pragma once
#include <windows.h>

// Class id under which the tests register the stand-in (in place of the system browser's).
// {6E0B6F7A-3C1D-4E2B-9A51-7D2C4B8E1F30}
static const CLSID CLSID_VelmoraStandInBrowser = { 0x6e0b6f7a, 0x3c1d, 0x4e2b,
                                                   { 0x9a, 0x51, 0x7d, 0x2c, 0x4b, 0x8e, 0x1f, 0x30 } };
#define STANDIN_CLSID_TEXT "{6E0B6F7A-3C1D-4E2B-9A51-7D2C4B8E1F30}"
// Its frame window's class and the colour its page area is painted in.
#define STANDIN_WINDOW_CLASS "VelmoraStandInBrowser"
#define STANDIN_PAGE_COLOUR RGB(255, 0, 255)
// Registered message: wParam a global atom naming a URL the user clicks a link to.
#define STANDIN_FOLLOW_MESSAGE "VelmoraStandInFollowLink"
