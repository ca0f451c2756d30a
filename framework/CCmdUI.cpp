#include "CCmdUI.h"

#include "CMenu.h"
#include "CWnd.h"

void CCmdUI::Enable(BOOL bOn)
{
    if (m_pMenu) {
        if (!m_pSubMenu)
            m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    } else if (m_pOther) {
        m_pOther->EnableWindow(bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_pMenu) {
        if (!m_pSubMenu)
            m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
    } else if (m_pOther) {
        m_pOther->SendMessage(BM_SETCHECK, nCheck);
    }
}

void CCmdUI::SetRadio(BOOL bOn)
{
    if (m_pMenu && !m_pSubMenu) {
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_FTYPE | MIIM_STATE;
        ::GetMenuItemInfoA(m_pMenu->m_hMenu, m_nIndex, TRUE, &mii);
        mii.fType = bOn ? (mii.fType | MFT_RADIOCHECK) : (mii.fType & ~MFT_RADIOCHECK);
        mii.fState = bOn ? (mii.fState | MFS_CHECKED) : (mii.fState & ~MFS_CHECKED);
        ::SetMenuItemInfoA(m_pMenu->m_hMenu, m_nIndex, TRUE, &mii);
    } else {
        SetCheck(bOn ? 1 : 0);
    }
}

void CCmdUI::SetText(LPCTSTR lpszText)
{
    if (m_pMenu) {
        if (!m_pSubMenu) {
            const UINT state = m_pMenu->GetMenuState(m_nIndex, MF_BYPOSITION) & ~(MF_POPUP | MF_OWNERDRAW | MF_BITMAP | MF_SEPARATOR);
            m_pMenu->ModifyMenu(m_nIndex, MF_BYPOSITION | MF_STRING | state, m_nID, lpszText);
        }
    } else if (m_pOther) {
        m_pOther->SetWindowText(lpszText);
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler)
{
    m_bEnableChanged = FALSE;
    const BOOL handled = pTarget->OnCmdMsg(m_nID, static_cast<int>(CN_UPDATE_COMMAND_UI), this);
    if (!handled && bDisableIfNoHandler && !m_bEnableChanged) {
        // Enabled only when the target handles the command itself.
        Enable(pTarget->FindMessageEntry(WM_COMMAND, CN_COMMAND, m_nID) != nullptr);
    }
    return handled;
}
