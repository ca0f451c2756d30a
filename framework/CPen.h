// A GDI pen.
#pragma once
#include "CGdiObject.h"

class FW_API CPen : public CGdiObject {
public:
    CPen() = default;
    operator HPEN() const { return (HPEN)GetSafeHandle(); }
    static CPen* FromHandle(HPEN h);

    CPen(int nPenStyle, int nWidth, COLORREF crColor) { CreatePen(nPenStyle, nWidth, crColor); }
    BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor) { return Attach(::CreatePen(nPenStyle, nWidth, crColor)); }
    BOOL CreatePenIndirect(LPLOGPEN lpLogPen) { return Attach(::CreatePenIndirect(lpLogPen)); }
    int GetLogPen(LOGPEN* pLogPen) const { return GetObject(sizeof(LOGPEN), pLogPen); }
};
