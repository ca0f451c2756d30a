#include "CTargetFilesDlg.h"

#include "BaseFolderPath.h"
#include "CFailsafeSettingsDlg.h"
#include "CFileDialog.h"
#include "CFlashViewer.h"
#include "CFlashViewerSettingsDlg.h"
#include "CFolderDialog.h"
#include "CMediaViewer.h"
#include "CMediaViewerSettingsDlg.h"
#include "CMenuSettingsDlg.h"
#include "CMenuViewer.h"
#include "CSlideShowSettingsDlg.h"
#include "CSlideShowViewer.h"
#include "CUrlDlg.h"
#include "CViewerSettingsDlg.h"
#include "CWebViewer.h"
#include "CWebViewerSettingsDlg.h"
#include "CWinApp.h"
#include "CZipViewer.h"
#include "CZipViewerSettingsDlg.h"
#include "ChooseViewerForTarget.h"
#include "DDX.h"
#include "ViewerFactory.h"

namespace {

CString LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

CString TempFolder()
{
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    return temp;
}

bool StartsWithNoCase(const CString& text, const char* start)
{
    const int length = static_cast<int>(strlen(start));
    return text.GetLength() >= length && text.Left(length).CompareNoCase(start) == 0;
}

}  // namespace

BEGIN_MESSAGE_MAP(CTargetFilesDlg, CDialog)
    ON_BN_CLICKED(IDC_TF_CLEAR_ALL, &CTargetFilesDlg::OnClearAll)
END_MESSAGE_MAP()

CTargetFilesDlg::CTargetFilesDlg(CWnd* parent) : CDialog(IDD, parent) {}

CTargetFilesDlg::~CTargetFilesDlg() = default;

INT_PTR CTargetFilesDlg::Edit(CProjectData& project, const CString& baseFolder, CWnd* parent)
{
    CTargetFilesDlg dialog(parent);
    dialog.CopyFrom(project, baseFolder, parent);
    const INT_PTR result = dialog.DoModal();
    if (result == IDOK)
        dialog.WriteBack(project, parent);
    return result;
}

void CTargetFilesDlg::CopyFrom(const CProjectData& project, const CString& baseFolder, CWnd* owner)
{
    m_baseFolder = baseFolder;
    m_projectKey = project.ProjectKey;
    for (int k = 0; k < project.GetTargetCount() && k < Slots; ++k) {
        CViewer* target = project.GetTarget(k);
        const int type = CProjectData::KnownType(target->GetViewerType());
        m_viewers[k].reset(PrepareViewer(type, owner, k, TempFolder(), baseFolder, m_projectKey));
        m_viewers[k]->SetEqual(target);
    }
}

// Only what the author sees as used goes back: a slot whose text was cleared by a refused
// choice keeps no hidden target.
void CTargetFilesDlg::WriteBack(CProjectData& project, CWnd* owner) const
{
    project.RemoveAllTargets();
    int next = 0;
    for (int k = 0; k < Slots; ++k) {
        const CViewer* source = m_viewers[k].get();
        if (!source || m_targets[k].IsEmpty())
            continue;
        CViewer* target = PrepareViewer(source->GetViewerType(), owner, next, TempFolder(), m_baseFolder,
                                        project.ProjectKey);
        target->SetEqual(const_cast<CViewer*>(source));
        target->SetTargetNum(next);
        target->SetProgramDirectory(m_baseFolder);
        project.AddTarget(target);
        ++next;
    }
}

void CTargetFilesDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    for (int k = 0; k < Slots; ++k) {
        DDX_Text(pDX, static_cast<int>(TargetId(k)), m_targets[k]);
        DDX_Text(pDX, static_cast<int>(ParametersId(k)), m_parameters[k]);
        DDX_CBIndex(pDX, static_cast<int>(LaunchId(k)), m_launchTarget[k]);
    }
}

