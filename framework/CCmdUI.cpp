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

void CCmdUI::UpdateMenu(CMenu* pPopupMenu, CCmdTarget* pTarget, BOOL bDisableIfNoHandler)
{
    CCmdUI ui;
    ui.m_pMenu = pPopupMenu;
    ui.m_nIndexMax = pPopupMenu->GetMenuItemCount();
    for (ui.m_nIndex = 0; ui.m_nIndex < ui.m_nIndexMax; ++ui.m_nIndex) {
        ui.m_nID = pPopupMenu->GetMenuItemID(ui.m_nIndex);
        if (ui.m_nID == 0)
            continue;  // separator
        ui.m_pSubMenu = nullptr;
        if (ui.m_nID == static_cast<UINT>(-1)) {
            CMenu* sub = pPopupMenu->GetSubMenu(ui.m_nIndex);
            if (!sub)
                continue;
            ui.m_nID = sub->GetMenuItemID(0);
            if (ui.m_nID == 0 || ui.m_nID == static_cast<UINT>(-1))
                continue;
            ui.m_pSubMenu = sub;
            ui.DoUpdate(pTarget, FALSE);
        } else {
            ui.DoUpdate(pTarget, bDisableIfNoHandler);
        }
        // A handler may have removed items: step past what is gone.
        const UINT count = pPopupMenu->GetMenuItemCount();
        if (count < ui.m_nIndexMax) {
            ui.m_nIndex -= ui.m_nIndexMax - count;
            while (ui.m_nIndex < count && pPopupMenu->GetMenuItemID(ui.m_nIndex) == ui.m_nID)
                ++ui.m_nIndex;
        }
        ui.m_nIndexMax = count;
    }
}
