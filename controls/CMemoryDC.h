// An off-screen device context for the length of one paint: drawing goes into a bitmap of
// the target's clip box, which the destructor copies to the target. On a printer it draws
// straight onto the target.
#pragma once
#include "CDC.h"

class CMemoryDC : public CDC {
public:
    explicit CMemoryDC(CDC* target);
    ~CMemoryDC() override;
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;

    bool IsOffScreen() const { return m_offScreen; }
    const RECT& Rect() const { return m_rect; }

private:
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
    CDC* m_target;
    RECT m_rect = {};
    bool m_offScreen;
};