BOOL CTargetFilesDlg::OnInitDialog()
{
    for (int k = 0; k < Slots; ++k) {
        CWnd* launch = GetDlgItem(static_cast<int>(LaunchId(k)));
        launch->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Every Time"));
        launch->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Only Once"));
        if (CViewer* viewer = m_viewers[k].get()) {
            m_targets[k] = viewer->GetTargetFilename();
            m_parameters[k] = viewer->GetParameters();
        }
        ShowLaunchTarget(k);
    }
    CDialog::OnInitDialog();

    CWnd* group = GetDlgItem(IDC_TF_GROUP);
    RECT panel;
    group->GetWindowRect(&panel);
    ScreenToClient(&panel);
    group->ShowWindow(SW_HIDE);
    m_helpPanel.Create(WS_EX_CLIENTEDGE, panel, this, IDC_TF_HELP_PANEL, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP,
                       CCorvEdit::CaptionLook);
    m_helpPanel.SetText(LoadText(IDS_TARGET_FILES_HELP));

    for (int k = 0; k < Slots; ++k) {
        m_browse[k].m_dialog = this;
        m_browse[k].SubclassDlgItem(BrowseId(k), this);
        m_browse[k].SetStyle(CMenuButton::StyleFlat);
        m_browse[k].SetIcons(IDI_TARGET_BROWSE_HOT, IDI_TARGET_BROWSE);
        m_browse[k].AddMenuItem("Launch a File", ID_LAUNCH_FILE, IDB_TARGET_FILE);
        m_browse[k].AddMenuItem("Launch a Menu", ID_LAUNCH_MENU, IDB_TARGET_MENU);
        m_browse[k].AddMenuItem("Create a SlideShow", ID_CREATE_SLIDESHOW, IDB_TARGET_SLIDESHOW);
        m_browse[k].AddMenuItem("Open a Folder", ID_OPEN_FOLDER, IDB_TARGET_FOLDER);
        m_browse[k].AddMenuItem("Open a Web Site (URL)", ID_OPEN_URL, IDB_TARGET_URL);
        const struct {
            CHoverButton& button;
            UINT id, iconIn, iconOut, tip;
        } hovers[] = {
            {m_failsafe[k], FailsafeId(k), IDI_SETTINGS, IDI_SETTINGS_HOT, IDS_TIP_TARGET_FAILSAFE},
            {m_clear[k], ClearId(k), IDI_CLEAR, IDI_CLEAR_HOT, IDS_TIP_TARGET_CLEAR},
            {m_settings[k], SettingsId(k), IDI_SETTINGS, IDI_SETTINGS_HOT, IDS_TIP_TARGET_SETTINGS},
        };
        for (const auto& h : hovers) {
            h.button.SubclassDlgItem(h.id, this);
            h.button.SetIcon(static_cast<int>(h.iconIn), static_cast<int>(h.iconOut));
            h.button.SetTooltipText(static_cast<int>(h.tip));
        }
    }
    CMenuButton* framed[] = {&m_clearAll, &m_ok, &m_cancel};
    const UINT framedIds[] = {IDC_TF_CLEAR_ALL, IDOK, IDCANCEL};
    for (int i = 0; i < 3; ++i) {
        framed[i]->SubclassDlgItem(framedIds[i], this);
        framed[i]->SetStyle(CMenuButton::StyleFramed);
    }
    ApplySlotRules();
    return TRUE;
}

