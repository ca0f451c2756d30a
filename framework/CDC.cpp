#include "CDC.h"

#include "CWnd.h"

namespace {
using CDCMap = CHandleMap<CDC, HDC, &CDC::m_hDC>;
CDCMap& Map() { return TheHandleMap<CDCMap>(); }
} // namespace

CDC::~CDC()
{
    DeleteDC();
}

HDC CDC::GetSafeHdc() const
{
    return this ? m_hDC : nullptr;
}

CDC* CDC::FromHandle(HDC hDC)
{
    return Map().FromHandle(hDC);
}

void CDC::DeleteTempMap()
{
    Map().DeleteTemp();
}

BOOL CDC::Attach(HDC hDC) { return Map().Attach(*this, hDC, false); }

HDC CDC::Detach() { return Map().Detach(*this, false); }

BOOL CDC::DeleteDC()
{
    if (!m_hDC)
        return FALSE;
    return ::DeleteDC(Detach());
}

CWnd* CDC::GetWindow() const
{
    return CWnd::FromHandle(::WindowFromDC(m_hDC));
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    ::SetBkColor(m_hDC, clr);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    RECT r = { x, y, x + cx, y + cy };
    FillSolidRect(&r, clr);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, clrTopLeft,
               clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx - 1, y, 1, cy, clrBottomRight);
    FillSolidRect(x, y + cy - 1, cx, 1, clrBottomRight);
}
