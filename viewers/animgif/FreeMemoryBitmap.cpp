#include "FreeMemoryBitmap.h"

void FreeMemoryBitmap(HDC& dc, HBITMAP& bitmap, HGDIOBJ& oldBitmap)
{
    if (dc && oldBitmap)
        ::SelectObject(dc, oldBitmap);
    if (bitmap)
        ::DeleteObject(bitmap);
    if (dc)
        ::DeleteDC(dc);
    dc = nullptr;
    bitmap = nullptr;
    oldBitmap = nullptr;
}
