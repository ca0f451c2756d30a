#include "CDataExchange.h"

#include "CResourceException.h"

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND h = ::GetDlgItem(m_pDlgWnd->GetSafeHwnd(), nIDC);
    if (!h)
        AfxThrowResourceException();
    m_hWndLastControl = h;
    m_bEditLastControl = FALSE;
    return h;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND h = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return h;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && !m_bQuiet && m_hWndLastControl) {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    throw new CUserException;
}
