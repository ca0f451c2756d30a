#include "CBrush.h"

namespace {
using CBrushMap = CHandleMap<CBrush, HGDIOBJ, &CGdiObject::m_hObject>;
CBrushMap& Map() { return TheHandleMap<CBrushMap>(); }
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
