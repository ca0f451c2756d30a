#include "CNewMenuBitmaps.h"

#include "MenuResources.h"

namespace {

const UINT ListFlags = 0xFF;

bool BitmapSize(HBITMAP bitmap, int* w, int* h)
{
    BITMAP bm;
    if (!bitmap || !GetObject(bitmap, sizeof bm, &bm))
        return false;
    *w = bm.bmWidth;
    *h = bm.bmHeight;
    return true;
}

}

bool MenuIconSize(HICON icon, int* width, int* height)
{
    ICONINFO info;
    if (!icon || !GetIconInfo(icon, &info))
        return false;
    bool ok;
    if (info.hbmColor) {
        ok = BitmapSize(info.hbmColor, width, height);
    } else {
        // A monochrome icon: the mask holds both halves.
        ok = BitmapSize(info.hbmMask, width, height);
        *height /= 2;
    }
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    if (info.hbmMask)
        DeleteObject(info.hbmMask);
    return ok;
}

bool CNewMenuBitmaps::FitsSize(int width, int height)
{
    int w = 0, h = 0;
    if (m_images && ImageList_GetImageCount(m_images) > 0) {
        IconSize(&w, &h);
        return w == width && h == height;
    }
    if (!m_images || !IconSize(&w, &h) || w != width || h != height) {
        if (m_images)
            ImageList_Destroy(m_images);
        m_images = ImageList_Create(width, height, ListFlags, 0, 10);
    }
    return m_images != nullptr;
}

void CNewMenuBitmaps::AddForms(int index)
{
    HICON icon = ImageList_GetIcon(m_images, index, ILD_NORMAL);
    AddDarkened(icon, -1);
    AddGreyed(icon, -1);
    if (icon)
        DestroyIcon(icon);
}

int CNewMenuBitmaps::AddBitmapResource(UINT id, COLORREF mask)
{
    int found = FindBitmapImage(id);
    if (found >= 0)
        return found;
    HBITMAP bitmap = LoadBitmapWithColours(MAKEINTRESOURCEA(id), nullptr, &m_colours);
    int w = 0, h = 0;
    if (!bitmap)
        return -1;
    int index = -1;
    if (BitmapSize(bitmap, &w, &h) && FitsSize(w, h)) {
        index = ImageList_AddMasked(m_images, bitmap, mask);
        if (index >= 0) {
            m_masks.push_back(mask);
            AppendKey(BitmapKey, id);
            AddForms(index);
        }
    }
    DeleteObject(bitmap);
    return index;
}

int CNewMenuBitmaps::AddIcon(HICON icon, UINT command)
{
    int w = 0, h = 0;
    if (!MenuIconSize(icon, &w, &h) || !FitsSize(w, h))
        return -1;
    if (command != 0) {
        int n = FindCommandImage(command);
        if (n >= 0) {
            if (ImageList_ReplaceIcon(m_images, n, icon) < 0)
                return -1;
            AddDarkened(icon, n + 1);
            AddGreyed(icon, n + 2);
            return n;
        }
    }
    int index = ImageList_AddIcon(m_images, icon);
    if (index < 0)
        return -1;
    m_masks.push_back(static_cast<COLORREF>(-1));
    AppendKey(CommandKey, command);
    AddDarkened(icon, -1);
    AddGreyed(icon, -1);
    return index;
}

int CNewMenuBitmaps::AddBitmap(HBITMAP bitmap, COLORREF mask)
{
    int w = 0, h = 0;
    if (!BitmapSize(bitmap, &w, &h) || !FitsSize(w, h))
        return -1;
    int index = ImageList_AddMasked(m_images, bitmap, mask);
    if (index < 0)
        return -1;
    m_masks.push_back(mask);
    AppendKey(CommandKey, 0);
    AddForms(index);
    return index;
}

void CNewMenuBitmaps::Reload()
{
    int count = ImageCount();
    for (int n = 0; n + 2 < count; n += 3) {
        HICON icon = ImageList_GetIcon(m_images, n, ILD_NORMAL);
        if (!icon)
            continue;
        AddDarkened(icon, n + 1);
        AddGreyed(icon, n + 2);
        DestroyIcon(icon);
    }
}
