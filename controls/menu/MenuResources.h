// Reading the resources the menus take their icons from: bitmaps (with their colour count)
// and toolbars (resource type 241), straight from the module that holds them.
#pragma once
#include "ToolBarResource.h"

#include <windows.h>

// The module that holds the resource: the one given when it has it, else the module this
// component was linked into, else the program; null when none has it.
HMODULE MenuFindResourceModule(LPCSTR name, LPCSTR type, HMODULE preferred = nullptr);

// Loads the bitmap resource and reports its colour count (used colours, else 2, 16 or 256
// for 1, 4 or 8 bits per pixel, else 0); null when the resource is missing.
HBITMAP LoadBitmapWithColours(LPCSTR name, HMODULE module, int* colours);
// Loads a 16-colour bitmap with the system colours mapped; null for any other bitmap.
HBITMAP LoadSysColourBitmap(LPCSTR name, HMODULE module);

// Reads the toolbar resource; false when no module holds it or it is malformed. found
// receives the module that held it.
bool MenuReadToolBar(LPCSTR name, HMODULE module, ToolBarResource* toolbar, HMODULE* found);
