#include "CNewDialog.h"

#include "CCmdUI.h"
#include "MenuSystem.h"

IMPLEMENT_DYNAMIC(CNewDialog, CDialog)

namespace {

bool IsComboBox(HWND window)
{
    char name[16];
    return window && ::GetClassNameA(window, name, sizeof name) && ::lstrcmpiA(name, "ComboBox") == 0;
}

// Ends what the mouse or the keyboard is in the middle of before a popup opens over the
// window: another window's mouse capture, and the dropped-down list of the combo box that
// has the focus (or whose edit field has it).
void CancelModes(HWND window)
{
    HWND capture = ::GetCapture();
    if (capture && capture != window)
        ::SendMessageA(capture, WM_CANCELMODE, 0, 0);
    HWND focus = ::GetFocus();
    HWND combo = IsComboBox(focus) ? focus : focus && IsComboBox(::GetParent(focus)) ? ::GetParent(focus) : nullptr;
    if (combo && ::SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0))
        ::SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
}

}

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
    CancelModes(m_hWnd);
    // As a frame window does: the command-state handlers of the dialog run over the popup
    // (items without a handler are left as they are).
    if (!systemMenu && popup)
        CCmdUI::UpdateMenu(popup, this, FALSE);
    CNewFrame<CDialog>::OnInitMenuPopup(popup, index, systemMenu);
}
