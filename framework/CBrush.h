// A GDI brush.
#pragma once
#include "CGdiObject.h"

class FW_API CBrush : public CGdiObject {
public:
    CBrush() = default;
    operator HBRUSH() const { return (HBRUSH)GetSafeHandle(); }
    static CBrush* FromHandle(HBRUSH h);

    explicit CBrush(COLORREF crColor) { CreateSolidBrush(crColor); }
    BOOL CreateSolidBrush(COLORREF crColor) { return Attach(::CreateSolidBrush(crColor)); }
    BOOL CreateHatchBrush(int nIndex, COLORREF crColor) { return Attach(::CreateHatchBrush(nIndex, crColor)); }
    BOOL CreatePatternBrush(class CBitmap* pBitmap);
    BOOL CreateBrushIndirect(const LOGBRUSH* lpLogBrush) { return Attach(::CreateBrushIndirect(lpLogBrush)); }
    // A system colour brush belongs to the system: it is never deleted (DeleteObject ignores it).
    BOOL CreateSysColorBrush(int nIndex) { return Attach(::GetSysColorBrush(nIndex)); }
    int GetLogBrush(LOGBRUSH* pLogBrush) const { return GetObject(sizeof(LOGBRUSH), pLogBrush); }
};
