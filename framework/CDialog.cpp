#include "CDialog.h"

#include "AfxOle.h"
#include "CException.h"
#include "CWinApp.h"

#include <commctrl.h>

void AfxInitCommonControls()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    INITCOMMONCONTROLSEX icc = { sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_BAR_CLASSES };
    ::InitCommonControlsEx(&icc);
}

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    CDialog* pDlg = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(hWnd));
    if (!pDlg)
        return TRUE;
    try {
        return pDlg->OnInitDialog();
    } catch (...) {
        AfxProcessCurrentException(AfxGetCurrentMessage());
    }
    return TRUE;
}

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEA(nIDTemplate)), m_nIDHelp(nIDTemplate), m_pParentWnd(pParentWnd)
{
}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd)
{
}

CDialog::~CDialog()
{
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
}

HINSTANCE CDialog::GetTemplateModule() const
{
    if (m_hTemplateModule)
        return m_hTemplateModule;
    // The module whose code defines the most derived class (its virtual table).
    HMODULE own = AfxGetModuleOf(*reinterpret_cast<void* const*>(this));
    if (own && own != AfxGetFrameworkModule() && ::FindResourceA(own, m_lpszTemplateName, RT_DIALOG))
        return own;
    return AfxFindResourceHandle(m_lpszTemplateName, RT_DIALOG);
}

HWND CDialog::FindOwner(CWnd* pParentWnd, BOOL bModal) const
{
    HWND owner = pParentWnd->GetSafeHwnd();
    const bool fromMain = owner == nullptr;
    if (fromMain) {
        CWnd* main = AfxGetMainWnd();
        if (main && main != this)
            owner = main->GetSafeHwnd();
    }
    // A dialog is owned by a top-level window.
    while (owner && (::GetWindowLongA(owner, GWL_STYLE) & WS_CHILD))
        owner = ::GetParent(owner);
    if (owner && fromMain && bModal) {
        HWND popup = ::GetLastActivePopup(owner);
        if (popup && popup != m_hWnd && ::IsWindowVisible(popup))
            owner = popup;
    }
    return owner;
}

BOOL CDialog::CreateFromTemplate(LPCDLGTEMPLATEA lpTemplate, HINSTANCE hModule, HWND hOwner)
{
    if (!lpTemplate || m_hWnd)
        return FALSE;
    AfxInitCommonControls();
    if (AfxOleControlContainerEnabled())
        AfxEnsureControlHost();  // templates may hold controls in host windows
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamA(hModule, lpTemplate, hOwner, &AfxDlgProc, reinterpret_cast<LPARAM>(this));
    AfxUnhookWindowCreate();
    if (!hWnd) {
        if (m_hWnd)
            Detach();
        return FALSE;
    }
    return TRUE;
}

namespace {
// The window style a template asks for (DLGTEMPLATE or DLGTEMPLATEEX).
DWORD TemplateStyle(LPCDLGTEMPLATEA tmpl)
{
    const WORD* words = reinterpret_cast<const WORD*>(tmpl);
    if (words[0] == 1 && words[1] == 0xFFFF)
        return *reinterpret_cast<const DWORD*>(words + 6);  // after version, signature, help id, ex-style
    return tmpl->style;
}

LPCDLGTEMPLATEA LoadDialogTemplate(HINSTANCE module, LPCTSTR name)
{
    HRSRC res = ::FindResourceA(module, name, RT_DIALOG);
    if (!res)
        return nullptr;
    HGLOBAL data = ::LoadResource(module, res);
    return data ? static_cast<LPCDLGTEMPLATEA>(::LockResource(data)) : nullptr;
}
} // namespace

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCEA(nIDTemplate), pParentWnd);
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName) && !m_nIDHelp)
        m_nIDHelp = static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszTemplateName));
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    HINSTANCE module = GetTemplateModule();
    m_bModal = FALSE;
    LPCDLGTEMPLATEA tmpl = LoadDialogTemplate(module, m_lpszTemplateName);
    if (!tmpl)
        return FALSE;
    // A child dialog (a page inside another dialog) lives in its parent as given.
    HWND owner = (TemplateStyle(tmpl) & WS_CHILD) ? m_pParentWnd->GetSafeHwnd() : FindOwner(m_pParentWnd, FALSE);
    return CreateFromTemplate(tmpl, module, owner);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATEA lpDialogTemplate, CWnd* pParentWnd)
{
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    m_bModal = FALSE;
    if (!lpDialogTemplate)
        return FALSE;
    HWND owner = (TemplateStyle(lpDialogTemplate) & WS_CHILD) ? m_pParentWnd->GetSafeHwnd()
                                                              : FindOwner(m_pParentWnd, FALSE);
    return CreateFromTemplate(lpDialogTemplate, AfxGetInstanceHandle(), owner);
}

INT_PTR CDialog::DoModal()
{
    HINSTANCE module = GetTemplateModule();
    LPCDLGTEMPLATEA tmpl = LoadDialogTemplate(module, m_lpszTemplateName);
    if (!tmpl || m_hWnd)
        return -1;

    HWND owner = FindOwner(m_pParentWnd, TRUE);
    BOOL enableOwner = FALSE;
    if (owner && ::IsWindowEnabled(owner)) {
        ::EnableWindow(owner, FALSE);
        enableOwner = TRUE;
    }
    m_bModal = TRUE;
    m_bEndModal = FALSE;
    m_nModalResult = -1;
    if (CreateFromTemplate(tmpl, module, owner) && !m_bEndModal)
        RunModalLoop();

    if (enableOwner)
        ::EnableWindow(owner, TRUE);
    if (m_hWnd) {
        if (owner && ::GetActiveWindow() == m_hWnd)
            ::SetActiveWindow(owner);
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        DestroyWindow();
    }
    m_bModal = FALSE;
    return m_nModalResult;
}

void CDialog::RunModalLoop()
{
    AfxEnterMessageLoop();
    BOOL showWhenIdle = m_bShowOnIdle && !(GetStyle() & WS_VISIBLE);
    MSG msg;
    while (!m_bEndModal) {
        if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (showWhenIdle) {
                showWhenIdle = FALSE;
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
            }
            // No handler is running below the outermost loop: temporaries can go.
            if (AfxGetMessageLoopDepth() == 1)
                AfxDeleteTempMaps();
        }
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got == -1)
            break;
        if (!AfxPreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        if (!m_hWnd)
            break;  // destroyed from inside the loop
    }
    AfxLeaveMessageLoop();
}

void CDialog::EndDialog(int nResult)
{
    m_nModalResult = nResult;
    if (m_bModal) {
        m_bEndModal = TRUE;
        if (m_hWnd)
            ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
    } else if (m_hWnd) {
        ::EndDialog(m_hWnd, nResult);
    }
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hWnd)
        return ::IsDialogMessageA(m_hWnd, pMsg);
    return FALSE;
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra))
        return TRUE;
    if (nCode != CN_COMMAND && static_cast<UINT>(nCode) != CN_UPDATE_COMMAND_UI)
        return FALSE;
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(nID, nCode, pExtra);
}
