#include "CFont.h"

namespace {
using CFontMap = CHandleMap<CFont, HGDIOBJ, &CGdiObject::m_hObject>;
CFontMap& Map() { return TheHandleMap<CFontMap>(); }
} // namespace

CFont* CFont::FromHandle(HFONT h)
{
    return Map().FromHandle(h);
}

#include "CDC.h"

#include <cstring>

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC)
{
    HDC hdc = pDC ? pDC->m_hDC : ::GetDC(nullptr);
    LOGFONTA lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, lpszFaceName, LF_FACESIZE);
    lf.lfHeight = -MulDiv(nPointSize, ::GetDeviceCaps(hdc, LOGPIXELSY), 720);
    if (!pDC)
        ::ReleaseDC(nullptr, hdc);
    return CreateFontIndirect(&lf);
}
