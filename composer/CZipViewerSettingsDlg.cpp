#include "CZipViewerSettingsDlg.h"

#include "AfxModule.h"
#include "CClientDC.h"
#include "CRegistryKey.h"
#include "CZipArchive.h"
#include "DDX.h"
#include "SettingsDialogOpener.h"

#include <shellapi.h>

namespace {

const char* const kFixedLocations[] = {"None", "Desktop", "Start Menu", "Start Menu\\Programs",
                                       "Start Menu\\Accessories"};
const char* const kExtractLocations[] = {"Program Files", "Desktop", "My Documents", "C:\\"};
const char kDefaultIcon[] = "Default Icon";

// The launch-once mark of a target under its project key, as it was, put back when this
// goes: the author's test of a Zip target must leave no trace of a first run behind.
class LaunchOnceMarkKept {
public:
    explicit LaunchOnceMarkKept(const CZipViewer& viewer) : m_path(viewer.ProjectKeyPath())
    {
        m_name.Format("%dT", viewer.GetTargetNum());
        m_had = m_registry.QueryDword(m_path, m_name, m_value);
    }
    ~LaunchOnceMarkKept()
    {
        if (m_had)
            m_registry.SetDword(m_path, m_name, m_value);
        else
            m_registry.Delete(m_path, m_name);
    }
    LaunchOnceMarkKept(const LaunchOnceMarkKept&) = delete;
    LaunchOnceMarkKept& operator=(const LaunchOnceMarkKept&) = delete;

private:
    CRegistryKey m_registry{HKEY_CURRENT_USER};
    CString m_path, m_name;
    DWORD m_value = 0;
    bool m_had = false;
};

} // namespace

BEGIN_MESSAGE_MAP(CZipViewerSettingsDlg, CSettingsDlg)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_ZS_CONTENTS, &CZipViewerSettingsDlg::OnContentsChanged)
    ON_EN_CHANGE(IDC_ZS_MESSAGE, &CZipViewerSettingsDlg::OnMessageChange)
    ON_CBN_SELCHANGE(IDC_ZS_EXTRACT_LOCATION, &CZipViewerSettingsDlg::OnExtractLocation)
    ON_EN_CHANGE(IDC_ZS_FOLDER, &CZipViewerSettingsDlg::OnFolderChange)
    ON_BN_CLICKED(IDC_ZS_OPEN_FOLDER, &CZipViewerSettingsDlg::OnOpenFolder)
    ON_BN_CLICKED(IDC_ZS_USE_PASSWORD, &CZipViewerSettingsDlg::OnUsePassword)
    ON_EN_CHANGE(IDC_ZS_PASSWORD, &CZipViewerSettingsDlg::OnPasswordChange)
    ON_BN_CLICKED(IDC_ZS_CREATE_SHORTCUT, &CZipViewerSettingsDlg::OnCreateShortcut)
    ON_CBN_SELCHANGE(IDC_ZS_SHORTCUT_LOCATION, &CZipViewerSettingsDlg::OnShortcutLocation)
    ON_EN_CHANGE(IDC_ZS_SHORTCUT_NAME, &CZipViewerSettingsDlg::OnShortcutName)
    ON_CBN_SELCHANGE(IDC_ZS_ICON, &CZipViewerSettingsDlg::OnIcon)
    ON_BN_CLICKED(IDC_ZS_LAUNCH_FILE, &CZipViewerSettingsDlg::OnLaunchFile)
    ON_BN_CLICKED(IDC_TEST, &CZipViewerSettingsDlg::OnTest)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CZipViewerSettingsDlg::CZipViewerSettingsDlg(CWnd* parent) : CSettingsDlg(IDD, parent)
{
    m_frame.captionPrefix = "Zip Viewer Settings for ";
    m_frame.firstHelpTitle = IDS_TITLE_ZIP_SETTINGS;
    m_frame.firstHelpText = IDS_HELP_ZIP_SETTINGS;
    m_frame.helpButtons = {{IDC_SETTINGS_HELP_1, IDS_TITLE_ZIP_MESSAGE, IDS_HELP_ZIP_MESSAGE},
                           {IDC_SETTINGS_HELP_2, IDS_TITLE_ZIP_CONTENTS, IDS_HELP_ZIP_CONTENTS},
                           {IDC_SETTINGS_HELP_3, IDS_TITLE_ZIP_EXTRACTION, IDS_HELP_ZIP_EXTRACTION},
                           {IDC_SETTINGS_HELP_4, IDS_TITLE_ZIP_SHORTCUTS, IDS_HELP_ZIP_SHORTCUTS}};
}

