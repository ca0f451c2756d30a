#include "CControlWindowDlg.h"

#include "AfxModule.h"
#include "DDX.h"
#include "ViewersResource.h"

BEGIN_MESSAGE_MAP(CControlWindowDlg, CDialog)
    ON_WM_CLOSE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CControlWindowDlg::CControlWindowDlg(UINT idd, UINT controlId, CEscapeKeyHook::Slot hook)
    : CDialog(idd), m_controlId(controlId), m_hook(CEscapeKeyHook::Of(hook))
{
}

CControlWindowDlg::~CControlWindowDlg()
{
    m_owner = nullptr;
    DestroyWindow();
}

BOOL CControlWindowDlg::CreateHidden()
{
    m_bShowOnIdle = FALSE;
    return CDialog::Create(m_lpszTemplateName, nullptr);
}

void CControlWindowDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    if (!m_control.m_hWnd)
        DDX_Control(pDX, int(m_controlId), m_control);
}

BOOL CControlWindowDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_hasControl = m_control.m_hWnd && m_control.GetControlUnknown();
    return TRUE;
}

LayoutMetrics CControlWindowDlg::SystemMetrics()
{
    LayoutMetrics m;
    m.screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    m.screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    RECT area;
    if (!::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0))
        area = RECT{ 0, 0, m.screenWidth, m.screenHeight };
    m.areaLeft = area.left;
    m.areaTop = area.top;
    m.areaRight = area.right;
    m.areaBottom = area.bottom;
    m.dialogFrameX = ::GetSystemMetrics(SM_CXDLGFRAME);
    m.dialogFrameY = ::GetSystemMetrics(SM_CYDLGFRAME);
    m.captionHeight = ::GetSystemMetrics(SM_CYCAPTION);
    return m;
}

void CControlWindowDlg::AddCaption()
{
    ModifyStyle(0, WS_CAPTION);
    ModifyStyle(0, WS_SYSMENU);
    HICON icon = ::LoadIconA(AfxGetThisModule(), MAKEINTRESOURCEA(IDI_VIEWER_WINDOW));
    SetIcon(icon, TRUE);
    SetIcon(icon, FALSE);
}

void CControlWindowDlg::Apply(const ControlWindowLayout& layout)
{
    if (layout.keepTemplate)
        return;
    m_control.MoveWindow(layout.control.x, layout.control.y, layout.control.width, layout.control.height);
    ::SetWindowPos(m_hWnd, nullptr, layout.window.x, layout.window.y, layout.window.width, layout.window.height,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CControlWindowDlg::BringUp(ControlWindowOwner* owner)
{
    m_owner = owner;
    m_hook.Install(m_hWnd);
    ShowWindow(SW_SHOW);
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::SetWindowPos(m_hWnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow();
}

HRESULT CControlWindowDlg::AdviseEvents(REFIID events) { return m_events.Advise(m_control.GetControlUnknown(), events); }

HRESULT CControlWindowDlg::Events::OnEvent(DISPID id, DISPPARAMS* params, VARIANT*)
{
    m_window.OnControlEvent(id, params);
    return S_OK;
}

void CControlWindowDlg::PostClose(const char* reason)
{
    if (reason)
        m_closeReason = reason;
    PostMessage(WM_CLOSE);
}

void CControlWindowDlg::OnClose()
{
    m_hook.Remove(m_hWnd);
    if (m_open) {
        m_open = false;
        StopPlaying();
        ControlWindowOwner* owner = m_owner;
        m_owner = nullptr;
        if (owner)
            owner->WindowEnded(m_closeReason);
    }
    DestroyWindow();
}

void CControlWindowDlg::OnDestroy()
{
    m_hook.Remove(m_hWnd);
    m_events.Unadvise();
    CDialog::OnDestroy();
}

long EventArgument(DISPPARAMS* params, UINT index)
{
    if (!params || index >= params->cArgs)
        return 0;
    VARIANT v;
    ::VariantInit(&v);
    long value = 0;
    if (SUCCEEDED(::VariantChangeType(&v, &params->rgvarg[index], 0, VT_I4)))
        value = v.lVal;
    ::VariantClear(&v);
    return value;
}
