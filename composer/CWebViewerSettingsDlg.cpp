#include "CWebViewerSettingsDlg.h"

#include "AfxModule.h"
#include "CClientDC.h"
#include "CScrollBar.h"
#include "CWebViewer.h"
#include "DDX.h"
#include "SettingsDialogOpener.h"

BEGIN_MESSAGE_MAP(CWebViewerSettingsDlg, CSettingsDlg)
    ON_CBN_SELCHANGE(IDC_WINDOW_SIZE, &CWebViewerSettingsDlg::OnSizeType)
    ON_BN_CLICKED(IDC_WB_POSITION_DEFAULT, &CWebViewerSettingsDlg::OnPositionDefault)
    ON_BN_CLICKED(IDC_WB_POSITION_PRESET, &CWebViewerSettingsDlg::OnPositionPreset)
    ON_BN_CLICKED(IDC_WB_POSITION_CUSTOM, &CWebViewerSettingsDlg::OnPositionCustom)
    ON_BN_CLICKED(IDC_WB_USE_EFFECTS, &CWebViewerSettingsDlg::OnUseEffects)
    ON_BN_CLICKED(IDC_TEST, &CWebViewerSettingsDlg::OnTest)
    ON_WM_TIMER()
    ON_WM_HSCROLL()
    ON_WM_PAINT()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CWebViewerSettingsDlg::CWebViewerSettingsDlg(CWnd* parent) : CSettingsDlg(IDD, parent)
{
    m_frame.captionPrefix = "Web Viewer Settings for ";
    m_frame.firstHelpTitle = IDS_TITLE_WEB_SETTINGS;
    m_frame.firstHelpText = IDS_HELP_WEB_SETTINGS;
    m_frame.helpButtons = {{IDC_SETTINGS_HELP_1, IDS_TITLE_WEB_BARS, IDS_HELP_WEB_BARS},
                           {IDC_SETTINGS_HELP_2, IDS_TITLE_WEB_SIZE, IDS_HELP_WEB_SIZE},
                           {IDC_SETTINGS_HELP_3, IDS_TITLE_WEB_POSITION, IDS_HELP_WEB_POSITION},
                           {IDC_SETTINGS_HELP_4, IDS_TITLE_WEB_EFFECTS, IDS_HELP_WEB_EFFECTS}};
}

CWebViewerSettingsDlg::~CWebViewerSettingsDlg() = default;

void CWebViewerSettingsDlg::CopyFrom(const CWebViewer& viewer, const CString& baseFolder, bool withPdf)
{
    m_programDirectory = baseFolder;
    m_targetFilename = viewer.GetTargetFilename();
    m_parameters = viewer.GetParameters();
    m_toolBar = viewer.GetShowToolBar();
    m_menuBar = viewer.GetShowMenuBar();
    m_addressBar = viewer.GetShowAddressBar();
    m_statusBar = viewer.GetShowStatusBar();
    m_sizeType = viewer.GetWindowSizeType();
    m_width = viewer.GetCustomWidth();
    m_height = viewer.GetCustomHeight();
    m_resizable = viewer.GetWindowResize();
    m_positionType = viewer.GetWindowPositionType();
    m_preset = viewer.GetWindowPreset();
    m_x = viewer.GetCustomX();
    m_y = viewer.GetCustomY();
    m_useEffects = viewer.GetUseEffects();
    m_effectType = viewer.GetEffectType();
    m_effectSpeed = viewer.GetEffectSpeed();
    m_waitToLoad = viewer.GetWaitToLoad();
    if (withPdf)
        m_launchPdfExternally = viewer.GetLaunchPDFExternally();
}

void CWebViewerSettingsDlg::WriteBack(CWebViewer& viewer, bool withPdf) const
{
    viewer.SetViewerType(CViewer::TypeWeb);
    Apply(viewer);
    if (withPdf)
        viewer.SetLaunchPDFExternally(m_launchPdfExternally);
}

void CWebViewerSettingsDlg::Apply(CWebViewer& viewer) const
{
    viewer.SetShowToolBar(m_toolBar);
    viewer.SetShowMenuBar(m_menuBar);
    viewer.SetShowAddressBar(m_addressBar);
    viewer.SetShowStatusBar(m_statusBar);
    viewer.SetWindowSizeType(m_sizeType);
    viewer.SetCustomWidth(m_width);
    viewer.SetCustomHeight(m_height);
    viewer.SetWindowResize(m_resizable);
    viewer.SetWindowPositionType(m_positionType);
    viewer.SetWindowPreset(m_preset);
    viewer.SetCustomX(m_x);
    viewer.SetCustomY(m_y);
    viewer.SetUseEffects(m_useEffects);
    viewer.SetEffectType(m_effectType);
    viewer.SetEffectSpeed(m_effectSpeed);
    viewer.SetWaitToLoad(m_waitToLoad);
}