CZipViewerSettingsDlg::~CZipViewerSettingsDlg() { SetPreview(nullptr); }

void CZipViewerSettingsDlg::CopyShortcuts(const CZipViewer& from, CZipViewer& to)
{
    to.DeleteAllShortcuts();
    for (const ShortcutInfo* node = from.GetShortcutList(); node; node = node->next)
        to.AddShortcut(node->ID, node->FileName, node->Location, node->Name, node->Icon, node->LaunchFile);
}

void CZipViewerSettingsDlg::CopyFrom(const CZipViewer& viewer, const CString& baseFolder)
{
    m_programDirectory = baseFolder;
    m_targetFilename = viewer.GetTargetFilename();
    m_viewer.SetSettings(viewer.Settings());
    m_viewer.SetZipSettings(viewer.GetZipSettings());
    CopyShortcuts(viewer, m_viewer);
}

void CZipViewerSettingsDlg::WriteBack(CZipViewer& viewer) const
{
    viewer.SetZipSettings(m_viewer.GetZipSettings());
    CopyShortcuts(m_viewer, viewer);
}

INT_PTR CZipViewerSettingsDlg::Edit(CZipViewer& viewer, const CString& baseFolder, CWnd* parent)
{
    return EditInDialog<CZipViewerSettingsDlg>(viewer, baseFolder, parent);
}

void CZipViewerSettingsDlg::DoDataExchange(CDataExchange* pDX)
{
    CSettingsDlg::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_ZS_SHORTCUT_NAME, m_shortcutName);
    DDX_Text(pDX, IDC_ZS_FOLDER, m_folder);
    DDX_Text(pDX, IDC_ZS_MESSAGE, m_message);
    DDV_MaxChars(pDX, m_message, 5000);
    DDX_Check(pDX, IDC_ZS_USE_PASSWORD, m_usePassword);
    DDX_Text(pDX, IDC_ZS_PASSWORD, m_password);
    DDX_Check(pDX, IDC_ZS_OPEN_FOLDER, m_openFolder);
    DDX_Check(pDX, IDC_ZS_LAUNCH_FILE, m_launchFile);
    DDX_Check(pDX, IDC_ZS_CREATE_SHORTCUT, m_createShortcut);
}

void CZipViewerSettingsDlg::PushMembers()
{
    m_filling = true;
    PushControls();
    m_filling = false;
}

BOOL CZipViewerSettingsDlg::OnInitDialog()
{
    m_filling = true;
    m_contents.SubclassDlgItem(IDC_ZS_CONTENTS, this);
    m_locations.SubclassDlgItem(IDC_ZS_SHORTCUT_LOCATION, this);
    m_icons.SubclassDlgItem(IDC_ZS_ICON, this);
    m_messageHeading.SubclassDlgItem(IDC_HEADING_4, this);
    const CZipViewerSettings& zip = m_viewer.GetZipSettings();
    m_message = zip.MessageText;
    m_folder = zip.ExtractFolder;
    m_openFolder = zip.OpenExtractFolder;
    m_password = zip.ZipPassword;
    m_usePassword = m_password.IsEmpty() ? 0 : 1;
    for (const char* location : kExtractLocations)
        ::SendDlgItemMessageA(m_hWnd, IDC_ZS_EXTRACT_LOCATION, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(location));
    ::SendDlgItemMessageA(m_hWnd, IDC_ZS_EXTRACT_LOCATION, CB_SETCURSEL, static_cast<WPARAM>(zip.ExtractLocation), 0);
    FillLocations();
    ::SendDlgItemMessageA(m_hWnd, IDC_ZS_SHORTCUT_LOCATION, CB_SETCURSEL, LocationNone, 0);
    ::SendDlgItemMessageA(m_hWnd, IDC_ZS_ICON, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kDefaultIcon));

    CSettingsDlg::OnInitDialog();
    m_filling = true;
    ShowNoShortcut();
    EnableShortcutControls(FALSE);
    EnableControls({IDC_ZS_CREATE_SHORTCUT}, FALSE);
    EnableControls({IDC_ZS_PASSWORD}, m_usePassword);
    ListArchive();
    ::SendDlgItemMessageA(m_hWnd, IDC_ZS_ICON, CB_SETCURSEL, 0, 0);
    m_filling = false;
    PushMembers();
    return TRUE;
}

