#include "CBitmap.h"

namespace {
using CBitmapMap = CHandleMap<CBitmap, HGDIOBJ, &CGdiObject::m_hObject>;
CBitmapMap& Map() { return TheHandleMap<CBitmapMap>(); }
} // namespace

CBitmap* CBitmap::FromHandle(HBITMAP h)
{
    return Map().FromHandle(h);
}

#include "AfxModule.h"
#include "CDC.h"

BOOL CBitmap::LoadBitmap(UINT nIDResource)
{
    return LoadBitmap(MAKEINTRESOURCEA(nIDResource));
}

BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName)
{
    HINSTANCE module = AfxFindResourceHandle(lpszResourceName, RT_BITMAP);
    return Attach(::LoadBitmapA(module, lpszResourceName));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    return Attach(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}