BOOL CTargetFilesDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (lParam == 0) {
        // A command of a browse button's menu.
        switch (id) {
        case ID_LAUNCH_FILE:
        case ID_LAUNCH_MENU:
        case ID_CREATE_SLIDESHOW:
        case ID_OPEN_FOLDER:
        case ID_OPEN_URL: {
            const int k = TakeMarkedSlot();
            if (k < 0)
                return TRUE;
            if (id == ID_LAUNCH_FILE)
                ChooseFile(k);
            else if (id == ID_LAUNCH_MENU)
                ChooseMenu(k);
            else if (id == ID_CREATE_SLIDESHOW)
                ChooseSlideShow(k);
            else if (id == ID_OPEN_FOLDER)
                ChooseFolder(k);
            else if (id == ID_OPEN_URL)
                ChooseUrl(k);
            return TRUE;
        }
        default:
            break;
        }
    }
    for (int k = 0; k < Slots; ++k) {
        if (id == ParametersId(k) && code == EN_CHANGE) {
            GetDlgItem(static_cast<int>(id))->GetWindowText(m_parameters[k]);
            if (m_viewers[k])
                m_viewers[k]->SetParameters(m_parameters[k]);
            return TRUE;
        }
        if (id == LaunchId(k) && code == CBN_SELCHANGE) {
            const int index = static_cast<int>(GetDlgItem(static_cast<int>(id))->SendMessage(CB_GETCURSEL, 0, 0));
            m_launchTarget[k] = index == 1 ? 1 : 0;
            if (m_viewers[k])
                m_viewers[k]->SetLaunchTargetType(m_launchTarget[k]);
            return TRUE;
        }
        if (code != BN_CLICKED)
            continue;
        if (id == BrowseId(k)) {
            ChooseFile(k);
            return TRUE;
        }
        if (id == FailsafeId(k)) {
            EditFailsafe(k);
            return TRUE;
        }
        if (id == ClearId(k)) {
            ClearSlot(k);
            return TRUE;
        }
        if (id == SettingsId(k)) {
            EditViewerSettings(k);
            return TRUE;
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}

int CTargetFilesDlg::TakeMarkedSlot()
{
    for (int k = 0; k < Slots; ++k) {
        if (m_browse[k].m_marked) {
            m_browse[k].m_marked = false;
            return k;
        }
    }
    return -1;
}

void CTargetFilesDlg::ClearMarks()
{
    for (CSlotButton& button : m_browse)
        button.m_marked = false;
}

void CTargetFilesDlg::ShowLaunchTarget(int k)
{
    const CViewer* viewer = m_viewers[k].get();
    m_launchTarget[k] = viewer && viewer->GetLaunchTargetType() == 1 ? 1 : 0;
}

bool CTargetFilesDlg::IsFolderTarget(int k) const
{
    return m_viewers[k] && m_viewers[k]->GetViewerType() == CViewer::TypeFolder;
}

// Targets are added in order: a slot opens once the one before it is used.
void CTargetFilesDlg::ApplySlotRules()
{
    UpdateData(FALSE);
    m_browse[0].EnableWindow(TRUE);
    for (int k = 0; k < Slots; ++k) {
        const BOOL used = m_targets[k].IsEmpty() ? FALSE : TRUE;
        if (k + 1 < Slots)
            m_browse[k + 1].EnableWindow(used);
        GetDlgItem(static_cast<int>(LaunchId(k)))->EnableWindow(used);
        GetDlgItem(static_cast<int>(ParametersId(k)))->EnableWindow(used);
        m_clear[k].EnableWindow(used);
        m_settings[k].EnableWindow(used);
        m_failsafe[k].EnableWindow(used && !IsFolderTarget(k));
    }
}

CViewer& CTargetFilesDlg::ViewerOfType(int k, int type)
{
    if (!m_viewers[k] || m_viewers[k]->GetViewerType() != type) {
        m_viewers[k].reset(PrepareViewer(type, this, k, TempFolder(), m_baseFolder, m_projectKey));
        ShowLaunchTarget(k);
    }
    return *m_viewers[k];
}

void CTargetFilesDlg::RefuseOutside(int k)
{
    m_targets[k].Empty();
    ApplySlotRules();
    AfxMessageBox(IDS_OUTSIDE_BASE_FOLDER);
}

void CTargetFilesDlg::ChooseFile(int k)
{
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_LONGNAMES | OFN_HIDEREADONLY,
                       "All Files (*.*)|*.*||", this);
    dialog.m_ofn.lpstrTitle = "Select your Target File";
    dialog.m_ofn.lpstrInitialDir = m_baseFolder;
    dialog.SetBufferSize(65535);
    if (dialog.DoModal() != IDOK)
        return;
    CString relative;
    if (!RelativeToBaseFolder(m_baseFolder, dialog.GetPathName(), relative)) {
        RefuseOutside(k);
        return;
    }
    m_targets[k] = relative;
    m_chosenPath = relative;
    UpdateData(FALSE);
    ChooseViewer(k);
    ApplySlotRules();
}

void CTargetFilesDlg::ChooseViewer(int k)
{
    const CString target = !m_chosenPath.IsEmpty() ? m_chosenPath
                           : m_viewers[k]           ? m_viewers[k]->GetTargetFilename()
                                                    : CString();
    const bool shift = (::GetAsyncKeyState(VK_LSHIFT) & 0x8000) != 0;
    RunHandler(k, ChooseViewerForTarget(target, shift), target);
    m_chosenPath.Empty();
}

// The slot's viewer of the kind, named after the target, then its settings dialog; Cancel
// leaves the viewer as it was (a new one with its defaults).
void CTargetFilesDlg::RunHandler(int k, int type, const CString& target)
{
    if (type == CViewer::TypeMenu) {
        ChooseMenu(k);
        return;
    }
    if (type == CViewer::TypeSlideShow) {
        ChooseSlideShow(k);
        return;
    }
    CViewer& viewer = ViewerOfType(k, type);
    viewer.SetTargetFilename(target);
    switch (type) {
    case CViewer::TypeWeb:
        CWebViewerSettingsDlg::Edit(static_cast<CWebViewer&>(viewer), m_baseFolder, true, this);
        break;
    case CViewer::TypeZip:
        CZipViewerSettingsDlg::Edit(static_cast<CZipViewer&>(viewer), m_baseFolder, this);
        break;
    case CViewer::TypeMedia:
        CMediaViewerSettingsDlg::Edit(static_cast<CMediaViewer&>(viewer), m_baseFolder, this);
        break;
    case CViewer::TypeFlash:
        CFlashViewerSettingsDlg::Edit(static_cast<CFlashViewer&>(viewer), m_baseFolder, this);
        break;
    default:
        CViewerSettingsDlg::Edit(viewer, m_baseFolder, this);
        break;
    }
}

