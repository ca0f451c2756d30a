#include "CMemoryDC.h"

CMemoryDC::CMemoryDC(CDC* target) : m_target(target), m_offScreen(::GetDeviceCaps(target->GetSafeHdc(), TECHNOLOGY) != DT_RASPRINTER)
{
    if (!m_offScreen) {
        Attach(target->GetSafeHdc());
        return;
    }
    HDC targetDC = target->GetSafeHdc();
    Attach(::CreateCompatibleDC(targetDC));
    ::GetClipBox(targetDC, &m_rect);
    m_bitmap = ::CreateCompatibleBitmap(targetDC, m_rect.right - m_rect.left, m_rect.bottom - m_rect.top);
    m_oldBitmap = ::SelectObject(GetSafeHdc(), m_bitmap);
    ::SetWindowOrgEx(GetSafeHdc(), m_rect.left, m_rect.top, nullptr);
}

CMemoryDC::~CMemoryDC()
{
    if (!m_offScreen) {
        Detach();
        return;
    }
    ::BitBlt(m_target->GetSafeHdc(), m_rect.left, m_rect.top, m_rect.right - m_rect.left, m_rect.bottom - m_rect.top,
             GetSafeHdc(), m_rect.left, m_rect.top, SRCCOPY);
    ::SelectObject(GetSafeHdc(), m_oldBitmap);
    ::DeleteObject(m_bitmap);
    ::DeleteDC(Detach());
}
