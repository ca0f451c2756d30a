#include "CSetupDlg.h"
#include "CCabExtractor.h"
#include "CFolderPage.h"
#include "CInstallDonePage.h"
#include "CInstallProgressPage.h"
#include "CInstallRules.h"
#include "CRemoveConfirmPage.h"
#include "CRemoveDonePage.h"
#include "CRemoveProgressPage.h"
#include "CWelcomePage.h"
#include "SetupResource.h"

BEGIN_MESSAGE_MAP(CSetupDlg, CDialog)
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_WM_TIMER()
END_MESSAGE_MAP()

namespace {

bool IsAbsoluteFolder(const CString& folder)
{
    const char* f = folder;
    return (f[0] && f[1] == ':' && f[2] == '\\') || (f[0] == '\\' && f[1] == '\\');
}

} // namespace

CSetupDlg::CSetupDlg() : CDialog(IDD_SETUP_MAIN), m_list(new CInstallList), m_installation(*m_list) {}

BOOL CSetupDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_hIcon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    m_tempFolder = CInstallation::temp;
    m_installFolder = CInstallation::ProgramFilesDir() + "\\Corvex Software\\Velmora";
    m_progress.Attach(GetDlgItem(IDC_PROGRESS)->GetSafeHwnd());
    m_progress.SetStep(1);
    m_timer = SetTimer(1, 100);
    return TRUE;
}

void CSetupDlg::OnPaint()
{
    if (!IsIconic()) {
        Default();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    RECT rc;
    GetClientRect(&rc);
    const int x = (rc.right - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (rc.bottom - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc.GetSafeHdc(), x, y, m_hIcon);
}

HCURSOR CSetupDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hIcon);
}

void CSetupDlg::OnEntryExtracted(const CSfxEntry&, void* context)
{
    CSetupDlg* self = static_cast<CSetupDlg*>(context);
    self->m_progress.StepIt();
    self->UpdateWindow();
}

void CSetupDlg::OnTimer(UINT_PTR)
{
    KillTimer(m_timer);
    m_timer = static_cast<UINT_PTR>(-1);
    if (!::CreateDirectoryA(m_tempFolder, nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) {
        const CString chosen = CFolderPage::BrowseForFolder(this, 1, m_tempFolder);
        if (!chosen.IsEmpty())
            m_tempFolder = chosen;
        else
            MessageBox(CSetupPage::LoadText(2), CSetupPage::LoadText(7), MB_OK | MB_ICONSTOP);
        ::CreateDirectoryA(m_tempFolder, nullptr);
    }
    m_payload.ReadTable(m_payload.GetExecutablePath());
    m_progress.SetRange32(0, m_payload.GetCount());
    const unsigned short result = m_payload.ExtractAll(m_tempFolder, OnEntryExtracted, this);
    if (result == CSfxArchive::noMarker || result == CSfxArchive::emptyPayload) {
        ::Sleep(100);
        ShowWindow(SW_HIDE);
        ::RemoveDirectoryA(m_tempFolder);
        RunRemoval();
    } else if (result == CSfxArchive::success) {
        ::Sleep(1000);
        ShowWindow(SW_HIDE);
        RunInstall();
    } else {
        MessageBox("Error!", CSetupPage::LoadText(7), MB_OK | MB_ICONSTOP);
        CleanUp();
    }
    m_progress.Detach();
    EndDialog(IDCANCEL);
}

void CSetupDlg::CleanUp()
{
    m_installation.CleanUp(m_tempFolder, m_payload);
}

void CSetupDlg::Fail()
{
    MessageBox(CSetupPage::LoadText(3), CSetupPage::LoadText(7), MB_OK | MB_ICONSTOP);
}

bool CSetupDlg::PrepareInstall()
{
    CCabExtractor cabinet;
    cabinet.SetTargetFolder(m_tempFolder);
    const bool unpacked = cabinet.Extract(m_tempFolder + "\\Data1.cab", true);
    CString message;
    const bool read = m_list->Read(m_tempFolder, &message);
    if (!unpacked) {
        Fail();
        return false;
    }
    if (!read) {
        MessageBox(message, CSetupPage::LoadText(7), MB_OK | MB_ICONSTOP);
        return false;
    }
    if (!CInstallRules::IsCabinetListSafe(*m_list)) {
        // Clean-up still deletes what the list unpacked, by the names that stay in the folder.
        Fail();
        return false;
    }
    return true;
}

void CSetupDlg::RunInstall()
{
    enum Step { welcome, folder, progress, done, end } step = welcome;
    bool prepare = true;
    while (step != end) {
        if (step == welcome && prepare) {
            if (!PrepareInstall())
                break;
            prepare = false;
        }
        switch (step) {
        case welcome: {
            CWelcomePage page;
            step = page.DoModal() == IDOK ? folder : end;
            break;
        }
        case folder: {
            CFolderPage page;
            const INT_PTR r = page.DoModal();
            CString chosen = page.m_strFolder;
            chosen.Trim();
            if (r == IDOK) {
                while (chosen.GetLength() > 3 && chosen[chosen.GetLength() - 1] == '\\')
                    chosen = chosen.Left(chosen.GetLength() - 1);
                if (!IsAbsoluteFolder(chosen)) {
                    MessageBox(CSetupPage::LoadText(4), CSetupPage::LoadText(7), MB_OK | MB_ICONEXCLAMATION);
                    break; // the folder page again
                }
                m_installFolder = chosen;
                step = progress;
            } else if (page.m_bCancelled) {
                step = end;
            } else {
                m_installFolder = chosen;
                step = welcome;
                prepare = true;
            }
            break;
        }
        case progress: {
            CInstallProgressPage page(m_installation, *m_list, m_tempFolder, m_installFolder);
            const INT_PTR r = page.DoModal();
            if (r == IDOK) {
                if (m_list->Write(m_installFolder)) {
                    step = done;
                    break;
                }
                Fail();
                m_installation.RollBack();
                step = end;
            } else if (r == IDCANCEL && !page.m_bCancelled) {
                // Back: undo the copy and read the cabinet's list again.
                m_installation.RollBack();
                CString message;
                if (!m_list->Read(m_tempFolder, &message)) {
                    MessageBox(message, CSetupPage::LoadText(7), MB_OK | MB_ICONSTOP);
                    step = end;
                } else {
                    step = folder;
                }
            } else {
                m_installation.RollBack();
                step = end;
            }
            break;
        }
        case done: {
            CInstallDonePage page(m_installFolder);
            page.DoModal();
            step = end;
            break;
        }
        case end:
            break;
        }
    }
    CleanUp();
}

void CSetupDlg::RunRemoval()
{
    for (;;) {
        char exe[MAX_PATH + 1] = {};
        ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
        CString own(exe);
        const int cut = own.ReverseFind('\\');
        m_tempFolder = cut > 0 ? own.Left(cut) : own;
        // The bare records and "\DelUS.bat" resolve in the uninstaller's own folder and drive.
        ::SetCurrentDirectoryA(m_tempFolder);
        m_list->folderCount = 0;
        CString message;
        if (!m_list->Read(m_tempFolder, &message)) {
            MessageBox(message, CSetupPage::LoadText(7), MB_OK | MB_ICONSTOP);
            return;
        }
        CRemoveConfirmPage confirm;
        if (confirm.DoModal() != IDOK)
            return;
        CRemoveProgressPage progress(m_installation, *m_list, m_tempFolder);
        if (progress.DoModal() != IDOK)
            continue;
        CRemoveDonePage done;
        if (done.DoModal() == IDOK)
            m_installation.StartDeleteBatch();
        return;
    }
}
