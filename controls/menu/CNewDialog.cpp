#include "CNewDialog.h"

#include "CCmdUI.h"
#include "MenuSystem.h"

IMPLEMENT_DYNAMIC(CNewDialog, CDialog)

CNewDialog::CNewDialog() = default;

CNewDialog::CNewDialog(UINT templateId, CWnd* parent) : CNewFrame<CDialog>(templateId, parent) {}

CNewDialog::CNewDialog(LPCTSTR templateName, CWnd* parent) : CNewFrame<CDialog>(templateName, parent) {}

BEGIN_MESSAGE_MAP(CNewDialog, CNewFrame<CDialog>)
    ON_WM_INITMENUPOPUP()
END_MESSAGE_MAP()

BOOL CNewDialog::OnInitDialog()
{
    BOOL result = CDialog::OnInitDialog();
    HMENU system = ::GetSystemMenu(m_hWnd, FALSE);
    HMENU old = m_systemMenu.GetSafeHmenu();
    if (old) {
        m_systemMenu.DetachTree();
        if (old != system && !::DestroyMenu(old))
            ReportLastError();
    }
    if (system && m_systemMenu.LoadMenu(system))
        m_systemMenu.SetPopup(TRUE);
    if (HMENU bar = ::GetMenu(m_hWnd))
        m_defaultMenu.LoadMenu(bar);
    return result;
}

void CNewDialog::OnInitMenuPopup(CMenu* popup, UINT index, BOOL systemMenu)
{
    // As a frame window does: the command-state handlers of the dialog run over the popup.
    if (!systemMenu && popup) {
        CCmdUI state;
        state.m_pMenu = popup;
        state.m_nIndexMax = popup->GetMenuItemCount();
        for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
            state.m_nID = popup->GetMenuItemID(state.m_nIndex);
            if (state.m_nID == 0)
                continue;
            if (state.m_nID == static_cast<UINT>(-1)) {
                // A submenu: updated through its first item.
                CMenu* sub = popup->GetSubMenu(state.m_nIndex);
                if (!sub || (state.m_nID = sub->GetMenuItemID(0)) == 0 || state.m_nID == static_cast<UINT>(-1))
                    continue;
                state.m_pSubMenu = sub;
                state.DoUpdate(this, FALSE);
                state.m_pSubMenu = nullptr;
            } else {
                state.DoUpdate(this, FALSE);
            }
            // A handler may have removed items.
            UINT count = popup->GetMenuItemCount();
            if (count < state.m_nIndexMax) {
                state.m_nIndex -= state.m_nIndexMax - count;
                state.m_nIndexMax = count;
            }
        }
    }
    CNewFrame<CDialog>::OnInitMenuPopup(popup, index, systemMenu);
}
