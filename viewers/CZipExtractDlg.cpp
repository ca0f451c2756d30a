#include "CZipExtractDlg.h"

#include "CZipInstaller.h"
#include "DDX.h"
#include "ZipInstallPaths.h"
#include "ZipShellFolders.h"
#include "ZipShellLink.h"

#include <shlobj.h>

namespace {
const char kCaption[] = "Velmora Zip File Extractor";
}

BEGIN_MESSAGE_MAP(CZipExtractDlg, CDialog)
    ON_BN_CLICKED(IDC_ZIP_BROWSE, OnBrowse)
    ON_BN_CLICKED(IDC_ZIP_INSTALL, OnInstall)
    ON_EN_CHANGE(IDC_ZIP_DESTINATION, OnDestinationChange)
END_MESSAGE_MAP()

CZipExtractDlg::CZipExtractDlg() : CDialog(IDD, nullptr) {}

void CZipExtractDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ZIP_PROGRESS, m_progress);
    DDX_Control(pDX, IDC_ZIP_BROWSE, m_browse);
    DDX_Text(pDX, IDC_ZIP_MESSAGE, m_message);
    DDX_Text(pDX, IDC_ZIP_DESTINATION, m_destination);
}

BOOL CZipExtractDlg::OnInitDialog()
{
    m_exchanging = true;
    CDialog::OnInitDialog();
    m_exchanging = false;
    m_browse.SetIcon(IDI_ZIP_BROWSE_IN, IDI_ZIP_BROWSE_OUT);
    if (CWnd* complete = GetDlgItem(IDC_ZIP_COMPLETE)) {
        complete->SetWindowText("");
        complete->EnableWindow(FALSE);
    }
    m_progress.SetRange32(0, 100);
    m_progress.SetPos(0);
    RECT area;
    if (!::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0)) {
        area.left = area.top = 0;
        area.right = ::GetSystemMetrics(SM_CXSCREEN);
        area.bottom = ::GetSystemMetrics(SM_CYSCREEN);
    }
    RECT own;
    ::GetWindowRect(m_hWnd, &own);
    const int x = area.left + ((area.right - area.left) - (own.right - own.left)) / 2;
    const int y = area.top + ((area.bottom - area.top) - (own.bottom - own.top)) / 2;
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    return TRUE;
}

void CZipExtractDlg::OnDestinationChange()
{
    if (m_exchanging)
        return;
    m_exchanging = true;
    UpdateData(TRUE);
    m_exchanging = false;
}

int CZipExtractDlg::Tell(const CString& text, UINT type)
{
    m_log += CString("Zip: ") + text + "\n";
    return ::MessageBoxA(m_hWnd, text, kCaption, type);
}

void CZipExtractDlg::OnBrowse()
{
    BROWSEINFOA info = {};
    char name[MAX_PATH] = "";
    info.hwndOwner = m_hWnd;
    info.pszDisplayName = name;
    info.lpszTitle = "Select your Installation Folder";
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST items = ::SHBrowseForFolderA(&info);
    if (!items)
        return;
    char path[MAX_PATH] = "";
    const BOOL ok = ::SHGetPathFromIDListA(items, path);
    IMalloc* allocator = nullptr;
    if (SUCCEEDED(::SHGetMalloc(&allocator)) && allocator) {
        allocator->Free(items);
        allocator->Release();
    }
    if (!ok || !path[0])
        return;
    m_destination = path;
    m_exchanging = true;
    UpdateData(FALSE);
    m_exchanging = false;
}

void CZipExtractDlg::OnInstall() { Install(); }

void CZipExtractDlg::Install()
{
    if (m_done)
        return;
    m_exchanging = true;
    UpdateData(TRUE);
    m_exchanging = false;
    CString destination = m_destination;
    destination.Trim();
    if (!IsAbsoluteZipDestination(destination)) {
        Tell("Please enter the full path of the destination folder, for example C:\\Program Files\\Product.");
        return;
    }
    destination.TrimRight("\\/");
    if (destination.GetLength() == 2)
        destination += "\\";  // the root of a drive
    CZipInstaller installer(m_archivePath, m_password);
    if (!installer.Survey(destination)) {
        Tell(installer.Error());
        return;
    }
    if (!installer.Existing().empty()) {
        CString question;
        question.Format("%d file(s) of this installation already exist in %s, for example\r\n%s\r\n\r\n"
                        "Do you want to replace them?",
                        int(installer.Existing().size()), destination.c_str(), installer.Existing()[0].c_str());
        if (Tell(question, MB_YESNO | MB_ICONQUESTION) != IDYES)
            return;
    }
    m_log += CString("Zip: installing into ") + destination + "\n";
    const bool complete = installer.Extract(destination, [this](int done, int total) {
        m_progress.SetRange32(0, total);
        m_progress.SetPos(done);
        m_progress.UpdateWindow();
    });
    if (!complete) {
        Tell(installer.Error());
        return;
    }
    m_destination = destination;
    CreateShortcuts();
    int low = 0, high = 0;
    m_progress.GetRange(low, high);
    m_progress.SetPos(high);
    if (CWnd* install = GetDlgItem(IDC_ZIP_INSTALL))
        install->EnableWindow(FALSE);
    if (CWnd* complete = GetDlgItem(IDC_ZIP_COMPLETE)) {
        complete->SetWindowText("Installation Complete  -->");
        complete->EnableWindow(TRUE);
    }
    if (CWnd* close = GetDlgItem(IDOK))
        close->SetWindowText("Close");
    m_done = true;
}

void CZipExtractDlg::CreateShortcuts()
{
    if (!m_shortcuts)
        return;
    if (!IsSafeExtractFolder(m_folderName))
        m_log += CString("Zip: program group name refused: ") + m_folderName + "\n";
    const ZipShortcutFolders table = BuildZipShortcutFolders(ReadZipSystemFolders(), m_folderName);
    for (const ShortcutInfo* node = m_shortcuts; node; node = node->next) {
        const CString link = ZipLinkPath(table, *node);
        if (link.IsEmpty()) {
            m_log += CString("Zip: no link for ") + node->FileName + "\n";
            continue;
        }
        const bool saved = SaveZipShellLink(link, JoinZipPath(m_destination, node->FileName), ZipLinkName(*node),
                                            ZipLinkIcon(m_destination, *node));
        m_log += CString(saved ? "Zip: link made: " : "Zip: link failed: ") + link + "\n";
    }
}

void CZipExtractDlg::OnOK()
{
    EndDialog(m_done ? IDOK : IDCANCEL);
}

void CZipExtractDlg::OnCancel() { OnOK(); }
