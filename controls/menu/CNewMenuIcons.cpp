#include "CNewMenuIcons.h"

#include "MenuLook.h"
#include "MenuResources.h"
#include "MenuSystem.h"

#include <vector>

namespace {

const UINT ListFlags = 0xFF;  // device-dependent colour with mask

COLORREF Darkened(COLORREF c, COLORREF) { return MenuDarkenedPixel(c); }
COLORREF Greyed(COLORREF c, COLORREF bar) { return MenuGreyedPixel(c, bar); }

// The header of a top-down 32-bit picture of w x h.
BITMAPINFO TopDown32(int w, int h)
{
    BITMAPINFO bi;
    ZeroMemory(&bi, sizeof bi);
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    return bi;
}

// The 32-bit pixels of a bitmap, top-down.
bool ReadPixels(HBITMAP bitmap, int w, int h, std::vector<DWORD>* pixels)
{
    BITMAPINFO bi = TopDown32(w, h);
    pixels->assign(static_cast<size_t>(w) * h, 0);
    HDC dc = GetDC(nullptr);
    int lines = GetDIBits(dc, bitmap, 0, h, pixels->data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    return lines == h;
}

bool WritePixels(HBITMAP bitmap, int w, int h, const std::vector<DWORD>& pixels)
{
    BITMAPINFO bi = TopDown32(w, h);
    HDC dc = GetDC(nullptr);
    int lines = SetDIBits(dc, bitmap, 0, h, pixels.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    return lines == h;
}

COLORREF FromDib(DWORD p) { return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF); }
DWORD ToDib(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

}

CNewMenuIcons::CNewMenuIcons() = default;

CNewMenuIcons::~CNewMenuIcons()
{
    if (m_images)
        ImageList_Destroy(m_images);
}

bool CNewMenuIcons::IconSize(int* width, int* height) const
{
    return m_images && ImageList_GetIconSize(m_images, width, height);
}

void CNewMenuIcons::Reload()
{
    int w = 0, h = 0;
    if (m_name.IsEmpty() || !IconSize(&w, &h))
        return;
    MenuResourceName name = m_name;
    if (LoadBitmapList(w, h, name.Get(), m_module))
        BuildVariants();
}

BOOL CNewMenuIcons::LoadToolBarData(const WORD* table, COLORREF mask)
{
    if (!table)
        return FALSE;
    m_mask = mask;
    if (!LoadBitmapList(table[1], table[2], MAKEINTRESOURCEA(table[0]), nullptr))
        return FALSE;
    m_name.SetId(table[0]);
    ClearKeys();
    for (const WORD* id = table + 3; *id; ++id)
        AppendKey(CommandKey, *id);
    BuildVariants();
    return KeyCount() > 0;
}

BOOL CNewMenuIcons::LoadToolBar(LPCSTR name, HMODULE module)
{
    m_name.Set(name);
    m_module = module;
    ToolBarResource toolbar;
    HMODULE found = nullptr;
    if (!MenuReadToolBar(name, module, &toolbar, &found))
        return FALSE;
    if (!LoadBitmapList(toolbar.Width(), toolbar.Height(), name, found))
        return FALSE;
    SetCommands(toolbar.Commands());
    BuildVariants();
    return KeyCount() > 0;
}

BOOL CNewMenuIcons::MatchesToolBarData(const WORD* table, COLORREF mask) const
{
    if (!table || mask != m_mask || !m_name.IsId() || m_name.Id() != table[0])
        return FALSE;
    int n = 0;
    for (const WORD* id = table + 3; *id; ++id, ++n)
        if (n >= KeyCount() || KeyAt(n).kind != CommandKey || KeyAt(n).id != *id)
            return FALSE;
    return n == KeyCount();
}

BOOL CNewMenuIcons::MatchesResource(LPCSTR name, HMODULE module) const
{
    return module == m_module && m_name.Matches(name);
}

BOOL CNewMenuIcons::LoadBitmapList(int width, int height, LPCSTR name, HMODULE module)
{
    HBITMAP bitmap = LoadBitmapWithColours(name, module, &m_colours);
    if (!bitmap)
        return FALSE;
    if (m_images)
        ImageList_Destroy(m_images);
    m_images = ImageList_Create(width, height, ListFlags, 0, 10);
    BOOL ok = m_images && ImageList_AddMasked(m_images, bitmap, m_mask) >= 0;
    DeleteObject(bitmap);
    return ok;
}

int CNewMenuIcons::AddMapped(HICON icon, int index, COLORREF (*map)(COLORREF, COLORREF),
                             COLORREF extra)
{
    ICONINFO info;
    if (!icon || !m_images || !GetIconInfo(icon, &info))
        return -1;
    int result = -1;
    BITMAP bm;
    if (info.hbmColor && GetObject(info.hbmColor, sizeof bm, &bm)) {
        int w = bm.bmWidth, h = bm.bmHeight;
        std::vector<DWORD> colour, mask;
        if (ReadPixels(info.hbmColor, w, h, &colour) && ReadPixels(info.hbmMask, w, h, &mask)) {
            // Transparent pixels (mask set) stay black, so they stay transparent.
            for (size_t i = 0; i < colour.size(); ++i)
                colour[i] = (mask[i] & 0xFFFFFF) ? 0 : ToDib(map(FromDib(colour[i]), extra));
            if (WritePixels(info.hbmColor, w, h, colour)) {
                HICON mapped = CreateIconIndirect(&info);
                if (mapped) {
                    result = ImageList_ReplaceIcon(m_images, index, mapped);
                    DestroyIcon(mapped);
                }
            }
        }
    }
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    if (info.hbmMask)
        DeleteObject(info.hbmMask);
    return result;
}

int CNewMenuIcons::AddDarkened(HICON icon, int index) { return AddMapped(icon, index, Darkened, 0); }

int CNewMenuIcons::AddGreyed(HICON icon, int index)
{
    return AddMapped(icon, index, Greyed, GetMenuBarColour());
}

void CNewMenuIcons::BuildVariants()
{
    int count = ImageCount();
    if (count == 0)
        return;
    int w = 0, h = 0;
    IconSize(&w, &h);
    HIMAGELIST old = m_images;
    m_images = ImageList_Create(w, h, ListFlags, 0, 10);
    for (int i = 0; i < count; ++i) {
        HICON icon = ImageList_GetIcon(old, i, ILD_NORMAL);
        ImageList_AddIcon(m_images, icon);
        AddDarkened(icon, -1);
        AddGreyed(icon, -1);
        DestroyIcon(icon);
    }
    ImageList_Destroy(old);
}
