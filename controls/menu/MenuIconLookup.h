// Finding a shared icon list for a menu item, or making one: every menu that shows the same
// toolbar button or bitmap uses one copy of its images. A new list joins the process-wide
// registry only when it loaded; lists are returned without a reference taken.
#pragma once
#include "CNewMenuBitmaps.h"

// The list of a toolbar resource.
CNewMenuIcons* MenuFindToolBarIcons(LPCSTR name, HMODULE module, COLORREF mask);
// The list of an in-memory toolbar table {bitmap id, width, height, command ids..., 0}.
CNewMenuIcons* MenuFindToolBarDataIcons(const WORD* table, COLORREF mask);
// A bitmap resource in the first bitmap list that takes it (in icon mode the id is an icon
// handle); index receives the normal image.
CNewMenuBitmaps* MenuFindBitmapResourceIcon(UINT id, COLORREF mask, bool iconMode, int* index);
// An image of an image list, for the command.
CNewMenuBitmaps* MenuFindImageListIcon(HIMAGELIST images, int image, UINT command, int* index);
// A bitmap object.
CNewMenuBitmaps* MenuFindBitmapIcon(HBITMAP bitmap, COLORREF mask, int* index);
