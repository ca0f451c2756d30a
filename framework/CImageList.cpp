#include "CImageList.h"

#include "AfxModule.h"
#include "CBitmap.h"
#include "CDC.h"
#include "CDialog.h"

namespace {
using CImageListMap = CHandleMap<CImageList, HIMAGELIST, &CImageList::m_hImageList>;
CImageListMap& Map() { return TheHandleMap<CImageListMap>(); }
} // namespace

HIMAGELIST CImageList::GetSafeHandle() const
{
    return this ? m_hImageList : nullptr;
}

CImageList* CImageList::FromHandle(HIMAGELIST h)
{
    return Map().FromHandle(h);
}

BOOL CImageList::Attach(HIMAGELIST hImageList) { return Map().Attach(*this, hImageList, false); }

HIMAGELIST CImageList::Detach() { return Map().Detach(*this, false); }

BOOL CImageList::DeleteImageList()
{
    if (!m_hImageList)
        return FALSE;
    return ImageList_Destroy(Detach());
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    AfxInitCommonControls();
    return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    AfxInitCommonControls();
    LPCSTR name = MAKEINTRESOURCEA(nBitmapID);
    HINSTANCE module = AfxFindResourceHandle(name, RT_BITMAP);
    return Attach(ImageList_LoadImageA(module, name, cx, nGrow, crMask, IMAGE_BITMAP, LR_CREATEDIBSECTION));
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ImageList_Add(m_hImageList, static_cast<HBITMAP>(pbmImage->GetSafeHandle()),
                         static_cast<HBITMAP>(pbmMask->GetSafeHandle()));
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    return ImageList_AddMasked(m_hImageList, static_cast<HBITMAP>(pbmImage->GetSafeHandle()), crMask);
}

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ImageList_Replace(m_hImageList, nImage, static_cast<HBITMAP>(pbmImage->GetSafeHandle()),
                             static_cast<HBITMAP>(pbmMask->GetSafeHandle()));
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    return ImageList_Draw(m_hImageList, nImage, pDC->GetSafeHdc(), pt.x, pt.y, nStyle);
}
