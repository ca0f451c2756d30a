#include "CBrush.h"

namespace {
CHandleMap<CBrush, HGDIOBJ, &CGdiObject::m_hObject>& Map()
{
    static CHandleMap<CBrush, HGDIOBJ, &CGdiObject::m_hObject> map;
    return map;
}
} // namespace

CBrush* CBrush::FromHandle(HBRUSH h)
{
    return Map().FromHandle(h);
}

#include "CBitmap.h"

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap)
{
    return Attach(::CreatePatternBrush(static_cast<HBITMAP>(pBitmap->GetSafeHandle())));
}