INT_PTR CWebViewerSettingsDlg::Edit(CWebViewer& viewer, const CString& baseFolder, bool withPdf, CWnd* parent)
{
    return EditInDialog<CWebViewerSettingsDlg>(viewer, baseFolder, parent, withPdf);
}

void CWebViewerSettingsDlg::DoDataExchange(CDataExchange* pDX)
{
    CSettingsDlg::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_WB_TOOL_BAR, m_toolBar);
    DDX_Check(pDX, IDC_WB_MENU_BAR, m_menuBar);
    DDX_Check(pDX, IDC_WB_ADDRESS_BAR, m_addressBar);
    DDX_Check(pDX, IDC_WB_STATUS_BAR, m_statusBar);
    DDX_Check(pDX, IDC_WB_RESIZABLE, m_resizable);
    // The ranges are checked only when OK pulls the values.
    const auto number = [&](int id, int& value, int most) {
        DDX_Text(pDX, id, value);
        if (m_checkRanges)
            DDV_MinMaxInt(pDX, value, 0, most);
    };
    number(IDC_WB_WIDTH, m_width, MaxSize);
    number(IDC_WB_HEIGHT, m_height, MaxSize);
    number(IDC_WB_X, m_x, MaxPercent);
    number(IDC_WB_Y, m_y, MaxPercent);
    DDX_Check(pDX, IDC_WB_USE_EFFECTS, m_useEffects);
    DDX_CBIndex(pDX, IDC_WB_EFFECT, m_effectType);
    DDX_Check(pDX, IDC_WB_WAIT_TO_LOAD, m_waitToLoad);
    DDX_Check(pDX, IDC_WB_LAUNCH_PDF, m_launchPdfExternally);
    DDX_CBIndex(pDX, IDC_WINDOW_SIZE, m_sizeType);
    // The radios in their tab order Default, Preset, Custom count 0, 1, 2.
    DDX_Radio(pDX, IDC_WB_POSITION_DEFAULT, m_positionType);
    DDX_CBIndex(pDX, IDC_WB_PRESET, m_preset);
    // The slider shows the speed the other way round: slow on the left.
    int position = SpeedMax - m_effectSpeed;
    DDX_Slider(pDX, IDC_WB_SPEED, position);
    m_effectSpeed = SpeedMax - position;
}

BOOL CWebViewerSettingsDlg::OnInitDialog()
{
    for (const char* size : {"Default", "Maximized", "Full Screen", "Custom"})
        ::SendDlgItemMessageA(m_hWnd, IDC_WINDOW_SIZE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(size));
    for (const char* preset : {"Top Left", "Top Right", "Centered", "Bottom Left", "Bottom Right"})
        ::SendDlgItemMessageA(m_hWnd, IDC_WB_PRESET, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(preset));
    for (const char* effect :
         {"Slide Right", "Slide Left", "Slide Down", "Slide Up", "Expand Width", "Expand Height", "Expand Both"})
        ::SendDlgItemMessageA(m_hWnd, IDC_WB_EFFECT, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(effect));
    // The range before the frame's first exchange places the slider.
    ::SendDlgItemMessageA(m_hWnd, IDC_WB_SPEED, TBM_SETRANGE, TRUE, MAKELPARAM(0, SpeedMax));

    m_testViewer.reset(new CWebViewer);
    const RECT none = {0, 0, 0, 0};
    m_testViewer->Create(nullptr, nullptr, 0, none, this, TestViewerId);
    m_testViewer->SetOwner(this);
    m_testViewer->SetViewerType(CViewer::TypeWeb);
    return CSettingsDlg::OnInitDialog();
}

void CWebViewerSettingsDlg::ApplyEnableRules()
{
    EnableControls({IDC_WB_WIDTH, IDC_WB_HEIGHT}, m_sizeType == SizeCustom);
    ApplyPosition(m_positionType);
    const BOOL effects = IsChecked(IDC_WB_USE_EFFECTS);
    EnableControls({IDC_WB_EFFECT, IDC_WB_SPEED, IDC_WB_SPEED_LABEL}, effects);
    RECT left = SpeedPicture(false), right = SpeedPicture(true);
    InvalidateRect(&left);
    InvalidateRect(&right);
}