void CTargetFilesDlg::ChooseSlideShow(int k)
{
    std::unique_ptr<CViewer> earlier = TakeOtherKind(k, CViewer::TypeSlideShow);
    CViewer& viewer = ViewerOfType(k, CViewer::TypeSlideShow);
    if (CSlideShowSettingsDlg::Edit(static_cast<CSlideShowViewer&>(viewer), m_baseFolder, this) == IDOK)
        m_targets[k] = "SlideShow";
    else
        PutBack(k, std::move(earlier));
    ApplySlotRules();
}

void CTargetFilesDlg::ChooseMenu(int k)
{
    std::unique_ptr<CViewer> earlier = TakeOtherKind(k, CViewer::TypeMenu);
    CViewer& viewer = ViewerOfType(k, CViewer::TypeMenu);
    if (CMenuSettingsDlg::Edit(static_cast<CMenuViewer&>(viewer), m_baseFolder, this) == IDOK)
        m_targets[k] = "Menu";
    else
        PutBack(k, std::move(earlier));
    ApplySlotRules();
}

// A slideshow or a menu replaces the slot's target of another kind only on OK: until then the
// slot's text still names that target, and Cancel gives it back as it was.
std::unique_ptr<CViewer> CTargetFilesDlg::TakeOtherKind(int k, int type)
{
    if (m_viewers[k] && m_viewers[k]->GetViewerType() != type)
        return std::move(m_viewers[k]);
    return nullptr;
}

void CTargetFilesDlg::PutBack(int k, std::unique_ptr<CViewer> earlier)
{
    if (!earlier)
        return;
    m_viewers[k] = std::move(earlier);
    ShowLaunchTarget(k);
}

void CTargetFilesDlg::ChooseUrl(int k)
{
    CUrlDlg dialog(this);
    if (StartsWithNoCase(m_targets[k], "http://") || StartsWithNoCase(m_targets[k], "https://"))
        dialog.m_url = m_targets[k];
    if (dialog.DoModal() != IDOK)
        return;
    CString url = dialog.m_url;
    if (StartsWithNoCase(url, "www"))
        url = "http://" + url;
    m_targets[k] = url;
    ViewerOfType(k, CViewer::TypeWeb).SetTargetFilename(url);
    ApplySlotRules();
}

// The browser starts at the base folder; what it hands back is checked all the same (a
// browser may return a folder above its root).
void CTargetFilesDlg::ChooseFolder(int k)
{
    CFolderDialog dialog("Select the Folder to Open", m_baseFolder, this);
    if (dialog.DoModal() != IDOK)
        return;
    const CString folder = dialog.GetFolderPath();
    if (!IsInBaseFolder(m_baseFolder, folder)) {
        RefuseOutside(k);
        return;
    }
    m_targets[k] = folder;
    ViewerOfType(k, CViewer::TypeFolder).SetTargetFilename(folder);
    ApplySlotRules();
}

// A folder has no settings of its own: the button opens nothing for it.
void CTargetFilesDlg::EditViewerSettings(int k)
{
    if (!m_viewers[k] || IsFolderTarget(k))
        return;
    m_chosenPath.Empty();
    ChooseViewer(k);
    ApplySlotRules();
}

void CTargetFilesDlg::EditFailsafe(int k)
{
    if (!m_viewers[k] || IsFolderTarget(k))
        return;
    CFailsafeSettingsDlg::Edit(*m_viewers[k], m_baseFolder, this);
}

void CTargetFilesDlg::ClearSlot(int k)
{
    m_viewers[k].reset();
    m_targets[k].Empty();
    m_parameters[k].Empty();
    ShowLaunchTarget(k);
    ApplySlotRules();
}

void CTargetFilesDlg::OnClearAll()
{
    for (int k = 0; k < Slots; ++k) {
        m_viewers[k].reset();
        m_targets[k].Empty();
        m_parameters[k].Empty();
        ShowLaunchTarget(k);
    }
    ApplySlotRules();
}
