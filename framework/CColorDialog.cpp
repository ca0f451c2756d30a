#include "CColorDialog.h"

#include "CWinApp.h"

#include <cstring>

COLORREF* CColorDialog::GetSavedCustomColors()
{
    static COLORREF custom[16] = {RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                  RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                  RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                  RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)};
    return custom;
}

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) : m_pParentWnd(pParentWnd)
{
    std::memset(&m_cc, 0, sizeof(m_cc));
    m_cc.lStructSize = sizeof(m_cc);
    m_cc.lpCustColors = GetSavedCustomColors();
    m_cc.Flags = dwFlags;
    m_cc.rgbResult = clrInit;
    if (clrInit != 0)
        m_cc.Flags |= CC_RGBINIT;
}

INT_PTR CColorDialog::DoModal()
{
    HWND owner = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : nullptr;
    if (!owner) {
        CWnd* main = AfxGetMainWnd();
        owner = main ? ::GetLastActivePopup(main->GetSafeHwnd()) : nullptr;
    }
    m_cc.hwndOwner = owner;
    const COLORREF before = m_cc.rgbResult;
    if (::ChooseColorA(&m_cc))
        return IDOK;
    m_cc.rgbResult = before;
    return IDCANCEL;
}