void CZipViewerSettingsDlg::ListArchive()
{
    m_contents.DeleteAllItems();
    char windows[MAX_PATH] = {};
    const UINT length = ::GetWindowsDirectoryA(windows, MAX_PATH);
    if (length >= 2 && length < MAX_PATH && windows[1] == ':') {
        const char root[4] = {windows[0], ':', '\\', '\0'};
        if (m_imageList.LoadSmall(root))
            m_contents.SetImageList(&m_imageList, LVSIL_SMALL);
    }
    CZipArchive archive;
    bool failed = false;
    try {
        archive.Open(m_programDirectory + "\\" + m_targetFilename, CZipArchive::zipOpenReadOnly);
        const int count = archive.GetCount();
        for (int i = 0; i < count; ++i) {
            CZipFileHeader header;
            if (!archive.GetFileInfo(header, static_cast<WORD>(i)) || header.IsDirectory())
                continue;
            const CString name = header.GetFileName();
            m_contents.InsertItem(m_contents.GetItemCount(), name, CSystemImageList::SmallIconOf(name));
            CString lower = name;
            lower.MakeLower();
            if (lower.Find(".ico", 1) > 0)
                ::SendDlgItemMessageA(m_hWnd, IDC_ZS_ICON, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        }
    } catch (CException* e) {
        // A missing file (the framework's file exception) or a damaged archive: the list
        // shows what could be read.
        e->Delete();
        failed = true;
    } catch (...) {
        failed = true;
    }
    m_contents.SetColumnWidth(0, ContentsColumnWidth);
    try {
        archive.Close(failed ? CZipArchive::afAfterException : CZipArchive::afNoException);
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
}

void CZipViewerSettingsDlg::FillLocations()
{
    CComboBox* list = &m_locations;
    int selection = list->GetCurSel();
    const bool groups = !m_folder.IsEmpty();
    if (!groups && selection >= LocationProgramsGroup)
        selection -= 2;
    list->ResetContent();
    for (const char* location : kFixedLocations)
        list->AddString(location);
    if (groups) {
        CString programs, accessories;
        programs.Format("Start Menu\\Programs\\%s", m_folder.c_str());
        accessories.Format("Start Menu\\Accessories\\%s", m_folder.c_str());
        list->AddString(programs);
        list->AddString(accessories);
        // The drop-down as wide as the longer group entry, with room for a scroll bar.
        CClientDC dc(list);
        CFont* old = dc.SelectObject(list->GetFont());
        const int width = dc.GetTextExtent(accessories).cx + ::GetSystemMetrics(SM_CXVSCROLL) + 8;
        dc.SelectObject(old);
        list->SetDroppedWidth(static_cast<UINT>(width));
    }
    list->SetCurSel(selection);
}

int CZipViewerSettingsDlg::LocationSelection() const
{
    return static_cast<int>(::SendDlgItemMessageA(m_hWnd, IDC_ZS_SHORTCUT_LOCATION, CB_GETCURSEL, 0, 0));
}

CString CZipViewerSettingsDlg::SelectedFileName() const
{
    return m_selected >= 0 ? m_contents.GetItemText(m_selected, 0) : CString();
}

void CZipViewerSettingsDlg::EnableShortcutControls(BOOL enable)
{
    EnableControls({IDC_ZS_SHORTCUT_LOCATION, IDC_ZS_LOCATION_LABEL, IDC_ZS_SHORTCUT_NAME, IDC_ZS_NAME_LABEL,
                    IDC_ZS_ICON, IDC_ZS_ICON_LABEL, IDC_ZS_LAUNCH_FILE},
                   enable);
}

void CZipViewerSettingsDlg::ShowNoShortcut()
{
    m_shortcutName.Empty();
    m_createShortcut = 0;
    m_launchFile = 0;
    ::SendDlgItemMessageA(m_hWnd, IDC_ZS_SHORTCUT_LOCATION, CB_SETCURSEL, LocationNone, 0);
    ::SendDlgItemMessageA(m_hWnd, IDC_ZS_ICON, CB_SETCURSEL, 0, 0);
    SetPreview(nullptr);
}

void CZipViewerSettingsDlg::OnContentsChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const NMLISTVIEW* change = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    if (m_filling || !(change->uChanged & LVIF_STATE) || !((change->uOldState ^ change->uNewState) & LVIS_SELECTED))
        return;
    ShowSelection();
}

void CZipViewerSettingsDlg::ShowSelection()
{
    m_filling = true;
    m_selected = m_contents.GetNextItem(-1, LVNI_SELECTED);
    CWnd* label = GetDlgItem(IDC_HEADING_3);
    if (m_selected < 0) {
        label->SetWindowText("File Shortcut");
        ShowNoShortcut();
        EnableShortcutControls(FALSE);
        EnableControls({IDC_ZS_CREATE_SHORTCUT}, FALSE);
    } else {
        label->SetWindowText("File Shortcut - " + SelectedFileName());
        EnableControls({IDC_ZS_CREATE_SHORTCUT}, TRUE);
        const ShortcutInfo* shortcut = m_viewer.FindShortcut(static_cast<unsigned>(m_selected));
        if (shortcut) {
            m_createShortcut = 1;
            int location = static_cast<int>(shortcut->Location);
            if (m_folder.IsEmpty() && location >= LocationProgramsGroup)
                location -= 2;
            ::SendDlgItemMessageA(m_hWnd, IDC_ZS_SHORTCUT_LOCATION, CB_SETCURSEL, static_cast<WPARAM>(location), 0);
            m_shortcutName = shortcut->Name;
            m_launchFile = shortcut->LaunchFile ? 1 : 0;
            const int icon = static_cast<int>(::SendDlgItemMessageA(m_hWnd, IDC_ZS_ICON, CB_FINDSTRING,
                                                                    static_cast<WPARAM>(-1),
                                                                    reinterpret_cast<LPARAM>(shortcut->Icon)));
            ::SendDlgItemMessageA(m_hWnd, IDC_ZS_ICON, CB_SETCURSEL, shortcut->Icon[0] && icon >= 0 ? icon : 0, 0);
            EnableShortcutControls(TRUE);
            PushControls();
            ApplyIcon();
        } else {
            ShowNoShortcut();
            EnableShortcutControls(FALSE);
        }
    }
    label->Invalidate();
    PushControls();
    m_filling = false;
}

void CZipViewerSettingsDlg::UpdateShortcut()
{
    if (m_selected < 0)
        return;
    int location = LocationSelection();
    if (location < 0)
        location = LocationNone;
    m_viewer.UpdateShortcut(static_cast<unsigned>(m_selected), SelectedFileName(), static_cast<unsigned>(location),
                            m_shortcutName, m_launchFile);
}

void CZipViewerSettingsDlg::SetPreview(HICON icon)
{
    if (m_hWnd)
        ::SendDlgItemMessageA(m_hWnd, IDC_ZS_ICON_PREVIEW, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    if (m_previewIcon)
        ::DestroyIcon(m_previewIcon);
    m_previewIcon = icon;
}

void CZipViewerSettingsDlg::ApplyIcon()
{
    CString chosen;
    const int index = static_cast<int>(::SendDlgItemMessageA(m_hWnd, IDC_ZS_ICON, CB_GETCURSEL, 0, 0));
    m_icons.GetLBText(index < 0 ? 0 : index, chosen);
    // ExtractIcon answers 1 for a file that holds no icon, and null for none at all.
    HICON icon = ::ExtractIconA(AfxGetInstanceHandle(), m_programDirectory + "\\" + chosen, 0);
    if (reinterpret_cast<UINT_PTR>(icon) == 1)
        icon = nullptr;
    SetPreview(icon);
    UpdateShortcut();
    if (m_selected >= 0)
        if (ShortcutInfo* shortcut = m_viewer.FindShortcut(static_cast<unsigned>(m_selected)))
            StoreShortcutField(shortcut->Icon, chosen.Left(IconNameMax));
}

void CZipViewerSettingsDlg::OnMessageChange()
{
    PullControls();
    m_viewer.SetMessageText(m_message);
}

void CZipViewerSettingsDlg::OnExtractLocation()
{
    m_viewer.SetExtractLocation(
        static_cast<unsigned>(::SendDlgItemMessageA(m_hWnd, IDC_ZS_EXTRACT_LOCATION, CB_GETCURSEL, 0, 0)));
}

void CZipViewerSettingsDlg::OnFolderChange()
{
    PullControls();
    FillLocations();
    m_viewer.SetExtractFolder(m_folder);
}

void CZipViewerSettingsDlg::OnOpenFolder()
{
    PullControls();
    m_viewer.SetOpenExtractFolder(m_openFolder);
}

void CZipViewerSettingsDlg::OnUsePassword()
{
    PullControls();
    EnableControls({IDC_ZS_PASSWORD}, m_usePassword);
}

void CZipViewerSettingsDlg::OnPasswordChange()
{
    PullControls();
    m_viewer.SetZipPassword(m_password);
}

void CZipViewerSettingsDlg::OnCreateShortcut()
{
    PullControls();
    if (m_filling || m_selected < 0)
        return;
    EnableShortcutControls(m_createShortcut);
    if (m_createShortcut) {
        EnableControls({IDC_ZS_SHORTCUT_NAME, IDC_ZS_NAME_LABEL}, LocationSelection() > LocationNone);
        // Made with what is on screen, the icon shown among it.
        ApplyIcon();
    } else {
        m_viewer.DeleteShortcut(static_cast<unsigned>(m_selected));
    }
}

void CZipViewerSettingsDlg::OnShortcutLocation()
{
    PullControls();
    if (m_filling || !m_createShortcut)
        return;
    EnableControls({IDC_ZS_SHORTCUT_NAME, IDC_ZS_NAME_LABEL}, LocationSelection() > LocationNone);
    UpdateShortcut();
}

void CZipViewerSettingsDlg::OnShortcutName()
{
    PullControls();
    if (m_filling || !m_createShortcut)
        return;
    UpdateShortcut();
}

void CZipViewerSettingsDlg::OnIcon()
{
    if (m_filling || !m_createShortcut)
        return;
    ApplyIcon();
}

void CZipViewerSettingsDlg::OnLaunchFile() { PullControls(); }

// The real extraction on this machine, by a copy of the edited viewer. The author's test is
// no user's first run: an "Only Once" target is extracted again, and the mark a completed
// installation leaves under the project key is put back as it was.
void CZipViewerSettingsDlg::OnTest()
{
    PullControls();
    CZipViewer test;
    test.SetSettings(m_viewer.Settings());
    test.SetZipSettings(m_viewer.GetZipSettings());
    CopyShortcuts(m_viewer, test);
    test.SetTargetFilename(m_targetFilename);
    test.SetProgramDirectory(m_programDirectory);
    test.SetLaunchTargetType(0);
    const LaunchOnceMarkKept mark(test);
    ShowInTestMode(test);
}

void CZipViewerSettingsDlg::OnDestroy()
{
    SetPreview(nullptr);
    m_imageList.Detach();
    CSettingsDlg::OnDestroy();
}
