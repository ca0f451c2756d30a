// The help band the program's dialogs share: a strip in the highlight colour with an icon
// at its top-left corner and a title beside it in the caption-text colour.
#pragma once
#include "CString.h"

#include <windows.h>

void PaintHelpBand(HDC hdc, const RECT& band, HICON icon, const CString& title, HFONT font);
