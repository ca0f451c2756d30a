#include "CFolderPage.h"
#include "CInstallation.h"
#include "SetupResource.h"
#include <shlobj.h>

BEGIN_MESSAGE_MAP(CFolderPage, CSetupPage)
    ON_EN_CHANGE(IDC_FOLDER, &CFolderPage::OnFolderChange)
    ON_BN_CLICKED(IDC_BROWSE, &CFolderPage::OnBrowse)
END_MESSAGE_MAP()

namespace {

int CALLBACK StartAt(HWND hwnd, UINT message, LPARAM, LPARAM data)
{
    if (message == BFFM_INITIALIZED && data)
        ::SendMessageA(hwnd, BFFM_SETSELECTIONA, TRUE, data);
    return 0;
}

} // namespace

CFolderPage::CFolderPage() : CSetupPage(IDD_FOLDER, {10, 11, IDC_TEXT2, 12, 23, 24, 25}) {}

void CFolderPage::DoDataExchange(CDataExchange* pDX)
{
    CSetupPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BROWSE, m_btnBrowse);
    DDX_Text(pDX, IDC_FOLDER, m_strFolder);
}

BOOL CFolderPage::OnInitDialog()
{
    m_strFolder = CInstallation::ProgramFilesDir() + "\\Corvex Software";
    CSetupPage::OnInitDialog();
    m_btnBrowse.SetIcon(IDI_BROWSE_IN, IDI_BROWSE_OUT);
    return TRUE;
}

void CFolderPage::OnFolderChange()
{
    GetDlgItemText(IDC_FOLDER, m_strFolder);
}

CString CFolderPage::BrowseForFolder(CWnd* owner, UINT title, const CString& start)
{
    const CString caption = LoadText(title);
    BROWSEINFOA bi = {};
    bi.hwndOwner = owner ? owner->GetSafeHwnd() : nullptr;
    bi.lpszTitle = caption;
    bi.ulFlags = BIF_RETURNONLYFSDIRS;
    bi.lpfn = StartAt;
    bi.lParam = reinterpret_cast<LPARAM>(start.c_str());
    LPITEMIDLIST item = ::SHBrowseForFolderA(&bi);
    if (!item)
        return CString();
    char path[MAX_PATH] = {};
    ::SHGetPathFromIDListA(item, path);
    ::CoTaskMemFree(item);
    return CString(path);
}

void CFolderPage::OnBrowse()
{
    m_strFolder = BrowseForFolder(this, 4, m_strFolder);
    SetDlgItemText(IDC_FOLDER, m_strFolder);
}
