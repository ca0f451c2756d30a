// A memory device context with a bitmap selected into it, as the picture windows keep
// them: the first bitmap is selected back, the bitmap and the device context deleted, and
// all three handles cleared. Any of them may already be null.
#pragma once
#include <windows.h>

void FreeMemoryBitmap(HDC& dc, HBITMAP& bitmap, HGDIOBJ& oldBitmap);
