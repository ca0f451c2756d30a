// A dialog from a dialog template in a resource script (.rc, compiled by windres).
//
//   class CSplashDlg : public CDialog {
//   public:
//       enum { IDD = 1010 };
//       explicit CSplashDlg(CWnd* pParent = nullptr) : CDialog(IDD, pParent) {}
//       CString m_strTitle;
//       int m_nSeconds = 5;
//       BOOL m_bLoop = FALSE;
//       CButton m_btnBrowse;
//   protected:
//       void DoDataExchange(CDataExchange* pDX) override
//       {
//           CDialog::DoDataExchange(pDX);
//           DDX_Text(pDX, 1001, m_strTitle);
//           DDV_MaxChars(pDX, m_strTitle, 200);
//           DDX_Text(pDX, 1002, m_nSeconds);
//           DDV_MinMaxInt(pDX, m_nSeconds, 0, 60);
//           DDX_Check(pDX, 1003, m_bLoop);
//           DDX_Control(pDX, 1004, m_btnBrowse);   // subclasses the control on first exchange
//       }
//       BOOL OnInitDialog() override { CDialog::OnInitDialog(); /* ... */ return TRUE; }
//       afx_msg void OnBrowse();
//       DECLARE_MESSAGE_MAP()
//   };
//   if (CSplashDlg(this).DoModal() == IDOK) ...
//
// Behaviour:
// - DoModal creates the dialog, disables its owner and runs the framework's modal loop
//   (so PreTranslateMessage of the dialog and its controls runs, as in the application's
//   pump) until EndDialog; the result is EndDialog's value, -1 when the template or the
//   window could not be had. A dialog still hidden when the loop first goes idle is shown
//   then (a template with WS_VISIBLE is shown by the system right after OnInitDialog), unless
//   OnInitDialog cleared m_bShowOnIdle: a dialog that must stay hidden uses a template
//   without WS_VISIBLE and clears it.
// - Create makes a modeless dialog; one whose template has WS_CHILD (a page inside another
//   dialog) becomes a child of the parent given. Without a parent, the owner is the application's main
//   window (AfxGetMainWnd), whichever module creates the dialog. DoModal without a parent
//   takes the main window's last active popup (so a dialog opened from a modal dialog is
//   owned by that dialog, and the one disabled while it runs).
// - OnInitDialog (base: UpdateData(FALSE), returns TRUE) runs on WM_INITDIALOG.
// - IDOK reaches OnOK (base: UpdateData(TRUE), and EndDialog(IDOK) when that succeeded);
//   IDCANCEL reaches OnCancel (base: EndDialog(IDCANCEL)). Esc and the close box arrive
//   as IDCANCEL, as the system's dialog manager sends them.
// - The template is looked up in the module that defines the dialog's class, then in the
//   program and the libraries (AfxFindResourceHandle); SetTemplateModule overrides that.
#pragma once
#include "CWnd.h"

class FW_API CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog() = default;
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    virtual INT_PTR DoModal();
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    BOOL CreateIndirect(LPCDLGTEMPLATEA lpDialogTemplate, CWnd* pParentWnd = nullptr);
    // Ends a modal dialog with nResult (DoModal returns it); hides a modeless one.
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Commands the dialog does not handle go on to the application object.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra) override;

    void NextDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
    void PrevDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
    void GotoDlgCtrl(CWnd* pWndCtrl) { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, (WPARAM)pWndCtrl->GetSafeHwnd(), 1); }
    void SetDefID(UINT nID) { ::SendMessageA(m_hWnd, DM_SETDEFID, nID, 0); }
    DWORD GetDefID() const { return (DWORD)::SendMessageA(m_hWnd, DM_GETDEFID, 0, 0); }
    void MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }

    void SetTemplateModule(HINSTANCE hModule) { m_hTemplateModule = hModule; }
    HINSTANCE GetTemplateModule() const;
    BOOL IsModal() const { return m_bModal; }

    LPCTSTR m_lpszTemplateName = nullptr;
    BOOL m_bShowOnIdle = TRUE;
    UINT m_nIDHelp = 0;
    CWnd* m_pParentWnd = nullptr;

protected:
    // The owner window for a new dialog: the parent given, else the main window (for a
    // modal dialog: the main window's last active popup).
    HWND FindOwner(CWnd* pParentWnd, BOOL bModal) const;
    BOOL CreateFromTemplate(LPCDLGTEMPLATEA lpTemplate, HINSTANCE hModule, HWND hOwner);
    void RunModalLoop();

    HINSTANCE m_hTemplateModule = nullptr;
    BOOL m_bModal = FALSE;
    BOOL m_bEndModal = FALSE;
    INT_PTR m_nModalResult = -1;

    DECLARE_MESSAGE_MAP()
};

// The dialog procedure of every CDialog (WM_INITDIALOG -> OnInitDialog).
FW_API INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
// Registers the common-control window classes (progress bar, slider, tooltip ...) once.
FW_API void AfxInitCommonControls();