void CWebViewerSettingsDlg::ApplyPosition(int type)
{
    m_positionType = type;
    ::CheckDlgButton(m_hWnd, IDC_WB_POSITION_DEFAULT, type == PositionDefault ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(m_hWnd, IDC_WB_POSITION_PRESET, type == PositionPreset ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(m_hWnd, IDC_WB_POSITION_CUSTOM, type == PositionCustom ? BST_CHECKED : BST_UNCHECKED);
    EnableControls({IDC_WB_PRESET}, type == PositionPreset);
    EnableControls({IDC_WB_X, IDC_WB_Y}, type == PositionCustom);
}

void CWebViewerSettingsDlg::OnSizeType()
{
    PullControls();
    EnableControls({IDC_WB_WIDTH, IDC_WB_HEIGHT}, m_sizeType == SizeCustom);
}

void CWebViewerSettingsDlg::OnPositionDefault() { ApplyPosition(PositionDefault); }
void CWebViewerSettingsDlg::OnPositionPreset() { ApplyPosition(PositionPreset); }
void CWebViewerSettingsDlg::OnPositionCustom() { ApplyPosition(PositionCustom); }

void CWebViewerSettingsDlg::OnUseEffects()
{
    PullControls();
    ApplyEnableRules();
}

void CWebViewerSettingsDlg::OnOK()
{
    m_checkRanges = true;
    CSettingsDlg::OnOK();
    m_checkRanges = false;
}

void CWebViewerSettingsDlg::StopTestTimer()
{
    if (m_testTimer != -1)
        KillTimer(static_cast<UINT_PTR>(m_testTimer));
    m_testTimer = -1;
}

void CWebViewerSettingsDlg::OnTest()
{
    PullControls();
    StopTestTimer();
    CWebViewer& viewer = *m_testViewer;
    Apply(viewer);
    viewer.SetLaunchPDFExternally(m_launchPdfExternally);
    const bool address = m_targetFilename.Left(7).CompareNoCase("http://") == 0 ||
                         m_targetFilename.Left(8).CompareNoCase("https://") == 0;
    CString path;
    if (address)
        path = m_targetFilename;
    else
        path.Format("%s\\%s", m_programDirectory.c_str(), m_targetFilename.c_str());
    viewer.SetTargetFilename(path);
    viewer.SetTargetFileAndPath(path);
    viewer.SetParameters(m_parameters);
    ShowInTestMode(viewer);
    m_testTimer = static_cast<int>(SetTimer(TestTimer, TestCloseMs, nullptr));
}

void CWebViewerSettingsDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (m_testTimer == -1 || nIDEvent != static_cast<UINT_PTR>(m_testTimer)) {
        CSettingsDlg::OnTimer(nIDEvent);
        return;
    }
    StopTestTimer();
    // A window the author closed already is left alone.
    if (m_testViewer && m_testViewer->IsAlive())
        m_testViewer->CloseWindow();
}

void CWebViewerSettingsDlg::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    // The members mirror the slider too, so that a push of them keeps where it was put.
    if (pScrollBar && pScrollBar->GetDlgCtrlID() == IDC_WB_SPEED)
        m_effectSpeed = SpeedMax - static_cast<int>(::SendMessageA(pScrollBar->m_hWnd, TBM_GETPOS, 0, 0));
    CSettingsDlg::OnHScroll(nSBCode, nPos, pScrollBar);
}

RECT CWebViewerSettingsDlg::SpeedPicture(bool right) const
{
    RECT slider = {};
    ::GetWindowRect(::GetDlgItem(m_hWnd, IDC_WB_SPEED), &slider);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&slider), 2);
    const int left = right ? slider.right + 4 : slider.left - 20;
    return RECT{left, slider.top + 2, left + 16, slider.top + 18};
}

void CWebViewerSettingsDlg::OnPaint()
{
    CSettingsDlg::OnPaint();
    const bool effects = IsChecked(IDC_WB_USE_EFFECTS);
    const UINT bitmaps[2] = {effects ? UINT(IDB_SPEED_SLOW) : UINT(IDB_SPEED_SLOW_OFF),
                             effects ? UINT(IDB_SPEED_FAST) : UINT(IDB_SPEED_FAST_OFF)};
    CClientDC dc(this);
    HDC memory = ::CreateCompatibleDC(dc.GetSafeHdc());
    for (int side = 0; side < 2; ++side) {
        HBITMAP bitmap = static_cast<HBITMAP>(::LoadImageA(AfxFindResourceHandle(MAKEINTRESOURCEA(bitmaps[side]), RT_BITMAP),
                                                           MAKEINTRESOURCEA(bitmaps[side]), IMAGE_BITMAP, 16, 16, 0));
        if (!bitmap)
            continue;
        const RECT r = SpeedPicture(side == 1);
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        ::BitBlt(dc.GetSafeHdc(), r.left, r.top, 16, 16, memory, 0, 0, SRCAND);
        ::SelectObject(memory, old);
        ::DeleteObject(bitmap);
    }
    ::DeleteDC(memory);
}

// The test viewer goes however the dialog ends, its timer and its test page with it (a
// viewer let go by itself leaves its page open).
void CWebViewerSettingsDlg::OnDestroy()
{
    StopTestTimer();
    if (m_testViewer && m_testViewer->IsAlive())
        m_testViewer->CloseWindow();
    m_testViewer.reset();
    CSettingsDlg::OnDestroy();
}
